#include "app/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MessageBoxPrompter::MessageBoxPrompter(QWidget* parent) : m_parent(parent) {}

QWidget* MessageBoxPrompter::owner() const
{
    if (m_parent)
        return m_parent;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void MessageBoxPrompter::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), text,
                    QMessageBox::Ok, owner());
    box.exec();
}

bool MessageBoxPrompter::question(const QString& caption, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompter::error(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), text,
                    QMessageBox::Ok, owner());
    box.exec();
}
