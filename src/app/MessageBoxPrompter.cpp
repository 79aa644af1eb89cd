#include "app/MessageBoxPrompter.h"

#include "widgets/CentredMessageBox.h"

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
    QWidget* candidates[] = {m_parent, QApplication::activeModalWidget(),
                             QApplication::activeWindow(), m_mainWindow};
    for (QWidget* window : candidates)
        if (window && window->isVisible())
            return window->window();
    return nullptr;
}

void MessageBoxPrompter::message(const QString& text)
{
    TCentredMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), text,
                           QMessageBox::Ok, owner());
    box.exec();
}

bool MessageBoxPrompter::question(const QString& caption, const QString& text, Icon icon,
                                  Preset preset)
{
    TCentredMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                           owner());
    box.setDefaultButton(preset == Preset::Yes ? QMessageBox::Yes : QMessageBox::No);
    // Escape answers No whatever the preset.
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompter::error(const QString& text)
{
    TCentredMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), text,
                           QMessageBox::Ok, owner());
    box.exec();
}
