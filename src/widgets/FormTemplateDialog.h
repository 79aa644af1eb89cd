#pragma once

#include <QDialog>
#include <QPointF>
#include <QSet>

class QColor;
class QFrame;
class QLabel;
class TFormImageContainer;
class TGraphicButton;

// The frame every dialog of the program is built on: a borderless, modal window centred over its
// owner, with a 4-pixel picture border, a navy panel, a title bar (title label lblDialogTitle and
// exit button ButtonExit) and the OK and Cancel buttons BtnOk and BtnCancel.
//
// How a dialog reports: CloseResult is Cancel when the dialog is created, becomes Cancel through
// cancelDialog() (Cancel button, exit button, Escape) and OK through confirmDialog() (the OK
// action). It is not reset when the dialog is shown again. Closing hides the dialog (it is never
// destroyed by closing) and makes CloseResult its result: execDialog() returns
// QDialog::Accepted only for OK.
//
// What a dialog adds: its size (setDialogSize), its title (setDialogTitle), its controls inside
// contentArea() (the navy area below the title bar; absolute positions or a layout), the places
// of BtnOk and BtnCancel (placeOkCancel; until then they sit at the bottom right corner), its own
// OK action (override btnOkClick() to validate, then call confirmDialog()), its close query
// (override canClose(), asked only when CloseResult is OK), and the keys of its own controls:
// bindEscape() for grids (Escape cancels), bindEditKeys() for edit boxes and for lists whose
// double click confirms (Enter runs the OK action, Escape cancels). Escape anywhere else cancels
// too, except in a text box that does not take it.
//
// The dialog is moved by dragging its border, title bar, title label or the navy panel, except
// while maximized.
class TFormTemplateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TFormTemplateDialog(const TFormImageContainer& images, QWidget* owner = nullptr);

    // QDialog::Accepted (OK) or QDialog::Rejected (Cancel).
    int closeResult() const { return m_closeResult; }
    // CloseResult = Cancel, then close.
    void cancelDialog();
    // CloseResult = OK, then close (unless the close query refuses).
    void confirmDialog();
    // Shows the dialog modally; QDialog::Accepted when it was confirmed, else Rejected.
    int execDialog();
    // The same as a yes or no: true when it was confirmed.
    bool execConfirmed() { return execDialog() == QDialog::Accepted; }

    // The OK action (BtnOk). The frame's action confirms; validating dialogs replace it.
    virtual void btnOkClick();
    // The Cancel action (BtnCancel and ButtonExit).
    void btnCancelClick();

    void setDialogTitle(const QString& title);
    QString dialogTitle() const;
    // The whole dialog's size, border included.
    void setDialogSize(int width, int height);
    // The navy area below the title bar where a dialog puts its controls.
    QWidget* contentArea() const { return m_content; }
    TGraphicButton* btnOk() const { return m_btnOk; }
    TGraphicButton* btnCancel() const { return m_btnCancel; }
    TGraphicButton* buttonExit() const { return m_buttonExit; }
    // Places BtnOk and BtnCancel (top left corners, in contentArea() coordinates).
    void placeOkCancel(const QPoint& ok, const QPoint& cancel);
    // Escape on this widget (a grid) cancels the dialog.
    void bindEscape(QWidget* grid);
    // Enter on this widget (an edit box) runs the OK action, Escape cancels the dialog.
    void bindEditKeys(QWidget* edit);

    // Closing through QDialog's own slots goes through the frame's actions too.
    void accept() override;
    void reject() override;

protected:
    // The skin's pictures the dialog was built with.
    const TFormImageContainer& images() const { return m_images; }
    // A widget's own ground in color, or its text in color.
    static void fillWith(QWidget* widget, const QColor& color);
    static void setTextColor(QWidget* widget, const QColor& color);
    // The close query: asked when the dialog closes with CloseResult OK. Returning false keeps
    // the dialog open with its data.
    virtual bool canClose();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

public:
    // Shown, the dialog is first centred over its owner: its place is set before its window is
    // mapped, so the window manager puts it there and every pop-up and message box of its
    // first showing opens from where it really stands.
    void setVisible(bool visible) override;

private:
    void layoutFrame();
    void centreOverOwner();
    // Dragging (shared by the window and the parts that move it).
    // The parts by which the dialog is dragged (besides its side and top borders).
    bool isMover(const QWidget* widget) const;
    void dragStart(const QPointF& at);
    void dragMove(const QPointF& at);
    void dragEnd();

    const TFormImageContainer& m_images;
    int m_closeResult = QDialog::Rejected;
    QWidget* m_panel = nullptr;
    QWidget* m_titleBar = nullptr;
    QLabel* m_title = nullptr;
    QFrame* m_line = nullptr;
    QWidget* m_content = nullptr;
    TGraphicButton* m_buttonExit = nullptr;
    TGraphicButton* m_btnOk = nullptr;
    TGraphicButton* m_btnCancel = nullptr;
    bool m_okCancelPlaced = false;
    QSet<QObject*> m_escapeWidgets;
    QSet<QObject*> m_editWidgets;
    QPointF m_dragStart;
    bool m_dragging = false;
};
