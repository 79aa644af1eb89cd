#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

// Drives real modal dialogs in GUI tests. Queue one handler per dialog the code under test will
// open, then run that code: a timer watches QApplication::activeModalWidget(), hands each newly
// shown modal window to the next handler and, when the handler returns, closes the window if it
// is still open (reject, and if that is refused, done(Rejected) or hide), so a failed check can
// never leave the test waiting. A handler may itself open further dialogs; they are handled by
// the next queued handlers.
//
// Fail-safes: a modal window still open with no handler queued after the fail-safe delay is a
// test failure and is closed; handlers still queued when the driver is destroyed are a test
// failure. (A dialog a test shows itself, briefly, is not reported.)
class ModalDialogDriver : public QObject
{
public:
    using Handler = std::function<void(QWidget* dialog)>;

    explicit ModalDialogDriver(std::chrono::milliseconds failSafe = std::chrono::seconds(10));
    ~ModalDialogDriver() override;

    void whenShown(Handler handler);

    int pending() const { return int(m_handlers.size()); }
    int handled() const { return m_handled; }
    // Window titles / object names of modal windows that appeared with no handler queued.
    QStringList unexpected() const { return m_unexpected; }

    // Closes a modal window no matter what its close query says.
    static void forceClose(QWidget* dialog);

private:
    void poll();

    QTimer m_timer;
    std::chrono::milliseconds m_failSafe;
    std::deque<Handler> m_handlers;
    std::vector<QPointer<QWidget>> m_busy; // windows whose handler is running
    QPointer<QWidget> m_stray;             // an unexpected window, waiting for the fail-safe
    std::chrono::steady_clock::time_point m_straySince;
    int m_handled = 0;
    QStringList m_unexpected;
};
