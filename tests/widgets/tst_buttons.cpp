#include "widgets/AdvButton.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

QPixmap solid(QColor color, QSize size = QSize(40, 30))
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

// Where the caption of a button goes: centred on a box of the given size, in the given font.
QPoint centred(QSize box, const QFont& font, const QString& text, int shift)
{
    const QFontMetricsF metrics(font);
    const qreal x = box.width() / 2.0 - metrics.horizontalAdvance(text) / 2;
    const qreal y = box.height() / 2.0 - metrics.height() / 2;
    return QPoint(static_cast<int>(x + shift), static_cast<int>(y + shift));
}

// What a widget shows, rendered as the screen shows it.
QImage rendered(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pixel-exact comparison that names the first differing pixel.
::testing::AssertionResult sameImage(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size differs";
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << actual.pixel(x, y)
                       << ", expected " << expected.pixel(x, y);
    return ::testing::AssertionSuccess();
}

// A picture drawn over the widget's background, for comparison with rendered().
QImage expectedPicture(const QWidget& widget, const QPixmap& picture)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(widget.palette().color(QPalette::Window));
    QPainter p(&image);
    p.drawPixmap(0, 0, picture);
    return image;
}

// ---------------------------------------------------------------------------------------------
// TGraphicButton: the state table of its painting.

struct GraphicRow
{
    const char* what;
    bool mouseOver;
    bool pressedLook;
    bool allowDown;
    bool hasDown; // ImageDown set
    bool hasOver; // ImageOver set
    TGraphicButton::PaintRecord::Picture picture;
    int shift; // caption offset from the centred position
    bool fontOver;
};

class GraphicButtonStates : public ::testing::TestWithParam<GraphicRow>
{
};

TEST_P(GraphicButtonStates, PaintsThePictureCaptionAndFontOfItsState)
{
    const GraphicRow row = GetParam();
    const QPixmap up = solid(Qt::red), down = solid(Qt::green), over = solid(Qt::blue);
    TGraphicButton button;
    button.setImage(&up);
    if (row.hasDown)
        button.setImageDown(&down);
    if (row.hasOver)
        button.setImageOver(&over);
    button.setText("Ab");
    QFont own = button.font();
    own.setPixelSize(11);
    button.setFont(own);
    QFont big = own;
    big.setPixelSize(20);
    big.setBold(true);
    button.setFontOver(big, Qt::yellow);

    button.setAllowDown(row.allowDown);
    if (row.pressedLook) {
        // A toggling button looks pressed while Down; a plain one while the button is held.
        if (row.allowDown)
            button.setDown(true);
        else
            button.leftButtonDown();
    }
    if (row.mouseOver)
        button.mouseEntered();
    ASSERT_EQ(button.isPressedLook(), row.pressedLook);
    ASSERT_EQ(button.isMouseOver(), row.mouseOver);

    button.grab();
    const auto& painted = button.lastPaint();
    EXPECT_EQ(painted.picture, row.picture);
    EXPECT_EQ(painted.fontOver, row.fontOver);
    EXPECT_EQ(painted.caption, centred(up.size(), row.fontOver ? big : own, "Ab", row.shift));
}

using P = TGraphicButton::PaintRecord;
INSTANTIATE_TEST_SUITE_P(
    StateTable, GraphicButtonStates,
    ::testing::Values(
        // mouse over, pressed look, AllowDown, ImageDown set, ImageOver set
        GraphicRow{"rest", false, false, false, true, true, P::Image, 0, false},
        GraphicRow{"rest toggling", false, false, true, true, true, P::Image, 0, false},
        GraphicRow{"held", false, true, false, true, true, P::ImageDown, 1, false},
        GraphicRow{"down toggling", false, true, true, true, true, P::ImageDown, 1, true},
        GraphicRow{"held without ImageDown", false, true, false, false, true, P::Image, 0, false},
        GraphicRow{"held over", true, true, false, true, true, P::ImageDown, 1, true},
        GraphicRow{"down toggling over", true, true, true, true, true, P::ImageDown, 1, false},
        GraphicRow{"over toggling", true, false, true, true, true, P::Image, 0, false},
        GraphicRow{"over", true, false, false, true, true, P::ImageOver, 0, true},
        GraphicRow{"over without ImageOver", true, false, false, true, false, P::ImageDown, 1,
                   true},
        GraphicRow{"over with Image only", true, false, false, false, false, P::Image, 0, true}),
    [](const ::testing::TestParamInfo<GraphicRow>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(GraphicButton, DrawsNothingWithoutPictures)
{
    TGraphicButton button;
    button.setText("Ab");
    button.grab();
    EXPECT_EQ(button.lastPaint().picture, P::Nothing);
    EXPECT_EQ(button.size(), QSize(25, 25));
}

TEST(GraphicButton, TakesTheSizeOfImageAndTabFocus)
{
    const QPixmap up = solid(Qt::red, QSize(48, 48));
    TGraphicButton button;
    EXPECT_EQ(button.focusPolicy(), Qt::TabFocus);
    button.setImage(&up);
    EXPECT_EQ(button.size(), QSize(48, 48));
    EXPECT_EQ(button.sizeHint(), QSize(48, 48));
}

TEST(GraphicButton, IsReachedWithTabShowsAFocusMarkAndSpaceOrEnterPressIt)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* button = new TGraphicButton(&window);
    const QPixmap up = solid(Qt::red);
    button->setImage(&up);
    button->move(0, 40);
    QSignalSpy clicks(button, &TGraphicButton::clicked);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    button->grab();
    EXPECT_TRUE(button->lastPaint().focusMark);

    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 3);

    edit->setFocus();
    button->grab();
    EXPECT_FALSE(button->lastPaint().focusMark);
}

TEST(GraphicButton, IsDownOnlyWhenItToggles)
{
    TGraphicButton button;
    button.setDown(true);
    EXPECT_FALSE(button.isDown());
    EXPECT_FALSE(button.isPressedLook());
    button.setAllowDown(true);
    button.setDown(true);
    EXPECT_TRUE(button.isDown());
    EXPECT_TRUE(button.isPressedLook());
}

// Press, release and leave, step by step: Down and the pressed look after each step.
TEST(GraphicButton, MouseStepsOfPlainAndTogglingButtons)
{
    enum Step { Press, Release, Leave };
    struct Expect
    {
        Step step;
        bool down;
        bool pressedLook;
    };
    const std::vector<Expect> plain = {
        {Press, false, true}, {Release, false, false}, {Press, false, true}, {Leave, false, false}};
    const std::vector<Expect> toggling = {{Press, true, false}, {Release, true, true},
                                          {Press, false, true}, {Release, false, false},
                                          {Press, true, false}, {Leave, true, true}};
    for (bool allowDown : {false, true}) {
        TGraphicButton button;
        button.setAllowDown(allowDown);
        int n = 0;
        for (const Expect& e : allowDown ? toggling : plain) {
            switch (e.step) {
            case Press:
                button.leftButtonDown();
                break;
            case Release:
                button.leftButtonUp();
                break;
            case Leave:
                button.mouseLeft();
                break;
            }
            EXPECT_EQ(button.isDown(), e.down) << "AllowDown " << allowDown << " step " << n;
            EXPECT_EQ(button.isPressedLook(), e.pressedLook)
                << "AllowDown " << allowDown << " step " << n;
            ++n;
        }
    }
}

// With real mouse events and real pictures: held shows ImageDown, released over the button shows
// ImageOver again and clicks; a release outside does not click.
TEST(GraphicButton, RendersItsPicturesUnderTheMouse)
{
    TFormImageContainer images;
    TGraphicButton button;
    button.setPictures(&images.picture("ImgOkUp"), &images.picture("ImgOkDown"),
                       &images.picture("ImgOkOver"));
    QSignalSpy clicks(&button, &TGraphicButton::clicked);

    EXPECT_TRUE(sameImage(rendered(button), expectedPicture(button, images.picture("ImgOkUp"))));

    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(sameImage(rendered(button), expectedPicture(button, images.picture("ImgOkOver"))));

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(sameImage(rendered(button), expectedPicture(button, images.picture("ImgOkDown"))));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(sameImage(rendered(button), expectedPicture(button, images.picture("ImgOkOver"))));
    EXPECT_EQ(clicks.count(), 1);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(clicks.count(), 1);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_TRUE(sameImage(rendered(button), expectedPicture(button, images.picture("ImgOkUp"))));
}

// ---------------------------------------------------------------------------------------------
// TAdvButton: the painting of the section tabs.

struct AdvRow
{
    const char* what;
    int group;
    bool down;
    bool mouseOver;
    bool hasImage;
    bool hasImageDown;
    bool painted;
    TAdvButton::PaintRecord::Picture picture;
    int shift;
    bool fontOver;
};

class AdvButtonStates : public ::testing::TestWithParam<AdvRow>
{
};

TEST_P(AdvButtonStates, PaintsThePictureCaptionAndFontOfItsState)
{
    const AdvRow row = GetParam();
    const QPixmap image = solid(Qt::red, QSize(85, 24)), imageDown = solid(Qt::green);
    QWidget parent;
    auto* button = new TAdvButton(&parent);
    button->setGroupIndex(row.group);
    button->setCaption("Foods");
    QFont own = button->font();
    own.setPixelSize(11);
    button->setFont(own);
    QFont over = own;
    over.setPixelSize(18);
    button->setFontOver(over, Qt::gray);
    if (row.hasImage)
        button->setImage(&image);
    if (row.hasImageDown)
        button->setImageDown(&imageDown);
    button->setDown(row.down);
    if (row.mouseOver)
        button->mouseEntered();

    button->grab();
    const auto& painted = button->lastPaint();
    EXPECT_EQ(painted.painted, row.painted);
    if (!row.painted)
        return;
    EXPECT_EQ(painted.picture, row.picture);
    EXPECT_EQ(painted.fontOver, row.fontOver);
    if (row.hasImage) {
        EXPECT_EQ(painted.caption,
                  centred(image.size(), row.fontOver ? over : own, "Foods", row.shift));
    }
}

using A = TAdvButton::PaintRecord;
INSTANTIATE_TEST_SUITE_P(
    StateTable, AdvButtonStates,
    ::testing::Values(
        // group, down, mouse over, Image set, ImageDown set
        AdvRow{"no group", 0, false, false, true, true, false, A::Nothing, 0, false},
        AdvRow{"negative group", -1, false, true, true, true, false, A::Nothing, 0, false},
        AdvRow{"pressed", 1, true, false, true, true, true, A::Image, 0, false},
        AdvRow{"pressed over", 1, true, true, true, true, true, A::Image, 0, false},
        AdvRow{"released", 1, false, false, true, true, true, A::ImageDown, 1, true},
        AdvRow{"released over", 1, false, true, true, true, true, A::ImageDown, 1, false},
        AdvRow{"released without ImageDown", 1, false, false, true, false, true, A::Image, 1, true},
        AdvRow{"pressed without Image", 1, true, false, false, true, true, A::Nothing, 0, false}),
    [](const ::testing::TestParamInfo<AdvRow>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(AdvButton, KeepsTheCaptionPositionOfThePreviousPaintWithoutImage)
{
    const QPixmap image = solid(Qt::red, QSize(85, 24));
    QWidget parent;
    auto* button = new TAdvButton(&parent);
    button->setGroupIndex(1);
    button->setCaption("Reports");
    button->setImage(&image);
    button->grab();
    const QPoint before = button->lastPaint().caption;
    button->setImage(nullptr);
    button->setCaption("A much longer caption");
    button->grab();
    EXPECT_EQ(button->lastPaint().caption, before);
}

TEST(AdvButton, PressingOneReleasesTheOthersOfItsGroupOnly)
{
    QWidget parent;
    TAdvButton* group1[3];
    for (auto*& button : group1) {
        button = new TAdvButton(&parent);
        button->setGroupIndex(1);
    }
    auto* group2 = new TAdvButton(&parent);
    group2->setGroupIndex(2);
    group2->setDown(true);
    auto* ungrouped = new TAdvButton(&parent);
    ungrouped->setDown(true);
    EXPECT_FALSE(ungrouped->isDown());

    QSignalSpy clicks(group1[1], &TAdvButton::clicked);
    group1[0]->setDown(true);
    QTest::mouseClick(group1[1], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(group1[0]->isDown());
    EXPECT_TRUE(group1[1]->isDown());
    EXPECT_FALSE(group1[2]->isDown());
    EXPECT_TRUE(group2->isDown());

    // Clicking the pressed button again keeps it pressed and still clicks.
    QTest::mouseClick(group1[1], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_TRUE(group1[1]->isDown());
}

TEST(AdvButton, SectionTabRendersTabUpPressedAndTabDownReleased)
{
    TFormImageContainer images;
    QWidget parent;
    auto* tab = new TAdvButton(&parent);
    tab->setGroupIndex(1);
    tab->setImage(&images.picture("btnTabUp"));
    tab->setImageDown(&images.picture("btnTabDown"));
    EXPECT_EQ(tab->size(), QSize(85, 24));

    EXPECT_TRUE(sameImage(rendered(*tab), expectedPicture(*tab, images.picture("btnTabDown"))));
    tab->setDown(true);
    EXPECT_TRUE(sameImage(rendered(*tab), expectedPicture(*tab, images.picture("btnTabUp"))));
    // Held by the mouse, a released tab already looks pressed.
    tab->setDown(false);
    QTest::mousePress(tab, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(sameImage(rendered(*tab), expectedPicture(*tab, images.picture("btnTabUp"))));
    QTest::mouseRelease(tab, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(tab->isDown());
}

// ---------------------------------------------------------------------------------------------
// The image store.

TEST(ImageContainer, HoldsEveryPictureAtItsSizeWithDistinctLooks)
{
    const TFormImageContainer images;
    struct Family
    {
        QStringList bases;
        QStringList looks;
        QSize size;
    };
    const std::vector<Family> families = {
        {{"ImgMin", "ImgMax", "ImgExit"}, {"Normal", "Over", "Down"}, QSize(22, 22)},
        {{"btnTab"}, {"Up", "Down"}, QSize(85, 24)},
        {{"ImgCreate32", "ImgEdit32", "ImgDelete32", "ImgSave32", "ImgViewHTML32", "ImgLoad32",
          "ImgSelectUser32"},
         {"Up", "Down", "Over"},
         QSize(32, 32)},
        {{"ImgAdd", "ImgRemove", "ImgCreate", "ImgDelete", "ImgEdit", "ImgOk", "ImgCancel",
          "ImgCalc", "ImgSearch", "ImgPrev", "ImgNext"},
         {"Up", "Down", "Over"},
         QSize(48, 48)},
    };
    for (const Family& family : families) {
        for (const QString& base : family.bases) {
            QList<QImage> looks;
            for (const QString& look : family.looks) {
                const QPixmap& picture = images.picture(base + look);
                EXPECT_EQ(picture.size(), family.size) << qPrintable(base + look);
                looks << picture.toImage();
            }
            for (int i = 0; i < looks.size(); ++i)
                for (int j = i + 1; j < looks.size(); ++j)
                    EXPECT_NE(looks[i], looks[j])
                        << qPrintable(base + family.looks[i] + " vs " + family.looks[j]);
        }
    }
    // The link button's pressed picture is spelled with a small letter.
    for (const char* name : {"ImgLinkUp", "imgLinkDown", "ImgLinkOver"})
        EXPECT_EQ(images.picture(name).size(), QSize(48, 48)) << name;
    EXPECT_NE(images.picture("ImgLinkUp").toImage(), images.picture("imgLinkDown").toImage());

    EXPECT_EQ(images.picture("ImgHeaderCenter").height(), 74);
    EXPECT_EQ(images.picture("ImgBorderLeft").width(), 20);
    EXPECT_EQ(images.picture("ImgBorderRight").width(), 22);
    EXPECT_EQ(images.picture("ImgBottom").height(), 18);
    EXPECT_EQ(images.picture("DlgBorderTopLeft").size(), QSize(4, 4));
    EXPECT_TRUE(images.picture("NoSuchPicture").isNull());
}

TEST(ImageContainer, GivesTheSamePictureObjectEachTime)
{
    const TFormImageContainer images;
    EXPECT_EQ(&images.picture("ImgOkUp"), &images.picture("ImgOkUp"));
}

} // namespace
