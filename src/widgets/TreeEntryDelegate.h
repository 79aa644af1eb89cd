#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws the entries of the two navigation trees (foods and recipes): top-level entries bold in
// navy, entries that create something ("New Search", "New Food Group", "New Recipe Type",
// "New Cuisine") bold in green, entries that edit a list ("Edit Food Groups",
// "Clear Search History", "Edit Advanced Search", "Edit Recipe Type", "Edit Cuisines") bold in
// purple. Texts are compared exactly, so a food group or search that happens to carry such a
// name is drawn like the action entry. While an entry is selected and the tree has the keyboard
// focus, the normal selection colours are kept; bold still applies.
class TTreeEntryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    struct Look
    {
        bool bold = false;
        QColor color; // invalid: the tree's normal colours
    };

    explicit TTreeEntryDelegate(QObject* parent = nullptr);

    // How an entry is drawn: topLevel tells whether it has no parent entry.
    static Look lookFor(const QString& text, bool topLevel, bool selected, bool treeHasFocus);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
