#pragma once

#include "store/Prompter.h"

#include <QPointer>
#include <QWidget>

// Messages and questions in the desktop's standard message boxes, over the given window or, when
// none is given, over the window that is active at the time.
class MessageBoxPrompter : public Prompter
{
public:
    // Caption of plain messages and of the error box: the application title.
    static constexpr const char* ApplicationTitle = "Kelora - Vivanter";

    explicit MessageBoxPrompter(QWidget* parent = nullptr);

    void message(const QString& text) override;
    bool question(const QString& caption, const QString& text, Icon icon) override;
    void error(const QString& text) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
};
