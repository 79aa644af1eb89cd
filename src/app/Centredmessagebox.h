#pragma once

#include <QMessageBox>

// A standard message box that opens centred over its parent's window, placed once it has taken
// its final size and before it appears, so no window manager puts it elsewhere (top left of the
// screen, say). Without a parent it opens where the toolkit puts it.
class TCentredMessageBox : public QMessageBox
{
    Q_OBJECT

public:
    TCentredMessageBox(Icon icon, const QString& caption, const QString& text,
                       StandardButtons buttons, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
};
