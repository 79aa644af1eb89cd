#include "widgets/AdvButton.h"

#include "widgets/FocusMark.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>

namespace {
bool isSet(const QPixmap* picture)
{
    return picture && !picture->isNull();
}
} // namespace

TAdvButton::TAdvButton(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Tab only: a click does not take the focus from what the user was typing in.
    setFocusPolicy(Qt::TabFocus);
    resize(25, 25);
    m_fontOver = font();
}

void TAdvButton::setGroupIndex(int group)
{
    m_groupIndex = group;
    if (m_groupIndex <= 0)
        m_down = false;
    update();
}

void TAdvButton::setDown(bool down)
{
    if (m_groupIndex <= 0)
        down = false;
    if (down == m_down)
        return;
    m_down = down;
    if (m_down)
        releaseGroupSiblings();
    update();
}

void TAdvButton::releaseGroupSiblings()
{
    if (!parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TAdvButton*>(Qt::FindDirectChildrenOnly);
    for (TAdvButton* other : siblings)
        if (other != this && other->m_groupIndex == m_groupIndex)
            other->setDown(false);
}

void TAdvButton::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TAdvButton::setImage(const QPixmap* picture)
{
    m_image = picture;
    if (isSet(picture))
        resize(picture->size());
    updateGeometry();
    update();
}

QSize TAdvButton::sizeHint() const
{
    return isSet(m_image) ? m_image->size() : QSize(25, 25);
}

void TAdvButton::setImageDown(const QPixmap* picture)
{
    m_imageDown = picture;
    update();
}

void TAdvButton::setImageOver(const QPixmap* picture)
{
    m_imageOver = picture;
    update();
}

void TAdvButton::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void TAdvButton::setFontOver(const QFont& font, const QColor& color)
{
    // FontOver stands on its own: nothing of the button's font (say, bold) blends into it when
    // it is drawn.
    m_fontOver = font;
    m_fontOver.setResolveMask(QFont::AllPropertiesResolved);
    m_fontOverColor = color;
    update();
}

void TAdvButton::click()
{
    setDown(true);
    emit clicked();
}

void TAdvButton::mouseEntered()
{
    m_mouseOver = true;
    update();
}

void TAdvButton::mouseLeft()
{
    m_mouseOver = false;
    update();
}

void TAdvButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_held = true;
        m_heldInside = true;
        update();
    }
    event->accept();
}

void TAdvButton::mouseMoveEvent(QMouseEvent* event)
{
    if (m_held) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside != m_heldInside) {
            m_heldInside = inside;
            update();
        }
    }
    event->accept();
}

void TAdvButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_held) {
        m_held = false;
        update();
        if (rect().contains(event->position().toPoint()))
            click();
    }
    event->accept();
}

void TAdvButton::enterEvent(QEnterEvent* event)
{
    mouseEntered();
    QWidget::enterEvent(event);
}

void TAdvButton::leaveEvent(QEvent* event)
{
    mouseLeft();
    QWidget::leaveEvent(event);
}

void TAdvButton::paintEvent(QPaintEvent*)
{
    PaintRecord record;
    if (m_groupIndex <= 0) {
        m_lastPaint = record;
        return;
    }
    record.painted = true;
    const bool pressed = isPressed();
    record.fontOver = !(pressed || m_mouseOver);
    const QFont& captionFont = record.fontOver ? m_fontOver : font();
    const QFontMetricsF metrics(captionFont);
    if (isSet(m_image)) {
        m_captionPos = QPointF(m_image->width() / 2.0 - metrics.horizontalAdvance(m_caption) / 2,
                               m_image->height() / 2.0 - metrics.height() / 2);
    }

    const QPixmap* picture = nullptr;
    QPointF caption = m_captionPos;
    if (pressed) {
        if (!isSet(m_image)) {
            m_lastPaint = record;
            return;
        }
        picture = m_image;
        record.picture = PaintRecord::Image;
    } else {
        if (isSet(m_imageDown)) {
            picture = m_imageDown;
            record.picture = PaintRecord::ImageDown;
        } else if (isSet(m_image)) {
            picture = m_image;
            record.picture = PaintRecord::Image;
        }
        caption += QPointF(1, 1);
    }
    record.caption = QPoint(static_cast<int>(caption.x()), static_cast<int>(caption.y()));

    QPainter p(this);
    if (picture)
        p.drawPixmap(0, 0, *picture);
    p.setFont(captionFont);
    p.setPen(record.fontOver ? m_fontOverColor : m_fontColor);
    p.drawText(QPointF(record.caption.x(), record.caption.y() + metrics.ascent()), m_caption);
    if (hasFocus()) {
        FocusMark::draw(p, rect().adjusted(2, 2, -3, -3), m_fontColor);
        record.focusMark = true;
    }
    m_lastPaint = record;
}

void TAdvButton::keyPressEvent(QKeyEvent* event)
{
    if (FocusMark::presses(*event)) {
        event->accept();
        click();
        return;
    }
    QWidget::keyPressEvent(event);
}
