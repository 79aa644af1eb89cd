#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class QLineEdit;
class QTableView;
class QWidget;
class TMenuButton;

// Uses a dialog's controls as a user does: clicks on a grid row's place in its viewport, on a
// radio button, on a menu entry, and keys typed into an edit box; and reads a grid as it shows.
// The screen tests bring these in with "using namespace WidgetInput".
namespace WidgetInput {

// The control of window with that object name; a test failure when there is none.
template <class T> T* child(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A click on the grid row whose first column shows text.
void clickRow(QTableView* grid, const QString& text);
// A click on the radio button's circle.
void clickRadio(QWidget* window, const char* name);
// Replaces the text of an edit box as the user would: all selected, deleted, typed.
void retype(QLineEdit* edit, const QString& text);
// Opens a menu with its button and clicks an entry.
void chooseFromMenu(TMenuButton* button, const QString& entry);
// The texts of one column of a grid, in row order.
QStringList column(const QTableView* grid, int column = 0);

} // namespace WidgetInput
