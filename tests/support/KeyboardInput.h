#pragma once

#include <QString>
#include <Qt>

class QWidget;

// Works the program with the keyboard alone, as a user without a mouse does: every key goes to
// the control that has the focus, and controls are reached with Tab (or Shift+Tab), never by
// being clicked or called.
namespace KeyboardInput {

// The control that has the keyboard focus (nullptr when none has it).
QWidget* focus();
// Presses a key on the control with the focus; a test failure when no control has it.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types text into the control with the focus.
void type(const QString& text);
// Presses Tab until target has the focus, as a user watches the focus mark move; Shift+Tab when
// backwards. A test failure naming the controls passed when target is not reached within one
// round of its window's controls.
bool tabTo(const QWidget* target, bool backwards = false);
// Reaches target with Tab and presses Space on it (a button, a menu entry).
void activate(const QWidget* target);

} // namespace KeyboardInput
