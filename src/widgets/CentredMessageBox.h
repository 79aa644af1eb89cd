#pragma once

#include <QMessageBox>

// A standard message box that opens centred over its parent's window, placed once it has taken
// its final size and before it appears, so no window manager puts it elsewhere (top left of the
// screen, say). Without a parent it opens where the toolkit puts it.
//
// A word too long for one line (a long name without blanks) is given places to break, so the box
// wraps it instead of cutting it off (the caller's text is unchanged; the box shows it so).
class TCentredMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    TCentredMessageBox(Icon icon, const QString& caption, const QString& text,
                       StandardButtons buttons, QWidget* parent);

    // The text as the box lays it out: every run of more than LongestUnbrokenRun characters
    // without a blank gets a zero-width break opportunity after each such run.
    static QString breakable(const QString& text);
    static constexpr int LongestUnbrokenRun = 50;

protected:
    void showEvent(QShowEvent* event) override;
};
