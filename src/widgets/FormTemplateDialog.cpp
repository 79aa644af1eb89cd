#include "widgets/FormTemplateDialog.h"

#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int Border = 4;
constexpr int TitleHeight = 21;
constexpr int ButtonSize = 48;
constexpr int ButtonMargin = 10;

constexpr QColor ClientColor(0x02, 0x51, 0xD5);
constexpr QColor PanelColor(0x00, 0x00, 0x80);
constexpr QColor TitleBarColor(0x01, 0x45, 0xB6);
constexpr QColor TitleTextColor(0x00, 0x09, 0x77);
constexpr QColor LineColor(0x5d, 0x9c, 0xff);

} // namespace

TFormTemplateDialog::TFormTemplateDialog(const TFormImageContainer& images, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_images(images)
{
    setObjectName("FormTemplateDialog");
    setModal(true);
    fillWith(this, ClientColor);

    m_panel = new QWidget(this);
    m_panel->setObjectName("PanelDialog");
    fillWith(m_panel, PanelColor);
    // Text on the navy panel is white unless a control says otherwise.
    setTextColor(m_panel, Qt::white);

    m_titleBar = new QWidget(m_panel);
    m_titleBar->setObjectName("PanelDialogTitle");
    fillWith(m_titleBar, TitleBarColor);

    m_title = new QLabel(m_titleBar);
    m_title->setObjectName("lblDialogTitle");
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    m_title->setFont(titleFont);
    setTextColor(m_title, TitleTextColor);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_line = new QFrame(m_panel);
    m_line->setObjectName("LineDialogTitle");
    fillWith(m_line, LineColor);

    m_content = new QWidget(m_panel);
    m_content->setObjectName("PanelDialogContent");

    m_buttonExit = new TGraphicButton(m_panel);
    m_buttonExit->setObjectName("ButtonExit");
    m_buttonExit->setPictures(&images.picture("ImgExitNormal"), &images.picture("ImgExitDown"),
                              &images.picture("ImgExitOver"));

    m_btnOk = TGraphicButton::fromStore(images, "ImgOk", "BtnOk", tr("Ok"), m_content);
    m_btnCancel =
        TGraphicButton::fromStore(images, "ImgCancel", "BtnCancel", tr("Cancel"), m_content);

    connect(m_btnOk, &TGraphicButton::clicked, this, [this] { btnOkClick(); });
    connect(m_btnCancel, &TGraphicButton::clicked, this, &TFormTemplateDialog::btnCancelClick);
    connect(m_buttonExit, &TGraphicButton::clicked, this, &TFormTemplateDialog::btnCancelClick);

    for (QWidget* mover : {m_panel, m_titleBar, static_cast<QWidget*>(m_title), m_content})
        mover->installEventFilter(this);

    setDialogSize(400, 300);
}

void TFormTemplateDialog::cancelDialog()
{
    m_closeResult = QDialog::Rejected;
    close();
}

void TFormTemplateDialog::confirmDialog()
{
    m_closeResult = QDialog::Accepted;
    close();
}

void TFormTemplateDialog::fillWith(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void TFormTemplateDialog::setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

int TFormTemplateDialog::execDialog()
{
    return exec() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
}

void TFormTemplateDialog::btnOkClick()
{
    confirmDialog();
}

void TFormTemplateDialog::btnCancelClick()
{
    cancelDialog();
}

void TFormTemplateDialog::accept()
{
    confirmDialog();
}

void TFormTemplateDialog::reject()
{
    cancelDialog();
}

bool TFormTemplateDialog::canClose()
{
    return true;
}

void TFormTemplateDialog::setDialogTitle(const QString& title)
{
    m_title->setText(title);
    setWindowTitle(title);
}

QString TFormTemplateDialog::dialogTitle() const
{
    return m_title->text();
}

void TFormTemplateDialog::setDialogSize(int width, int height)
{
    resize(width, height);
    layoutFrame();
}

void TFormTemplateDialog::placeOkCancel(const QPoint& ok, const QPoint& cancel)
{
    m_okCancelPlaced = true;
    m_btnOk->move(ok);
    m_btnCancel->move(cancel);
}

void TFormTemplateDialog::bindEscape(QWidget* grid)
{
    m_escapeWidgets.insert(grid);
    grid->installEventFilter(this);
}

void TFormTemplateDialog::bindEditKeys(QWidget* edit)
{
    m_editWidgets.insert(edit);
    edit->installEventFilter(this);
}

void TFormTemplateDialog::layoutFrame()
{
    const int panelWidth = width() - 2 * Border;
    const int panelHeight = height() - 2 * Border;
    m_panel->setGeometry(Border, Border, panelWidth, panelHeight);
    m_titleBar->setGeometry(0, 0, panelWidth, TitleHeight);
    m_title->setGeometry(6, 0, qMax(0, panelWidth - 6 - 26), TitleHeight);
    m_line->setGeometry(0, TitleHeight, panelWidth, 1);
    m_buttonExit->move(panelWidth - m_buttonExit->width(), 0);
    m_buttonExit->raise();
    m_content->setGeometry(0, TitleHeight + 1, panelWidth, qMax(0, panelHeight - TitleHeight - 1));
    if (!m_okCancelPlaced) {
        const int y = m_content->height() - ButtonSize - ButtonMargin;
        const int cancelX = m_content->width() - ButtonSize - ButtonMargin;
        m_btnCancel->move(cancelX, y);
        m_btnOk->move(cancelX - ButtonSize - ButtonMargin, y);
    }
}

void TFormTemplateDialog::centreOverOwner()
{
    QRect area;
    if (parentWidget())
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

bool TFormTemplateDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool escape = key->key() == Qt::Key_Escape;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (escape && (m_escapeWidgets.contains(watched) || m_editWidgets.contains(watched))) {
            cancelDialog();
            return true;
        }
        if (enter && m_editWidgets.contains(watched)) {
            btnOkClick();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (watched == m_panel || watched == m_titleBar || watched == m_title || watched == m_content) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const QPointF at = static_cast<QMouseEvent*>(event)->position();
            // A press that a control (a label, say) let through is not a press on the panel.
            QWidget* under = static_cast<QWidget*>(watched)->childAt(at.toPoint());
            if (under && !isMover(under))
                return QDialog::eventFilter(watched, event);
            dragStart(at);
            return true;
        }
        case QEvent::MouseMove:
            dragMove(static_cast<QMouseEvent*>(event)->position());
            return true;
        case QEvent::MouseButtonRelease:
            dragEnd();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormTemplateDialog::dragStart(const QPointF& at)
{
    m_dragStart = at;
    m_dragging = true;
}

void TFormTemplateDialog::dragMove(const QPointF& at)
{
    if (!m_dragging || isMaximized())
        return;
    // The stored point is not updated: the dialog follows the mouse, which stays on the same
    // point of the part it grabbed.
    const int dx = static_cast<int>(at.x() - m_dragStart.x());
    const int dy = static_cast<int>(at.y() - m_dragStart.y());
    move(x() + dx, y() + dy);
}

void TFormTemplateDialog::dragEnd()
{
    m_dragging = false;
}

bool TFormTemplateDialog::isMover(const QWidget* widget) const
{
    return widget == m_panel || widget == m_content || widget == m_titleBar || widget == m_title;
}

void TFormTemplateDialog::mousePressEvent(QMouseEvent* event)
{
    // The window moves by its left, right and top borders and by the panels above; not by the
    // bottom border, and not by a control (a label) that let the press through.
    const QPoint at = event->position().toPoint();
    QWidget* under = childAt(at);
    if (under ? !isMover(under) : at.y() >= height() - Border)
        return;
    dragStart(event->position());
}

void TFormTemplateDialog::mouseMoveEvent(QMouseEvent* event)
{
    dragMove(event->position());
}

void TFormTemplateDialog::mouseReleaseEvent(QMouseEvent*)
{
    dragEnd();
}

void TFormTemplateDialog::closeEvent(QCloseEvent* event)
{
    if (m_closeResult == QDialog::Accepted && !canClose()) {
        event->ignore();
        return;
    }
    event->accept();
    // Hides the dialog (it is never destroyed by closing) and ends its modal run.
    done(m_closeResult);
}

void TFormTemplateDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: {
        // Escape cancels wherever the focus is (a picture button, a list, nothing at all),
        // except in a text box that does not take it: there it only leaves the typing alone.
        const QWidget* focus = focusWidget();
        const bool textBox =
            qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus);
        if (!textBox)
            cancelDialog();
        event->accept();
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter has no meaning in the frame; dialogs bind it to their edit boxes.
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TFormTemplateDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width(), h = height();
    auto picture = [this](const char* name) -> const QPixmap& {
        return m_images.picture(QLatin1String(name));
    };
    p.drawPixmap(QRect(0, 0, Border, Border), picture("DlgBorderTopLeft"));
    p.drawPixmap(QRect(Border, 0, w - 2 * Border, Border), picture("DlgBorderTop"));
    p.drawPixmap(QRect(w - Border, 0, Border, Border), picture("DlgBorderTopRight"));
    p.drawPixmap(QRect(0, Border, Border, h - 2 * Border), picture("DlgBorderLeft"));
    p.drawPixmap(QRect(w - Border, Border, Border, h - 2 * Border), picture("DlgBorderRight"));
    p.drawPixmap(QRect(0, h - Border, Border, Border), picture("DlgBorderBottomLeft"));
    p.drawPixmap(QRect(Border, h - Border, w - 2 * Border, Border), picture("DlgBorderBottom"));
    p.drawPixmap(QRect(w - Border, h - Border, Border, Border), picture("DlgBorderBottomRight"));
}

void TFormTemplateDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutFrame();
}

void TFormTemplateDialog::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOverOwner();
    QDialog::setVisible(visible);
}

void TFormTemplateDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Shown again, the window is mapped anew; a window manager that would put it back where it
    // stood before is given its place once more, now that it is mapped.
    if (!event->spontaneous()) {
        QMetaObject::invokeMethod(this, &TFormTemplateDialog::centreOverOwner,
                                  Qt::QueuedConnection);
        // A window manager still mapping the window may yet put it elsewhere (openbox, at
        // times, at the screen's corner): once it has had the time to, the place is given again.
        QTimer::singleShot(100, this, &TFormTemplateDialog::centreOverOwner);
    }
}
