#include "app/FormMain.h"
#include "app/MessageBoxPrompter.h"
#include "support/ModalDialogDriver.h"
#include "support/PictureButtons.h"
#include "support/RecipesProgram.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRect>
#include <QTableView>
#include <QTest>
#include <cstdlib>

namespace {

// How far a pop-up may open from where it belongs: the window manager's rounding, no more.
constexpr int Slack = 6;

::testing::AssertionResult near(const QPoint& actual, const QPoint& expected)
{
    if ((actual - expected).manhattanLength() <= Slack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << actual.x() << ", " << actual.y() << "), expected near (" << expected.x()
           << ", " << expected.y() << ")";
}

// Waits until the window manager has shown window and stopped moving it: its frame has stood
// still for a while (at most three seconds in all). A fixed wait was not enough under load,
// when the window manager could still move a window after it was measured.
void settle(QWidget* window)
{
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QRect last = window->frameGeometry();
    int still = 0;
    for (int waited = 0; waited < 3000 && still < 4; waited += 50) {
        QTest::qWait(50);
        const QRect now = window->frameGeometry();
        still = now == last ? still + 1 : 0;
        last = now;
    }
}

class Placement : public RecipesProgram
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs an X display with a window manager (scripts/test.sh starts one)";
        RecipesProgram::SetUp();
        settle(&startup.mainWindow());
    }

    // Moves the main window as a user drags it, and waits for the window manager.
    void moveMainWindow(const QPoint& by)
    {
        QWidget& window = startup.mainWindow();
        window.move(window.pos() + by);
        settle(&window);
    }

    // Opens the drop-down list and checks that it opens just below the box (or above it when
    // the screen has no room below), over the box's width.
    static void checkDropDown(QComboBox* combo)
    {
        QTest::mouseClick(combo, Qt::LeftButton);
        QWidget* popup = combo->view()->window();
        ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 3000));
        QTest::qWait(150);
        const QPoint below = combo->mapToGlobal(QPoint(0, combo->height()));
        const QPoint top = popup->frameGeometry().topLeft();
        const bool under = near(top, below);
        const bool over = near(popup->frameGeometry().bottomLeft() + QPoint(0, 1),
                               combo->mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(under || over)
            << combo->objectName().toStdString() << ": " << near(top, below).message();
        combo->hidePopup();
        QTest::qWait(50);
    }
};

// The wizard's Cuisine list opens at its box on the wizard's first showing and again after the
// main window moved; the message box of a refused OK opens over the wizard.
TEST_F(Placement, DropDownListAndMessageBoxOpenAtTheirPlaceOnEveryShowing)
{
    MessageBoxPrompter boxes;
    for (const QPoint& moved : {QPoint(), QPoint(170, 90), QPoint(-120, 60)}) {
        SCOPED_TRACE(moved.x());
        moveMainWindow(moved);
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* w) {
            settle(w);
            // The wizard stands centred over the main window.
            EXPECT_TRUE(
                near(w->frameGeometry().center(), startup.mainWindow().frameGeometry().center()));
            checkDropDown(control<QComboBox>(w, "DBLookupComboBoxCuisine"));

            // A message box stands centred over the wizard.
            QPoint boxCentre;
            ModalDialogDriver inner;
            inner.whenShown([&](QWidget* box) {
                settle(box);
                boxCentre = box->frameGeometry().center();
                QTest::keyClick(box, Qt::Key_Return);
            });
            boxes.message("Missing Recipe Name, Please Enter a name");
            // Its window frame (a title bar the wizard has not) may shift it by half its height.
            EXPECT_LE((boxCentre - w->frameGeometry().center()).manhattanLength(), 20)
                << near(boxCentre, w->frameGeometry().center()).message();
            PictureButtons::click(w, "BtnCancel");
        });
        press("BtnNewRecipe");
        EXPECT_EQ(driver.handled(), 1);
    }
}

// The link dialog's food menu opens just below its button, on the first showing and after the
// main window moved.
TEST_F(Placement, MenuButtonMenuOpensBelowItsButtonOnEveryShowing)
{
    for (const QPoint& moved : {QPoint(), QPoint(150, 80)}) {
        SCOPED_TRACE(moved.x());
        moveMainWindow(moved);
        clickRow(control<QTableView>(&startup.mainWindow(), "DBGridRecipeList"), 1); // Pancakes
        ASSERT_EQ(listed().value(1), "Pancakes");
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* w) {
            settle(w);
            clickMenu(w, "lblIngredients");
            PictureButtons::click(w, "btnLinkIngredient"); // returns when the link dialog closed
            PictureButtons::click(w, "BtnCancel");
        });
        driver.whenShown([&](QWidget* link) {
            settle(link);
            // The link dialog stands centred over the wizard that opened it.
            EXPECT_TRUE(near(link->frameGeometry().center(),
                             link->parentWidget()->window()->frameGeometry().center()));
            auto* button = control<QPushButton>(link, "BtnSearchFood");
            QTest::mouseClick(button, Qt::LeftButton);
            QMenu* menu = nullptr;
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    return menu && menu->isVisible();
                },
                3000));
            QTest::qWait(150);
            EXPECT_TRUE(near(menu->frameGeometry().topLeft(),
                             button->mapToGlobal(QPoint(0, button->height()))));
            menu->close();
            QTest::qWait(50);
            PictureButtons::click(link, "BtnCancel");
        });
        press("BtnEditRecipes");
        EXPECT_EQ(driver.handled(), 2);
    }
}

} // namespace
