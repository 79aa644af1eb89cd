#pragma once

#include "store/Prompter.h"

#include <QPointer>
#include <QWidget>

// Messages and questions in the desktop's standard message boxes. Each box belongs to, and opens
// centred over, the window the user is working in: the dialog being shown (the topmost modal
// window), else the active window, else the program's main window once it is given.
class MessageBoxPrompter : public Prompter
{
public:
    // Caption of plain messages and of the error box: the application title.
    static constexpr const char* ApplicationTitle = "Kelora - Vivanter";

    // parent: a fixed owner for every box (tests); none: the window in use at the time.
    explicit MessageBoxPrompter(QWidget* parent = nullptr);

    // The owner when no dialog is shown and no window of the program is active.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    void message(const QString& text) override;
    bool question(const QString& caption, const QString& text, Icon icon, Preset preset) override;
    void error(const QString& text) override;

    // The window a box shown now belongs to; nullptr when the program has none on screen.
    QWidget* owner() const;

private:
    QPointer<QWidget> m_parent;
    QPointer<QWidget> m_mainWindow;
};
