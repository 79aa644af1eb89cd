#include "support/ModalDialogDriver.h"
#include "support/PictureButtons.h"
#include "widgets/FormImageContainer.h"
#include "widgets/FormTemplateDialog.h"
#include "widgets/GraphicButton.h"

#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DialogFrame : public ::testing::Test
{
protected:
    TFormImageContainer images;
};

TEST_F(DialogFrame, IsBuiltOfTitleBarExitButtonAndOkCancel)
{
    TFormTemplateDialog dialog(images);
    dialog.setDialogTitle("Food Group");
    dialog.setDialogSize(380, 200);
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dialog.size(), QSize(380, 200));

    auto* title = dialog.findChild<QLabel*>("lblDialogTitle");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Food Group");
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->font().pixelSize(), 15);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0x00, 0x09, 0x77));
    EXPECT_EQ(title->parentWidget()->height(), 21);
    EXPECT_EQ(title->parentWidget()->palette().color(QPalette::Window), QColor(0x01, 0x45, 0xB6));

    struct Expect
    {
        const char* name;
        QSize size;
        const char* hint;
        const char* picture;
    };
    for (const Expect& e : {Expect{"ButtonExit", QSize(22, 22), "", "ImgExitNormal"},
                            Expect{"BtnOk", QSize(48, 48), "Ok", "ImgOkUp"},
                            Expect{"BtnCancel", QSize(48, 48), "Cancel", "ImgCancelUp"}}) {
        auto* button = dialog.findChild<TGraphicButton*>(e.name);
        ASSERT_NE(button, nullptr) << e.name;
        EXPECT_EQ(button->size(), e.size) << e.name;
        EXPECT_EQ(button->toolTip(), QString(e.hint)) << e.name;
        EXPECT_EQ(button->image(), &images.picture(e.picture)) << e.name;
    }

    dialog.placeOkCancel(QPoint(200, 90), QPoint(270, 90));
    EXPECT_EQ(dialog.btnOk()->pos(), QPoint(200, 90));
    EXPECT_EQ(dialog.btnCancel()->parentWidget(), dialog.contentArea());
}

TEST_F(DialogFrame, ButtonsReportOkOrCancelAndOnlyHideTheDialog)
{
    struct Case
    {
        const char* button;
        int result;
    };
    for (const Case& c : {Case{"BtnOk", QDialog::Accepted}, Case{"BtnCancel", QDialog::Rejected},
                          Case{"ButtonExit", QDialog::Rejected}}) {
        auto* dialog = new TFormTemplateDialog(images);
        QPointer<TFormTemplateDialog> alive(dialog);
        EXPECT_EQ(dialog->closeResult(), QDialog::Rejected);
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* shown) {
            EXPECT_EQ(shown, dialog);
            PictureButtons::click(shown, c.button);
        });
        EXPECT_EQ(dialog->execDialog(), c.result) << c.button;
        EXPECT_EQ(dialog->closeResult(), c.result) << c.button;
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_FALSE(alive.isNull());
        delete dialog;
    }
}

TEST_F(DialogFrame, ButtonsShownAgainDrawTheirRestingPicture)
{
    // The mouse entered the button and clicked it; the dialog closed before the mouse could
    // leave. Shown again, no button is drawn as if the mouse were over it or pressing it.
    TFormTemplateDialog dialog(images);
    for (const char* name : {"ButtonExit", "BtnCancel"}) {
        SCOPED_TRACE(name);
        ModalDialogDriver driver;
        driver.whenShown([name](QWidget* shown) {
            auto* button = shown->findChild<TGraphicButton*>(name);
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(button, &enter);
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        });
        dialog.execDialog();
        dialog.show();
        auto* button = dialog.findChild<TGraphicButton*>(name);
        button->grab(); // paints it
        EXPECT_FALSE(button->isMouseOver());
        EXPECT_FALSE(button->isPressedLook());
        EXPECT_EQ(button->lastPaint().picture, TGraphicButton::PaintRecord::Image);
        dialog.hide();
    }
}

TEST_F(DialogFrame, EscapeCancelsWhereverTheFocusIsExceptInAPlainTextBox)
{
    TFormTemplateDialog dialog(images);
    auto* plainEdit = new QLineEdit(dialog.contentArea());
    auto* boundEdit = new QLineEdit(dialog.contentArea());
    auto* grid = new QTableView(dialog.contentArea());
    QStandardItemModel model(2, 2);
    grid->setModel(&model);
    dialog.bindEscape(grid);
    dialog.bindEditKeys(boundEdit);
    auto* plainGrid = new QTableView(dialog.contentArea());
    plainGrid->setModel(&model);

    struct Case
    {
        const char* what;
        QWidget* focus;
        Qt::Key key;
        bool closes;
        int result;
    };
    const Case cases[] = {
        {"Escape on the window", &dialog, Qt::Key_Escape, true, QDialog::Rejected},
        {"Enter on the window", &dialog, Qt::Key_Return, false, QDialog::Rejected},
        {"Escape on a plain edit box", plainEdit, Qt::Key_Escape, false, QDialog::Rejected},
        {"Escape on any other control", plainGrid, Qt::Key_Escape, true, QDialog::Rejected},
        {"Escape on a bound grid", grid, Qt::Key_Escape, true, QDialog::Rejected},
        {"Enter on a bound edit box", boundEdit, Qt::Key_Return, true, QDialog::Accepted},
        {"Escape on a bound edit box", boundEdit, Qt::Key_Escape, true, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        bool closed = false;
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget*) {
            c.focus->setFocus();
            ASSERT_EQ(dialog.focusWidget(), c.focus) << c.what;
            QTest::keyClick(c.focus, c.key);
            closed = !dialog.isVisible();
        });
        const int result = dialog.execDialog();
        EXPECT_EQ(closed, c.closes) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
    }
}

TEST_F(DialogFrame, CloseResultIsKeptBetweenShowings)
{
    TFormTemplateDialog dialog(images);
    // Closed by other means than its buttons, the dialog reports the result recorded last.
    struct Showing
    {
        const char* button; // nullptr: closed by the window system
        int result;
    };
    for (const Showing& s :
         {Showing{"BtnOk", QDialog::Accepted}, Showing{nullptr, QDialog::Accepted},
          Showing{"BtnCancel", QDialog::Rejected}, Showing{nullptr, QDialog::Rejected}}) {
        const int before = dialog.closeResult();
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* shown) {
            EXPECT_EQ(dialog.closeResult(), before);
            if (s.button)
                PictureButtons::click(shown, s.button);
            else
                shown->close();
        });
        EXPECT_EQ(dialog.execDialog(), s.result) << (s.button ? s.button : "closed");
    }
}

// A dialog whose close query refuses until it is allowed.
class GuardedDialog : public TFormTemplateDialog
{
public:
    using TFormTemplateDialog::TFormTemplateDialog;
    bool allow = false;
    bool asked = false;

protected:
    bool canClose() override
    {
        asked = true;
        return allow;
    }
};

TEST_F(DialogFrame, CloseQueryIsAskedOnlyForOkAndARefusalKeepsTheDialogOpen)
{
    GuardedDialog dialog(images);
    auto* edit = new QLineEdit(dialog.contentArea());
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* shown) {
        edit->setText("kept");
        PictureButtons::click(shown, "BtnOk");
        EXPECT_TRUE(dialog.asked);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(edit->text(), "kept");
        dialog.allow = true;
        PictureButtons::click(shown, "BtnOk");
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(dialog.execDialog(), QDialog::Accepted);

    dialog.allow = false;
    dialog.asked = false;
    driver.whenShown([&](QWidget* shown) { PictureButtons::click(shown, "BtnCancel"); });
    EXPECT_EQ(dialog.execDialog(), QDialog::Rejected);
    EXPECT_FALSE(dialog.asked);
}

// A dialog that validates its input replaces the OK action.
class ValidatingDialog : public TFormTemplateDialog
{
public:
    ValidatingDialog(const TFormImageContainer& images) : TFormTemplateDialog(images)
    {
        edit = new QLineEdit(contentArea());
    }
    void btnOkClick() override
    {
        if (edit->text().isEmpty())
            complaint = "Please enter a name";
        else
            confirmDialog();
    }
    QLineEdit* edit;
    QString complaint;
};

TEST_F(DialogFrame, ReplacedOkActionKeepsTheDialogOpenOnBadInput)
{
    ValidatingDialog dialog(images);
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* shown) {
        PictureButtons::click(shown, "BtnOk");
        EXPECT_EQ(dialog.complaint, "Please enter a name");
        EXPECT_TRUE(dialog.isVisible());
        dialog.edit->setText("Snacks");
        PictureButtons::click(shown, "BtnOk");
    });
    EXPECT_EQ(dialog.execDialog(), QDialog::Accepted);
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF at)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST_F(DialogFrame, DraggingAnyMovingPartMovesTheDialogByTheMouse)
{
    TFormTemplateDialog dialog(images);
    dialog.setDialogSize(300, 200);
    dialog.show();
    for (const char* part : {"lblDialogTitle", "PanelDialogTitle", "PanelDialog",
                             "PanelDialogContent", "FormTemplateDialog"}) {
        QWidget* target = dialog.objectName() == part ? &dialog : dialog.findChild<QWidget*>(part);
        ASSERT_NE(target, nullptr) << part;
        dialog.move(100, 100);
        sendMouse(target, QEvent::MouseButtonPress, QPointF(2, 2));
        // Differences are cut toward zero; the start point stays where the drag began.
        sendMouse(target, QEvent::MouseMove, QPointF(27.8, 14.3));
        EXPECT_EQ(dialog.pos(), QPoint(125, 112)) << part;
        sendMouse(target, QEvent::MouseMove, QPointF(-0.5, 2));
        EXPECT_EQ(dialog.pos(), QPoint(123, 112)) << part;
        sendMouse(target, QEvent::MouseButtonRelease, QPointF(-0.5, 2));
        sendMouse(target, QEvent::MouseMove, QPointF(50, 50));
        EXPECT_EQ(dialog.pos(), QPoint(123, 112)) << part;
    }

    // Not by a label on the panel, nor by the bottom border.
    auto* label = new QLabel("Name:", dialog.contentArea());
    label->setGeometry(10, 10, 80, 20);
    label->show();
    const std::pair<QWidget*, QPointF> still[] = {{label, QPointF(5, 5)},
                                                  {&dialog, QPointF(150, 198)}};
    for (const auto& [target, at] : still) {
        dialog.move(100, 100);
        sendMouse(target, QEvent::MouseButtonPress, at);
        sendMouse(target, QEvent::MouseMove, at + QPointF(30, 20));
        EXPECT_EQ(dialog.pos(), QPoint(100, 100)) << target->metaObject()->className();
        sendMouse(target, QEvent::MouseButtonRelease, at + QPointF(30, 20));
    }

    dialog.showMaximized();
    const QPoint maximized = dialog.pos();
    sendMouse(dialog.contentArea(), QEvent::MouseButtonPress, QPointF(2, 2));
    sendMouse(dialog.contentArea(), QEvent::MouseMove, QPointF(40, 40));
    EXPECT_EQ(dialog.pos(), maximized);
    sendMouse(dialog.contentArea(), QEvent::MouseButtonRelease, QPointF(40, 40));
    dialog.hide();
}

TEST_F(DialogFrame, IsCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(40, 60, 500, 400);
    owner.show();
    TFormTemplateDialog dialog(images, &owner);
    dialog.setDialogSize(200, 100);
    dialog.show();
    EXPECT_LE((dialog.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
    dialog.hide();
}

} // namespace
