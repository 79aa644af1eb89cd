#include "app/MessageBoxPrompter.h"
#include "support/ModalDialogDriver.h"
#include "widgets/CentredMessageBox.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(MessageBoxPrompter, ShowsMessagesQuestionsAndErrorsInStandardBoxes)
{
    struct Shown
    {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    auto capture = [](Shown& shown, QMessageBox::StandardButton answer) {
        return [&shown, answer](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            shown = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(answer)->click();
        };
    };
    MessageBoxPrompter prompter;
    ModalDialogDriver driver;

    Shown message;
    driver.whenShown(capture(message, QMessageBox::Ok));
    prompter.message("Missing Group Name");
    EXPECT_EQ(message.caption, "Kelora - Vivanter");
    EXPECT_EQ(message.text, "Missing Group Name");
    EXPECT_EQ(message.icon, QMessageBox::NoIcon);
    EXPECT_EQ(message.buttons, QMessageBox::Ok);

    Shown error;
    driver.whenShown(capture(error, QMessageBox::Ok));
    prompter.error("unable to open database file");
    EXPECT_EQ(error.caption, "Kelora - Vivanter");
    EXPECT_EQ(error.icon, QMessageBox::Critical);

    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        Shown question;
        driver.whenShown(capture(question, answer));
        const bool yes = prompter.question("Confirmation", "Are you sure?",
                                           Prompter::Icon::Question, Prompter::Preset::Yes);
        EXPECT_EQ(yes, answer == QMessageBox::Yes);
        EXPECT_EQ(question.caption, "Confirmation");
        EXPECT_EQ(question.text, "Are you sure?");
        EXPECT_EQ(question.icon, QMessageBox::Question);
        EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    }

    // Enter answers with the preset: No for a question that deletes; Escape always says No.
    struct Key
    {
        Prompter::Preset preset;
        Qt::Key key;
        bool yes;
    };
    const Key keys[] = {{Prompter::Preset::No, Qt::Key_Return, false},
                        {Prompter::Preset::Yes, Qt::Key_Return, true},
                        {Prompter::Preset::Yes, Qt::Key_Escape, false}};
    for (const Key& k : keys) {
        SCOPED_TRACE(int(k.key));
        driver.whenShown([&](QWidget* box) { QTest::keyClick(box, k.key); });
        EXPECT_EQ(prompter.question("Confirmation!", "Are you sure you want to delete [ Ann ]",
                                    Prompter::Icon::None, k.preset),
                  k.yes);
    }
}

TEST(MessageBoxPrompter, BoxOpensCentredOverTheDialogInUse)
{
    QWidget mainWindow;
    mainWindow.setGeometry(20, 20, 700, 500);
    mainWindow.show();
    QDialog dialog(&mainWindow);
    dialog.setGeometry(40, 300, 300, 200); // far from the main window's centre
    MessageBoxPrompter prompter;
    prompter.setMainWindow(&mainWindow);

    ModalDialogDriver driver;
    QWidget* parent = nullptr;
    QPoint centre;
    driver.whenShown([&](QWidget* shown) {
        ASSERT_EQ(shown, &dialog);
        EXPECT_EQ(prompter.owner(), &dialog);
        driver.whenShown([&](QWidget* box) {
            parent = box->parentWidget();
            centre = box->frameGeometry().center();
        });
        prompter.message("Missing Group Name");
    });
    dialog.exec();
    EXPECT_EQ(parent, &dialog);
    EXPECT_LE((centre - dialog.frameGeometry().center()).manhattanLength(), 4)
        << centre.x() << "," << centre.y();

    // With no dialog shown and no window active, the main window.
    EXPECT_EQ(prompter.owner(), &mainWindow);
}

// A long name without blanks wraps in the box instead of being cut off: it gets a break
// opportunity after every 50 characters without a blank; blanks start the count again.
TEST(MessageBoxPrompter, LongWordsGetPlacesToBreak)
{
    const QChar zw(0x200B);
    const QString fifty(50, 'x');
    const struct
    {
        QString text, shown;
    } cases[] = {
        {"Are you sure, you want to delete [Ann]", "Are you sure, you want to delete [Ann]"},
        {fifty.left(49), fifty.left(49)},
        {"[" + fifty + "]", "[" + fifty.left(49) + zw + "x]"},
        {fifty + fifty + "y", fifty + zw + fifty + zw + "y"},
        {fifty.left(30) + " " + fifty.left(30), fifty.left(30) + " " + fifty.left(30)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TCentredMessageBox::breakable(c.text), c.shown) << c.text.toStdString();
}

// A dialog that ignores reject(): the driver must still end it.
class StubbornDialog : public QDialog
{
public:
    void reject() override {}
};

TEST(ModalDialogDriver, ClosesADialogItsHandlerLeftOpen)
{
    StubbornDialog dialog;
    ModalDialogDriver driver;
    bool seen = false;
    driver.whenShown([&](QWidget* shown) { seen = shown == &dialog; });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalDialogDriver, FailsAndClosesAnUnexpectedDialog)
{
    static QDialog* dialog = nullptr;
    QDialog unexpected;
    unexpected.setWindowTitle("Surprise");
    dialog = &unexpected;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalDialogDriver driver(std::chrono::milliseconds(50));
            dialog->exec();
        },
        "Unexpected modal dialog: Surprise");
    EXPECT_FALSE(unexpected.isVisible());
}

} // namespace
