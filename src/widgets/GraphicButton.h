#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class QPixmap;
class TFormImageContainer;

// The picture button used everywhere except for the section tabs: a light control without
// keyboard focus that paints pictures of the image store. Image is drawn at rest, ImageDown while
// the button looks pressed and ImageOver while the mouse is over it (see paintEvent for the exact
// choice). A button with AllowDown toggles: each press flips Down.
//
// Pictures are referenced, never copied: they must outlive the button (the image store does).
class TGraphicButton : public QWidget
{
    Q_OBJECT

public:
    // What the last paint drew: which picture, where the caption went and in which font.
    struct PaintRecord
    {
        enum Picture { Nothing, Image, ImageDown, ImageOver };
        Picture picture = Nothing;
        QPoint caption;         // top left corner of the caption, whole pixels
        bool fontOver = false;  // caption in FontOver (else the button's own font)
        bool focusMark = false; // dotted focus frame drawn (the button has the keyboard focus)
    };

    explicit TGraphicButton(QWidget* parent = nullptr);
    // A button inside parent named objectName, with hint as its tool tip, showing the pictures
    // picture + "Up", "Down" and "Over" of the image store.
    static TGraphicButton* fromStore(const TFormImageContainer& images, const QString& picture,
                                     const QString& objectName, const QString& hint,
                                     QWidget* parent);

    // Setting Image resizes the button to the picture. nullptr clears a picture.
    void setImage(const QPixmap* picture);
    void setImageDown(const QPixmap* picture);
    void setImageOver(const QPixmap* picture);
    // The three pictures at once (Image, ImageDown, ImageOver).
    void setPictures(const QPixmap* up, const QPixmap* down, const QPixmap* over);
    // The three pictures stored under picture + "Up", "Down" and "Over".
    void setStorePictures(const TFormImageContainer& images, const QString& picture);
    const QPixmap* image() const { return m_image; }
    const QPixmap* imageDown() const { return m_imageDown; }
    const QPixmap* imageOver() const { return m_imageOver; }

    void setText(const QString& text);
    QString text() const { return m_text; }
    // Caption colour in the button's own font (the font itself is QWidget::font()).
    void setFontColor(const QColor& color);
    QColor fontColor() const { return m_fontColor; }
    void setFontOver(const QFont& font, const QColor& color);
    QFont fontOver() const { return m_fontOver; }
    QColor fontOverColor() const { return m_fontOverColor; }

    void setAllowDown(bool allow);
    bool allowDown() const { return m_allowDown; }
    // Down can only be true when AllowDown is.
    void setDown(bool down);
    bool isDown() const { return m_down; }

    bool isMouseOver() const { return m_mouseOver; }
    bool isPressedLook() const { return m_pressedLook; }
    const PaintRecord& lastPaint() const { return m_lastPaint; }

    // Mouse handling of the button, also used by tests to walk through its states.
    void leftButtonDown();
    void leftButtonUp();
    void mouseEntered();
    void mouseLeft();

    // The size of Image, or 25 x 25 without one.
    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Space and Enter press the button. (QWidget repaints it as it gains or loses the focus,
    // which shows or hides the focus mark.)
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QPixmap* m_image = nullptr;
    const QPixmap* m_imageDown = nullptr;
    const QPixmap* m_imageOver = nullptr;
    QString m_text;
    QColor m_fontColor = Qt::black;
    QFont m_fontOver;
    QColor m_fontOverColor = Qt::black;
    bool m_allowDown = false;
    bool m_down = false;
    bool m_mouseOver = false;
    bool m_pressedLook = false;
    bool m_doubleClickRelease = false; // the release ending a double click gives no click
    PaintRecord m_lastPaint;
};
