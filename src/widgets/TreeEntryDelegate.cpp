#include "widgets/TreeEntryDelegate.h"

#include <QWidget>

TTreeEntryDelegate::TTreeEntryDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

TTreeEntryDelegate::Look TTreeEntryDelegate::lookFor(const QString& text, bool topLevel,
                                                     bool selected, bool treeHasFocus)
{
    static constexpr const char* createEntries[] = {"New Search", "New Food Group",
                                                    "New Recipe Type", "New Cuisine"};
    static constexpr const char* editEntries[] = {"Edit Food Groups", "Clear Search History",
                                                  "Edit Advanced Search", "Edit Recipe Type",
                                                  "Edit Cuisines"};
    auto among = [&text](const auto& entries) {
        for (const char* entry : entries)
            if (text == QLatin1String(entry))
                return true;
        return false;
    };
    Look look;
    if (topLevel) {
        look.bold = true;
        look.color = QColor(0x00, 0x00, 0x80);
    }
    if (among(createEntries)) {
        look.bold = true;
        look.color = QColor(0x00, 0x80, 0x00);
    } else if (among(editEntries)) {
        look.bold = true;
        look.color = QColor(0x80, 0x00, 0x80);
    }
    if (selected && treeHasFocus)
        look.color = QColor();
    return look;
}

void TTreeEntryDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const bool treeHasFocus = option->widget && option->widget->hasFocus();
    const Look look = lookFor(option->text, !index.parent().isValid(), selected, treeHasFocus);
    if (look.bold)
        option->font.setBold(true);
    if (look.color.isValid()) {
        // Text and selected text alike: an entry selected in an unfocused tree keeps its colour.
        option->palette.setColor(QPalette::Text, look.color);
        option->palette.setColor(QPalette::HighlightedText, look.color);
    }
}
