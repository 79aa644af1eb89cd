#include "widgets/FocusMark.h"

#include <QColor>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QRect>

bool FocusMark::presses(const QKeyEvent& event)
{
    const int key = event.key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void FocusMark::draw(QPainter& painter, const QRect& area, const QColor& colour)
{
    QPen pen(colour);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(area);
}
