#pragma once

class QColor;
class QKeyEvent;
class QPainter;
class QRect;

// What the skin's own controls (picture buttons, section buttons, wizard menu entries) share for
// the keyboard: the keys that press them and the dotted frame that shows they have the focus.
class FocusMark
{
public:
    // Space, Enter or Return without a modifier (the keypad's Enter included).
    static bool presses(const QKeyEvent& event);
    // A dotted frame of colour around area.
    static void draw(QPainter& painter, const QRect& area, const QColor& colour);
};
