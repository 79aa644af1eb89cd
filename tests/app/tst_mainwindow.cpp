#include "app/FormMain.h"
#include "support/FakeSeams.h"
#include "widgets/AdvButton.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const VisibleSections[][3] = {
    {"BtnDailyIntake", "Daily Intake", "DailyIntake"},
    {"BtnReport", "Reports", "Reports"},
    {"BtnRecipes", "Recipes", "Recipes"},
    {"BtnFoods", "Foods", "Foods"},
    {"BtnPersonalInfo", "Personal Info", "PersonalInfo"},
};

class MainWindow : public ::testing::Test
{
protected:
    TFormImageContainer images;
    FakeDesktopOpener opener;
    std::unique_ptr<TFormMain> window = std::make_unique<TFormMain>(images, opener, "/opt/kelora");

    template <typename T> T* child(const char* name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void sendMouse(QWidget* target, QEvent::Type type, QPointF at)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
};

TEST_F(MainWindow, IsAFramelessWindowCentredOnTheDesktop)
{
    EXPECT_EQ(window->windowTitle(), "Kelora: Vivanter");
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->size(), QSize(782, 556));
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - desktop.center()).manhattanLength(), 2);
    EXPECT_EQ(child<QLabel>("lblVersion")->text(), "v1.3.0");

    for (const char* header : {"ImgHeaderLeft", "ImgHeaderCenter", "ImgHeaderRight"})
        EXPECT_EQ(child<QLabel>(header)->height(), 74) << header;
    EXPECT_EQ(child<QLabel>("ImgBorderLeft")->width(), 20);
    EXPECT_EQ(child<QLabel>("ImgBorderRight")->width(), 22);
    EXPECT_EQ(child<QLabel>("ImgBottom")->height(), 18);
    EXPECT_EQ(child<QStackedWidget>("NoteBookPages")->geometry(), QRect(20, 74, 740, 464));
    for (const char* name : {"ButtonMinimized", "ButtonMaximized", "ButtonExit"})
        EXPECT_EQ(child<TGraphicButton>(name)->size(), QSize(22, 22)) << name;

    // It never shrinks below the size its pages are laid out for.
    window->resize(600, 420);
    EXPECT_EQ(window->size(), QSize(782, 556));
}

TEST_F(MainWindow, NotebookPagesComeInOrderEachWithItsHeaderStrip)
{
    auto* notebook = child<QStackedWidget>("NoteBookPages");
    const QStringList expected = {"DailyIntake", "DailyActivities", "Reports",     "Recipes",
                                  "Foods",       "ActivityList",    "PersonalInfo"};
    ASSERT_EQ(notebook->count(), expected.size());
    window->show();
    for (int i = 0; i < notebook->count(); ++i) {
        QWidget* page = notebook->widget(i);
        EXPECT_EQ(page->objectName(), expected[i]);
        notebook->setCurrentIndex(i);
        QWidget* strip = window->pageHeaderStrip(expected[i]);
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->parentWidget(), page);
        EXPECT_EQ(strip->geometry(), QRect(0, 0, page->width(), 36)) << qPrintable(expected[i]);
    }
    EXPECT_EQ(window->page("DailyActivities")->findChild<QLabel*>()->text(), "Daily Activities");
    EXPECT_EQ(window->page("ActivityList")->findChild<QLabel*>()->text(), "Activity List");
}

TEST_F(MainWindow, InstalledContentFillsThePageBelowItsStrip)
{
    window->show();
    window->showPage("Foods");
    auto* button = new TGraphicButton;
    button->setPictures(&images.picture("ImgCreate32Up"), &images.picture("ImgCreate32Down"),
                        &images.picture("ImgCreate32Over"));
    window->addPageHeaderButton("Foods", button);
    auto* label = new QLabel("View All Foods");
    window->setPageHeaderLabel("Foods", label);
    auto* content = new QWidget;
    window->installPage("Foods", content);
    QCoreApplication::processEvents();

    QWidget* page = window->page("Foods");
    EXPECT_EQ(content->geometry(), QRect(0, 36, page->width(), page->height() - 36));
    EXPECT_EQ(button->parentWidget(), window->pageHeaderStrip("Foods"));
    EXPECT_EQ(button->size(), QSize(32, 32));
    EXPECT_LT(button->x(), label->x());
    EXPECT_EQ(label->geometry().right(), page->width() - 1 - 10);

    QPointer<QWidget> replaced(content);
    auto* other = new QWidget;
    window->installPage("Foods", other);
    QCoreApplication::processEvents();
    EXPECT_TRUE(replaced.isNull());
    EXPECT_EQ(other->geometry(), QRect(0, 36, page->width(), page->height() - 36));
}

TEST_F(MainWindow, SectionButtonsStandInOrderInOneExclusiveGroup)
{
    int previousRight = -1;
    for (const auto& section : VisibleSections) {
        auto* button = child<TAdvButton>(section[0]);
        EXPECT_EQ(button->caption(), section[1]);
        EXPECT_EQ(button->size(), QSize(85, 24));
        EXPECT_EQ(button->groupIndex(), 1);
        EXPECT_FALSE(button->isHidden());
        EXPECT_EQ(button->image(), &images.picture("btnTabUp"));
        EXPECT_EQ(button->imageDown(), &images.picture("btnTabDown"));
        EXPECT_EQ(button->fontColor(), QColor(Qt::white));
        EXPECT_EQ(button->font().pixelSize(), 11);
        EXPECT_EQ(button->fontOverColor(), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(button->fontOver().pixelSize(), 12);
        EXPECT_GT(button->x(), previousRight);
        previousRight = button->geometry().right();
    }
    // Anchored to the top right: the last tab ends at the right border.
    EXPECT_EQ(previousRight, 782 - 22 - 1);
    for (const char* hidden : {"BtnDailyActivities", "BtnActivityList"})
        EXPECT_TRUE(child<TAdvButton>(hidden)->isHidden()) << hidden;
}

TEST_F(MainWindow, ClickingASectionShowsItsPageAndReleasesTheOthers)
{
    window->show();
    QSignalSpy before(window.get(), &TFormMain::pageAboutToShow);
    QSignalSpy shown(window.get(), &TFormMain::pageShown);
    for (const auto& section : VisibleSections) {
        // Modules hear of the change while the previous page is still shown, then again after.
        const QString previous = window->currentPageName();
        QString currentBefore;
        auto connection = QObject::connect(window.get(), &TFormMain::pageAboutToShow,
                                           [&] { currentBefore = window->currentPageName(); });
        QTest::mouseClick(child<TAdvButton>(section[0]), Qt::LeftButton, {}, QPoint(40, 12));
        QObject::disconnect(connection);
        EXPECT_EQ(currentBefore, previous);
        EXPECT_EQ(window->currentPageName(), section[2]);
        EXPECT_EQ(shown.takeLast().at(0).toString(), section[2]);
        EXPECT_EQ(before.takeLast().at(0).toString(), section[2]);
        for (const auto& other : VisibleSections)
            EXPECT_EQ(child<TAdvButton>(other[0])->isDown(), &other == &section)
                << section[0] << " pressed, " << other[0];
    }
}

TEST_F(MainWindow, StartupStepsRunOnceInTheirOrderAfterTheFirstShow)
{
    QStringList ran;
    window->addStartupStep(8, [&] { ran << "8"; });
    window->addStartupStep(2, [&] {
        ran << "2:" + window->currentPageName();
        // Step 1 has run, step 4 not yet: the links still wear their design colour.
        ran << child<QLabel>("btnHelp")->palette().color(QPalette::WindowText).name();
    });
    window->addStartupStep(
        5, [&] { ran << child<QLabel>("btnHelp")->palette().color(QPalette::WindowText).name(); });
    window->showPage("Foods");
    window->show();
    EXPECT_TRUE(ran.isEmpty()); // queued until the window is up
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList({"2:DailyIntake", "#d6f0fe", "#84d1fb", "8"}));
    EXPECT_TRUE(child<TAdvButton>("BtnDailyIntake")->isDown());
    EXPECT_FALSE(child<TAdvButton>("BtnFoods")->isDown());

    window->hide();
    window->show();
    window->runStartupSteps();
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, QStringList({"2:DailyIntake", "#d6f0fe", "#84d1fb", "8"}));
}

TEST_F(MainWindow, LinksOpenTheirFilesAndChangeColourUnderTheMouse)
{
    window->runStartupSteps();
    QSignalSpy preference(window.get(), &TFormMain::preferenceRequested);
    struct Link
    {
        const char* name;
        const char* caption;
        const char* opens; // nullptr: the preferences dialog
    };
    const Link links[] = {
        {"btnPreference", "Preference", nullptr},
        {"btnmailinglist", "Mailing List", "/opt/kelora/Mailing List.url"},
        {"btnForum", "Forum", "/opt/kelora/Forum.url"},
        {"btnHomePage", "Home Page", "/opt/kelora/Home Page.url"},
        {"btnHelp", "Help", "/opt/kelora/help/help.htm"},
    };
    for (const Link& l : links) {
        auto* label = child<QLabel>(l.name);
        EXPECT_EQ(label->text(), l.caption);
        EXPECT_TRUE(label->font().underline());
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x84, 0xD1, 0xFB));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0xD6, 0xF0, 0xFE));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0x84, 0xD1, 0xFB));

        opener.opened.clear();
        preference.clear();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
        if (l.opens) {
            EXPECT_EQ(opener.opened, QStringList(l.opens)) << l.name;
            EXPECT_TRUE(preference.isEmpty());
        } else {
            EXPECT_TRUE(opener.opened.isEmpty());
            EXPECT_EQ(preference.size(), 1);
        }
    }
}

TEST(MainWindowLinks, ShortcutLinksOpenTheWebAddressTheirFileHolds)
{
    QTemporaryDir dir;
    const std::pair<const char*, const char*> files[] = {
        {"Mailing List.url", "[InternetShortcut]\r\nURL=https://lists.kelora.example/\r\n"},
        {"Forum.url", "[InternetShortcut]\r\nURL=https://forum.kelora.example/\r\n"},
        {"Home Page.url", "[InternetShortcut]\r\n"}, // no address: the file itself
    };
    for (const auto& [name, contents] : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    TFormImageContainer images;
    FakeDesktopOpener opener;
    TFormMain window(images, opener, dir.path());
    for (const char* link : {"btnmailinglist", "btnForum", "btnHomePage"})
        QTest::mouseClick(window.findChild<QLabel*>(link), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opener.opened,
              QStringList({"https://lists.kelora.example/", "https://forum.kelora.example/",
                           dir.filePath("Home Page.url")}));
}

TEST_F(MainWindow, DraggingTheHeaderMovesTheWindowUnlessMaximized)
{
    window->show();
    for (const char* header : {"ImgHeaderLeft", "ImgHeaderCenter", "ImgHeaderRight"}) {
        auto* picture = child<QLabel>(header);
        window->move(50, 40);
        sendMouse(picture, QEvent::MouseButtonPress, QPointF(10.5, 20));
        // Differences are cut toward zero; the start point stays where the drag began.
        sendMouse(picture, QEvent::MouseMove, QPointF(40.2, 31.9));
        EXPECT_EQ(window->pos(), QPoint(79, 51)) << header;
        sendMouse(picture, QEvent::MouseMove, QPointF(5, 20));
        EXPECT_EQ(window->pos(), QPoint(74, 51)) << header;
        sendMouse(picture, QEvent::MouseButtonRelease, QPointF(5, 20));
        sendMouse(picture, QEvent::MouseMove, QPointF(60, 60));
        EXPECT_EQ(window->pos(), QPoint(74, 51)) << header;
    }

    window->showMaximized();
    ASSERT_TRUE(window->isMaximized());
    const QPoint maximized = window->pos();
    auto* center = child<QLabel>("ImgHeaderCenter");
    sendMouse(center, QEvent::MouseButtonPress, QPointF(10, 10));
    sendMouse(center, QEvent::MouseMove, QPointF(60, 50));
    EXPECT_EQ(window->pos(), maximized);
    sendMouse(center, QEvent::MouseButtonRelease, QPointF(60, 50));
}

TEST_F(MainWindow, DoubleClickOnTheHeaderAndTheMaximizeButtonToggleMaximized)
{
    window->show();
    for (const char* header : {"ImgHeaderLeft", "ImgHeaderCenter", "ImgHeaderRight"}) {
        auto* picture = child<QLabel>(header);
        QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_TRUE(window->isMaximized()) << header;
        QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_FALSE(window->isMaximized()) << header;
    }
    auto* maximize = child<TGraphicButton>("ButtonMaximized");
    QTest::mouseClick(maximize, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(window->isMaximized());
    QTest::mouseClick(maximize, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->size(), QSize(782, 556));
    // A double click on the button (a click, then the second press arriving as a double click)
    // acts once, like a single click.
    QTest::mouseClick(maximize, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(maximize, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(window->isMaximized());
    window->toggleMaximized();

    // From the minimized state it returns to normal.
    window->showMinimized();
    window->toggleMaximized();
    EXPECT_EQ(window->windowState(), Qt::WindowNoState);
}

TEST_F(MainWindow, ExitButtonClosesTheWindow)
{
    window->show();
    QTest::mouseClick(child<TGraphicButton>("ButtonExit"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(window->isVisible());
}

} // namespace
