#pragma once

#include <QLabel>
#include <QString>

// A one-line label for texts that may not fit, such as the description in a page's header strip:
// a text wider than the label is cut at the right with an ellipsis ("Simple Search : a very lo…"),
// so its beginning always shows, and the whole text becomes the label's tool tip. The label can
// shrink to the width of the ellipsis, so a layout never has to clip it.
class TElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The text as it is drawn at the label's present width.
    QString shownText() const;
    // For a label whose tool tip says something else (a link's address): the tool tip is left
    // to its owner instead of showing the whole text.
    void keepOwnToolTip() { m_tipFollowsText = false; }
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_tipFollowsText = true;
};
