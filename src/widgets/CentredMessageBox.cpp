#include "widgets/CentredMessageBox.h"

#include <QGridLayout>
#include <QShowEvent>
#include <QSpacerItem>

namespace {
// Room a window manager's title bar takes besides the caption (icon and window buttons).
constexpr int CaptionButtonsWidth = 120;
} // namespace

TCentredMessageBox::TCentredMessageBox(Icon icon, const QString& caption, const QString& text,
                                       StandardButtons buttons, QWidget* parent)
    : QMessageBox(icon, caption, breakable(text), buttons, parent)
{
    // Wide enough for the window manager to show the whole caption beside its buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int width = fontMetrics().horizontalAdvance(caption) + CaptionButtonsWidth;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

QString TCentredMessageBox::breakable(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / LongestUnbrokenRun);
    int run = 0;
    for (const QChar c : text) {
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run == LongestUnbrokenRun) {
            out += QChar(0x200B); // zero width space: a place to break, drawn as nothing
            run = 0;
        }
    }
    return out;
}

void TCentredMessageBox::showEvent(QShowEvent* event)
{
    // The box sizes itself to its text here; the window is put on screen after this event.
    QMessageBox::showEvent(event);
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}
