#pragma once

class QWidget;

// Presses the picture buttons of a window the way a user does.
class PictureButtons
{
public:
    // A left click on the TGraphicButton named name inside window; a failure of the test when
    // the window has no such button.
    static void click(QWidget* window, const char* name);
};
