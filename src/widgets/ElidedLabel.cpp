#include "widgets/ElidedLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

TElidedLabel::TElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QString TElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize TElidedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + margins.left() +
                      margins.right() + 2 * margin();
    return {width, QLabel::minimumSizeHint().height()};
}

void TElidedLabel::paintEvent(QPaintEvent*)
{
    const QString shown = shownText();
    // The tool tip follows every change of the text or the width, both of which repaint.
    const QString tip = shown == text() ? QString() : text();
    if (m_tipFollowsText && toolTip() != tip)
        setToolTip(tip);
    QPainter painter(this);
    const QRect area =
        contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}
