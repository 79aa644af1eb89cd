#include "support/WidgetInput.h"

#include "widgets/MenuButton.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace WidgetInput {

void clickRow(QTableView* grid, const QString& text)
{
    const QAbstractItemModel* model = grid->model();
    for (int row = 0; model && row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.data().toString() == text) {
            grid->scrollTo(index);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(index).center());
            return;
        }
    }
    ADD_FAILURE() << "no row " << text.toStdString();
}

void clickRadio(QWidget* window, const char* name)
{
    auto* radio = child<QRadioButton>(window, name);
    if (radio)
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void chooseFromMenu(TMenuButton* button, const QString& entry)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QMenu* menu = button->popupMenu();
    ASSERT_TRUE(menu->isVisible());
    for (QAction* action : menu->actions())
        if (action->text() == entry && action->isVisible()) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return;
        }
    FAIL() << "no menu entry " << entry.toStdString();
}

QStringList column(const QTableView* grid, int column)
{
    QStringList out;
    for (int row = 0; grid->model() && row < grid->model()->rowCount(); ++row)
        out << grid->model()->index(row, column).data().toString();
    return out;
}

} // namespace WidgetInput
