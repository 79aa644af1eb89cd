#pragma once

#include <QColor>
#include <QPushButton>
#include <functional>

class QAction;
class QMenu;

// The flat, underlined "click here to ..." button of the dialogs that pick from a shared list:
// pressing it (mouse, Space) opens its menu just below itself, and each entry runs its action.
// The picker menus (TPickerMenu: the food menu, the recipe menu) are this button with entries.
class TMenuButton : public QPushButton
{
    Q_OBJECT

public:
    TMenuButton(const QString& caption, QWidget* parent = nullptr);

    // The caption's colours at rest, under the mouse and with the focus (white, light blue and
    // pale blue on the dialogs' navy panel).
    void setColors(const QColor& rest, const QColor& hover, const QColor& focus);

    // Appends an entry that runs action when chosen.
    QAction* addEntry(const QString& text, std::function<void()> action);
    QMenu* popupMenu() const { return m_menu; }
    // Opens the menu below the button.
    void showMenu();

private:
    QMenu* m_menu = nullptr;
};
