#include "ModalDialogDriver.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

ModalDialogDriver::ModalDialogDriver(std::chrono::milliseconds failSafe) : m_failSafe(failSafe)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogDriver::poll);
    m_timer.start();
}

ModalDialogDriver::~ModalDialogDriver()
{
    m_timer.stop();
    if (!m_handlers.empty())
        ADD_FAILURE() << m_handlers.size() << " expected modal dialog(s) never appeared";
}

void ModalDialogDriver::whenShown(Handler handler)
{
    m_handlers.push_back(std::move(handler));
}

void ModalDialogDriver::forceClose(QWidget* dialog)
{
    if (!dialog || !dialog->isVisible())
        return;
    QPointer<QWidget> guard(dialog);
    if (auto* box = qobject_cast<QDialog*>(dialog)) {
        box->reject();
        if (guard && box->isVisible())
            box->done(QDialog::Rejected);
    } else {
        dialog->close();
    }
    if (guard && guard->isVisible())
        guard->hide();
}

void ModalDialogDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    m_busy.erase(std::remove(m_busy.begin(), m_busy.end(), nullptr), m_busy.end());
    if (std::find(m_busy.begin(), m_busy.end(), modal) != m_busy.end())
        return; // its handler is still running (and has not opened anything new)

    if (m_handlers.empty()) {
        // A dialog the test shows itself is left alone; one still open with no handler after
        // the fail-safe delay was not expected: it fails the test and is closed.
        const auto now = std::chrono::steady_clock::now();
        if (m_stray != modal) {
            m_stray = modal;
            m_straySince = now;
        } else if (now - m_straySince >= m_failSafe) {
            const QString name =
                modal->windowTitle().isEmpty() ? modal->objectName() : modal->windowTitle();
            m_unexpected << name;
            ADD_FAILURE() << "Unexpected modal dialog: " << name.toStdString();
            forceClose(modal);
            m_stray = nullptr;
        }
        return;
    }

    // The handler runs from a timer of its own, so this polling timer stays free to fire inside
    // any dialog the handler opens (Qt never re-enters a timer that is still being handled).
    auto handler = std::make_shared<Handler>(std::move(m_handlers.front()));
    m_handlers.pop_front();
    QPointer<QWidget> dialog(modal);
    m_busy.push_back(dialog);
    QTimer::singleShot(0, this, [this, handler, dialog] {
        if (dialog)
            (*handler)(dialog);
        ++m_handled;
        m_busy.erase(std::remove(m_busy.begin(), m_busy.end(), dialog), m_busy.end());
        if (dialog)
            forceClose(dialog);
    });
}
