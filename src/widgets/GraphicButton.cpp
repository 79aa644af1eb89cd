#include "widgets/GraphicButton.h"

#include "widgets/FocusMark.h"
#include "widgets/FormImageContainer.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPixmap>

namespace {
bool isSet(const QPixmap* picture)
{
    return picture && !picture->isNull();
}
} // namespace

TGraphicButton::TGraphicButton(QWidget* parent) : QWidget(parent)
{
    // Reached with Tab so that everything the button does can be done from the keyboard; a
    // mouse click does not take the focus from the field being edited.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(25, 25);
    m_fontOver = font();
}

TGraphicButton* TGraphicButton::fromStore(const TFormImageContainer& images, const QString& picture,
                                          const QString& objectName, const QString& hint,
                                          QWidget* parent)
{
    auto* button = new TGraphicButton(parent);
    button->setObjectName(objectName);
    button->setStorePictures(images, picture);
    button->setToolTip(hint);
    return button;
}

void TGraphicButton::setImage(const QPixmap* picture)
{
    m_image = picture;
    if (isSet(picture))
        resize(picture->size());
    updateGeometry();
    update();
}

QSize TGraphicButton::sizeHint() const
{
    return isSet(m_image) ? m_image->size() : QSize(25, 25);
}

void TGraphicButton::setImageDown(const QPixmap* picture)
{
    m_imageDown = picture;
    update();
}

void TGraphicButton::setImageOver(const QPixmap* picture)
{
    m_imageOver = picture;
    update();
}

void TGraphicButton::setPictures(const QPixmap* up, const QPixmap* down, const QPixmap* over)
{
    setImage(up);
    setImageDown(down);
    setImageOver(over);
}

void TGraphicButton::setStorePictures(const TFormImageContainer& images, const QString& picture)
{
    setPictures(&images.picture(picture + "Up"), &images.picture(picture + "Down"),
                &images.picture(picture + "Over"));
}

void TGraphicButton::setText(const QString& text)
{
    m_text = text;
    update();
}

void TGraphicButton::setFontColor(const QColor& color)
{
    m_fontColor = color;
    update();
}

void TGraphicButton::setFontOver(const QFont& font, const QColor& color)
{
    // FontOver stands on its own: nothing of the button's font (say, bold) blends into it when
    // it is drawn.
    m_fontOver = font;
    m_fontOver.setResolveMask(QFont::AllPropertiesResolved);
    m_fontOverColor = color;
    update();
}

void TGraphicButton::setAllowDown(bool allow)
{
    m_allowDown = allow;
    update();
}

void TGraphicButton::setDown(bool down)
{
    m_down = m_allowDown && down;
    m_pressedLook = m_down;
    update();
}

void TGraphicButton::leftButtonDown()
{
    // A toggling button flips its state; a plain one looks pressed while the button is held.
    if (m_allowDown)
        setDown(!m_down);
    m_pressedLook = !m_down;
    update();
}

void TGraphicButton::leftButtonUp()
{
    m_pressedLook = m_down;
    update();
}

void TGraphicButton::mouseEntered()
{
    m_mouseOver = true;
    update();
}

void TGraphicButton::mouseLeft()
{
    m_pressedLook = m_down;
    m_mouseOver = false;
    update();
}

void TGraphicButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftButtonDown();
    event->accept();
}

void TGraphicButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click shows the pressed look but gives no second click: a
    // double click on maximize or delete acts once.
    if (event->button() == Qt::LeftButton) {
        leftButtonDown();
        m_doubleClickRelease = true;
    }
    event->accept();
}

void TGraphicButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    leftButtonUp();
    const bool second = m_doubleClickRelease;
    m_doubleClickRelease = false;
    if (!second && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void TGraphicButton::enterEvent(QEnterEvent* event)
{
    mouseEntered();
    QWidget::enterEvent(event);
}

void TGraphicButton::leaveEvent(QEvent* event)
{
    mouseLeft();
    QWidget::leaveEvent(event);
}

void TGraphicButton::hideEvent(QHideEvent* event)
{
    // A button hidden under the mouse (a dialog closed by its own exit button) gets no leave:
    // shown again, it must not keep its hover or pressed look.
    mouseLeft();
    m_doubleClickRelease = false;
    QWidget::hideEvent(event);
}

void TGraphicButton::paintEvent(QPaintEvent*)
{
    const bool useFontOver =
        (m_allowDown && !m_mouseOver && m_pressedLook) || (!m_allowDown && m_mouseOver);
    const QFont& captionFont = useFontOver ? m_fontOver : font();

    // Caption centred on the resting picture, or on the button when there is none.
    const QFontMetricsF metrics(captionFont);
    const QSizeF box = isSet(m_image) ? QSizeF(m_image->size()) : QSizeF(size());
    const qreal x = box.width() / 2 - metrics.horizontalAdvance(m_text) / 2;
    const qreal y = box.height() / 2 - metrics.height() / 2;

    // Choose the picture by mouse-over, pressed look and AllowDown; a picture that is not set
    // falls through to the next one. ImageDown moves the caption one pixel down and right.
    PaintRecord record;
    const QPixmap* picture = nullptr;
    auto pick = [&](const QPixmap* candidate, PaintRecord::Picture which) {
        if (!picture && isSet(candidate)) {
            picture = candidate;
            record.picture = which;
        }
    };
    if (m_pressedLook) {
        pick(m_imageDown, PaintRecord::ImageDown);
        pick(m_image, PaintRecord::Image);
    } else if (m_mouseOver && !m_allowDown) {
        pick(m_imageOver, PaintRecord::ImageOver);
        pick(m_imageDown, PaintRecord::ImageDown);
        pick(m_image, PaintRecord::Image);
    } else {
        pick(m_image, PaintRecord::Image);
    }

    if (picture) {
        const qreal shift = record.picture == PaintRecord::ImageDown ? 1 : 0;
        record.caption = QPoint(static_cast<int>(x + shift), static_cast<int>(y + shift));
        record.fontOver = useFontOver;
        QPainter p(this);
        p.drawPixmap(0, 0, *picture);
        if (!m_text.isEmpty()) {
            p.setFont(captionFont);
            p.setPen(useFontOver ? m_fontOverColor : m_fontColor);
            p.drawText(QPointF(record.caption.x(), record.caption.y() + metrics.ascent()), m_text);
        }
    }
    if (hasFocus()) {
        // Focus mark: a dotted frame just inside the button's edge.
        QPainter p(this);
        FocusMark::draw(p, rect().adjusted(1, 1, -2, -2), palette().color(QPalette::WindowText));
        record.focusMark = true;
    }
    m_lastPaint = record;
}

void TGraphicButton::keyPressEvent(QKeyEvent* event)
{
    if (FocusMark::presses(*event)) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
