#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QWidget>

class QPixmap;

// The section tab of the main window: a speed button that belongs to an exclusive group by its
// group number (pressing one releases the other buttons of that group with the same parent),
// with a caption and a click.
//
// Image is drawn while the button is pressed and ImageDown while it is released: the names say
// the opposite, but that is how the tabs are set up (the pressed tab shows btnTabUp). The caption
// uses the button's own font while the button is pressed or under the mouse, FontOver otherwise.
// A button with a group number of 0 or less paints nothing.
//
// Keyboard: the button is in the tab order; with the focus it shows a dotted frame, and Space or
// Enter clicks it.
//
// Pictures are referenced, never copied: they must outlive the button (the image store does).
class TAdvButton : public QWidget
{
    Q_OBJECT

public:
    struct PaintRecord
    {
        enum Picture { Nothing, Image, ImageDown };
        bool painted = false; // false when the group number kept the button blank
        Picture picture = Nothing;
        QPoint caption;         // top left corner of the caption, whole pixels
        bool fontOver = false;  // caption in FontOver (else the button's own font)
        bool focusMark = false; // dotted focus frame drawn (the button has the keyboard focus)
    };

    explicit TAdvButton(QWidget* parent = nullptr);

    void setGroupIndex(int group);
    int groupIndex() const { return m_groupIndex; }
    // Pressing releases the other buttons of the group. Only a button of a group (number above
    // 0) can be down.
    void setDown(bool down);
    bool isDown() const { return m_down; }

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

    // Setting Image resizes the button to the picture. nullptr clears a picture.
    void setImage(const QPixmap* picture);
    void setImageDown(const QPixmap* picture);
    // Kept with the others but never drawn.
    void setImageOver(const QPixmap* picture);
    const QPixmap* image() const { return m_image; }
    const QPixmap* imageDown() const { return m_imageDown; }
    const QPixmap* imageOver() const { return m_imageOver; }

    // Caption colour in the button's own font (the font itself is QWidget::font()).
    void setFontColor(const QColor& color);
    QColor fontColor() const { return m_fontColor; }
    void setFontOver(const QFont& font, const QColor& color);
    QFont fontOver() const { return m_fontOver; }
    QColor fontOverColor() const { return m_fontOverColor; }

    bool isMouseOver() const { return m_mouseOver; }
    // Pressed as painted: down, or held by the mouse with the pointer on it.
    bool isPressed() const { return m_down || (m_held && m_heldInside); }
    const PaintRecord& lastPaint() const { return m_lastPaint; }

    // What a click by the user does: press the button (within its group) and report the click.
    void click();
    void mouseEntered();
    void mouseLeft();

    // The size of Image, or 25 x 25 without one.
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void releaseGroupSiblings();

    int m_groupIndex = 0;
    bool m_down = false;
    QString m_caption;
    const QPixmap* m_image = nullptr;
    const QPixmap* m_imageDown = nullptr;
    const QPixmap* m_imageOver = nullptr;
    QColor m_fontColor = Qt::black;
    QFont m_fontOver;
    QColor m_fontOverColor = Qt::black;
    bool m_mouseOver = false;
    bool m_held = false;
    bool m_heldInside = false;
    QPointF m_captionPos; // kept from the last paint with an Image
    PaintRecord m_lastPaint;
};
