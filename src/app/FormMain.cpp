#include "app/FormMain.h"

#include "store/DesktopOpener.h"
#include "store/InternetShortcut.h"
#include "widgets/AdvButton.h"
#include "widgets/ContentPage.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QBoxLayout>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>

namespace {
constexpr QColor Navy(0x00, 0x00, 0x80);
constexpr QColor PageColor(0xe9, 0xf0, 0xfb);

// Gap between section tabs, and margins of the header's controls.
constexpr int TabGap = 2;
constexpr int WindowButtonGap = 2;
constexpr int HeaderMargin = 6;
constexpr int LinkGap = 16;

struct SectionInfo
{
    const char* button;
    const char* caption;
    const char* page;
    bool visible;
};

// Visible buttons first, left to right; then the two hidden ones.
constexpr SectionInfo Sections[] = {
    {"BtnDailyIntake", "Daily Intake", "DailyIntake", true},
    {"BtnReport", "Reports", "Reports", true},
    {"BtnRecipes", "Recipes", "Recipes", true},
    {"BtnFoods", "Foods", "Foods", true},
    {"BtnPersonalInfo", "Personal Info", "PersonalInfo", true},
    {"BtnDailyActivities", "Daily Activities", "DailyActivities", false},
    {"BtnActivityList", "Activity List", "ActivityList", false},
};

struct LinkInfo
{
    const char* name;
    const char* caption;
};

constexpr LinkInfo Links[] = {
    {"btnPreference", "Preference"},
    {"btnmailinglist", "Mailing List"},
    {"btnForum", "Forum"},
    {"btnHomePage", "Home Page"},
    {"btnHelp", "Help"},
};

QLabel* pictureLabel(QWidget* parent, const char* name, const QPixmap& picture)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(picture);
    label->setScaledContents(true);
    return label;
}
} // namespace

TFormMain::TFormMain(const TFormImageContainer& images, DesktopOpener& opener,
                     const QString& programDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_images(images), m_opener(opener),
      m_programDir(programDir), m_linkColor(0x84, 0xD1, 0xFB), m_linkHoverColor(0xD6, 0xF0, 0xFE)
{
    setObjectName("FormMain");
    setWindowTitle(QLatin1String(Caption));
    resize(ClientWidth, ClientHeight);
    // The pages are laid out for this size: smaller, labels are cut and tabs run into the logo.
    setMinimumSize(ClientWidth, ClientHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));

    buildBody();
    buildHeader();
    buildPages();
    layoutChildren();

    addStartupStep(1, [this] { showPage("DailyIntake"); });
    addStartupStep(4, [this] {
        for (QLabel* link : m_links)
            setLinkColor(link, m_linkColor);
    });
}

QStringList TFormMain::pageNames()
{
    return {"DailyIntake", "DailyActivities", "Reports",     "Recipes",
            "Foods",       "ActivityList",    "PersonalInfo"};
}

void TFormMain::buildHeader()
{
    m_headerLeft = pictureLabel(this, "ImgHeaderLeft", m_images.picture("ImgHeaderLeft"));
    m_headerCenter = pictureLabel(this, "ImgHeaderCenter", m_images.picture("ImgHeaderCenter"));
    m_headerRight = pictureLabel(this, "ImgHeaderRight", m_images.picture("ImgHeaderRight"));
    for (QLabel* header : {m_headerLeft, m_headerCenter, m_headerRight})
        header->installEventFilter(this);

    m_version = new QLabel(QLatin1String(Version), this);
    m_version->setObjectName("lblVersion");
    QFont versionFont = m_version->font();
    versionFont.setPixelSize(11);
    versionFont.setBold(true);
    m_version->setFont(versionFont);
    // Navy on a light badge, so it reads on the dark header.
    m_version->setStyleSheet("QLabel { color: #000080; background: #d6e6ff;"
                             " border: 1px solid #7fa8e8; border-radius: 7px; padding: 0 5px; }");
    m_version->adjustSize();

    QFont linkFont = font();
    linkFont.setPixelSize(12);
    linkFont.setUnderline(true);
    for (const LinkInfo& info : Links) {
        auto* link = new QLabel(QLatin1String(info.caption), this);
        link->setObjectName(QLatin1String(info.name));
        link->setFont(linkFont);
        link->setCursor(Qt::PointingHandCursor);
        // Links are designed in the hover colour; the start-up steps give them the rest colour.
        setLinkColor(link, m_linkHoverColor);
        link->adjustSize();
        link->installEventFilter(this);
        m_links.push_back(link);
    }

    auto windowButton = [this](const char* name, const char* picture) {
        auto* button = new TGraphicButton(this);
        button->setObjectName(QLatin1String(name));
        const QString base = QLatin1String(picture);
        button->setPictures(&m_images.picture(base + "Normal"), &m_images.picture(base + "Down"),
                            &m_images.picture(base + "Over"));
        return button;
    };
    m_buttonMinimized = windowButton("ButtonMinimized", "ImgMin");
    m_buttonMaximized = windowButton("ButtonMaximized", "ImgMax");
    m_buttonExit = windowButton("ButtonExit", "ImgExit");
    m_buttonMinimized->setToolTip(tr("Minimize"));
    m_buttonMaximized->setToolTip(tr("Maximize / Restore"));
    m_buttonExit->setToolTip(tr("Exit"));
    connect(m_buttonMinimized, &TGraphicButton::clicked, this, &QWidget::showMinimized);
    connect(m_buttonMaximized, &TGraphicButton::clicked, this, &TFormMain::toggleMaximized);
    connect(m_buttonExit, &TGraphicButton::clicked, this, &QWidget::close);

    QFont tabFont = font();
    tabFont.setPixelSize(11);
    tabFont.setBold(true);
    QFont tabFontOver = font();
    tabFontOver.setPixelSize(12);
    for (const SectionInfo& info : Sections) {
        auto* button = new TAdvButton(this);
        button->setObjectName(QLatin1String(info.button));
        button->setGroupIndex(1);
        button->setCaption(QLatin1String(info.caption));
        button->setFont(tabFont);
        button->setFontColor(Qt::white);
        button->setFontOver(tabFontOver, QColor(0xC0, 0xC0, 0xC0));
        button->setImage(&m_images.picture("btnTabUp"));
        button->setImageDown(&m_images.picture("btnTabDown"));
        button->setVisible(info.visible);
        const QString page = QLatin1String(info.page);
        connect(button, &TAdvButton::clicked, this, [this, page] { sectionClicked(page); });
        m_sections.push_back(button);
        m_sectionByPage.insert(page, button);
    }
}

void TFormMain::buildBody()
{
    m_borderLeft = pictureLabel(this, "ImgBorderLeft", m_images.picture("ImgBorderLeft"));
    m_borderRight = pictureLabel(this, "ImgBorderRight", m_images.picture("ImgBorderRight"));
    m_bottom = pictureLabel(this, "ImgBottom", m_images.picture("ImgBottom"));

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName("NoteBookPages");
    QPalette palette = m_notebook->palette();
    palette.setColor(QPalette::Window, PageColor);
    palette.setColor(QPalette::WindowText, Navy);
    m_notebook->setPalette(palette);
    m_notebook->setAutoFillBackground(true);
}

void TFormMain::buildPages()
{
    const QStringList titles = {QString(), "Daily Activities", QString(), QString(),
                                QString(), "Activity List",    QString()};
    const QStringList names = pageNames();
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        auto* page = new QWidget;
        page->setObjectName(name);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->setSpacing(0);

        auto* strip = new QWidget(page);
        strip->setObjectName("PageHeader" + name);
        strip->setFixedHeight(PageHeaderHeight);
        QPalette stripPalette = strip->palette();
        stripPalette.setBrush(QPalette::Window, QBrush(m_images.picture("ImgPageHeader")));
        stripPalette.setColor(QPalette::WindowText, Qt::white);
        strip->setPalette(stripPalette);
        strip->setAutoFillBackground(true);
        auto* stripLayout = new QHBoxLayout(strip);
        stripLayout->setContentsMargins(6, 2, 10, 2);
        stripLayout->setSpacing(4);
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(4);
        stripLayout->addLayout(buttons);
        stripLayout->addStretch(1);
        pageLayout->addWidget(strip);

        if (!titles[i].isEmpty()) {
            auto* title = new QLabel(titles[i], page);
            title->setObjectName("Label" + name + "Title");
            QFont titleFont = title->font();
            titleFont.setPixelSize(20);
            titleFont.setBold(true);
            title->setFont(titleFont);
            title->setContentsMargins(16, 14, 16, 14);
            pageLayout->addWidget(title);
        }
        pageLayout->addStretch(1);

        m_notebook->addWidget(page);
        m_pages.insert(name, page);
        m_strips.insert(name, strip);
    }
}

QWidget* TFormMain::page(const QString& name) const
{
    return m_pages.value(name);
}

QWidget* TFormMain::pageHeaderStrip(const QString& name) const
{
    return m_strips.value(name);
}

QString TFormMain::currentPageName() const
{
    QWidget* current = m_notebook->currentWidget();
    return current ? current->objectName() : QString();
}

void TFormMain::installPage(const QString& name, QWidget* content)
{
    QWidget* page = m_pages.value(name);
    if (!page || !content)
        return;
    auto* pageLayout = static_cast<QVBoxLayout*>(page->layout());
    if (QWidget* previous = m_contents.value(name)) {
        pageLayout->removeWidget(previous);
        delete previous;
    } else {
        // Drop the trailing stretch that kept the empty page's strip at the top.
        QLayoutItem* last = pageLayout->itemAt(pageLayout->count() - 1);
        if (last && last->spacerItem())
            delete pageLayout->takeAt(pageLayout->count() - 1);
    }
    content->setParent(page);
    pageLayout->addWidget(content, 1);
    content->show();
    pageLayout->activate();
    m_contents.insert(name, content);
}

void TFormMain::addPageHeaderButton(const QString& name, QWidget* button)
{
    QWidget* strip = m_strips.value(name);
    if (!strip || !button)
        return;
    auto* buttons = static_cast<QHBoxLayout*>(strip->layout()->itemAt(0)->layout());
    button->setParent(strip);
    buttons->addWidget(button);
    button->show();
}

void TFormMain::setPageHeaderLabel(const QString& name, QLabel* label)
{
    QWidget* strip = m_strips.value(name);
    if (!strip || !label)
        return;
    label->setParent(strip);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    static_cast<QHBoxLayout*>(strip->layout())->addWidget(label);
    label->show();
}

TAdvButton* TFormMain::sectionButton(const QString& pageName) const
{
    return m_sectionByPage.value(pageName);
}

void TFormMain::showPage(const QString& name)
{
    QWidget* target = m_pages.value(name);
    if (!target)
        return;
    if (TAdvButton* button = m_sectionByPage.value(name))
        button->setDown(true);
    m_notebook->setCurrentWidget(target);
}

void TFormMain::sectionClicked(const QString& name)
{
    auto* coming = qobject_cast<TContentPage*>(m_contents.value(name));
    emit pageAboutToShow(name);
    for (QWidget* content : std::as_const(m_contents))
        if (auto* page = qobject_cast<TContentPage*>(content); page && page != coming)
            page->pageHidden();
    if (QWidget* target = m_pages.value(name))
        m_notebook->setCurrentWidget(target);
    emit pageShown(name);
    if (coming)
        coming->pageShown();
}

void TFormMain::addStartupStep(int number, std::function<void()> step)
{
    m_startupSteps[number].push_back(std::move(step));
}

void TFormMain::runStartupSteps()
{
    if (m_startupRun)
        return;
    m_startupRun = true;
    for (const auto& [number, steps] : m_startupSteps)
        for (const auto& step : steps)
            step();
}

void TFormMain::toggleMaximized()
{
    const Qt::WindowStates other = Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
    if (windowState() & other)
        showNormal();
    else
        showMaximized();
}

void TFormMain::setLinkColor(QLabel* link, const QColor& color)
{
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, color);
    link->setPalette(palette);
}

void TFormMain::linkClicked(QLabel* link)
{
    const QString name = link->objectName();
    const QDir dir(m_programDir);
    if (name == QLatin1String("btnPreference"))
        emit preferenceRequested();
    else if (name == QLatin1String("btnmailinglist"))
        m_opener.open(InternetShortcut::target(dir.filePath("Mailing List.url")));
    else if (name == QLatin1String("btnForum"))
        m_opener.open(InternetShortcut::target(dir.filePath("Forum.url")));
    else if (name == QLatin1String("btnHomePage"))
        m_opener.open(InternetShortcut::target(dir.filePath("Home Page.url")));
    else if (name == QLatin1String("btnHelp"))
        m_opener.open(dir.filePath("help/help.htm"));
}

bool TFormMain::linkEvent(QLabel* link, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        setLinkColor(link, m_linkHoverColor);
        return false;
    case QEvent::Leave:
        setLinkColor(link, m_linkColor);
        return false;
    case QEvent::MouseButtonPress:
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && link->rect().contains(mouse->position().toPoint()))
            linkClicked(link);
        return true;
    }
    default:
        return false;
    }
}

bool TFormMain::headerEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_dragStart = static_cast<QMouseEvent*>(event)->position();
        m_dragging = true;
        return true;
    case QEvent::MouseMove:
        if (m_dragging && !isMaximized()) {
            // The stored point stays: the window follows the mouse, which keeps its place on the
            // header.
            const QPointF at = static_cast<QMouseEvent*>(event)->position();
            move(x() + static_cast<int>(at.x() - m_dragStart.x()),
                 y() + static_cast<int>(at.y() - m_dragStart.y()));
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    case QEvent::MouseButtonDblClick:
        toggleMaximized();
        return true;
    default:
        return false;
    }
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_headerLeft || watched == m_headerCenter || watched == m_headerRight)
        return headerEvent(event) || QWidget::eventFilter(watched, event);
    for (QLabel* link : m_links)
        if (watched == link)
            return linkEvent(link, event) || QWidget::eventFilter(watched, event);
    return QWidget::eventFilter(watched, event);
}

void TFormMain::layoutChildren()
{
    const int w = width(), h = height();
    const int leftWidth = m_images.picture("ImgHeaderLeft").width();
    const int rightWidth = m_images.picture("ImgHeaderRight").width();
    m_headerLeft->setGeometry(0, 0, leftWidth, HeaderHeight);
    m_headerRight->setGeometry(w - rightWidth, 0, rightWidth, HeaderHeight);
    m_headerCenter->setGeometry(leftWidth, 0, qMax(0, w - leftWidth - rightWidth), HeaderHeight);

    const int bodyHeight = qMax(0, h - HeaderHeight - BottomHeight);
    m_borderLeft->setGeometry(0, HeaderHeight, LeftBorderWidth, bodyHeight);
    m_borderRight->setGeometry(w - RightBorderWidth, HeaderHeight, RightBorderWidth, bodyHeight);
    m_bottom->setGeometry(0, h - BottomHeight, w, BottomHeight);
    m_notebook->setGeometry(LeftBorderWidth, HeaderHeight,
                            qMax(0, w - LeftBorderWidth - RightBorderWidth), bodyHeight);

    m_version->move(196, 26);

    // Window buttons at the top right corner.
    int x = w - HeaderMargin;
    for (TGraphicButton* button : {m_buttonExit, m_buttonMaximized, m_buttonMinimized}) {
        x -= button->width();
        button->move(x, HeaderMargin);
        x -= WindowButtonGap;
    }
    // Links to their left, on the same line.
    x -= 14;
    for (auto it = m_links.rbegin(); it != m_links.rend(); ++it) {
        QLabel* link = *it;
        x -= link->width();
        link->move(x, HeaderMargin + (m_buttonExit->height() - link->height()) / 2);
        x -= LinkGap;
    }
    // Section tabs along the bottom of the header, anchored to the right.
    x = w - RightBorderWidth;
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
        TAdvButton* tab = *it;
        if (tab->isHidden())
            continue;
        x -= tab->width();
        tab->move(x, HeaderHeight - tab->height());
        x -= TabGap;
    }
    // The hidden tabs keep a place left of the visible ones, should they ever be shown.
    for (TAdvButton* tab : m_sections)
        if (tab->isHidden())
            tab->move(x - tab->width(), HeaderHeight - tab->height());
    for (QWidget* front : std::initializer_list<QWidget*>{m_version, m_buttonMinimized,
                                                          m_buttonMaximized, m_buttonExit})
        front->raise();
    for (QLabel* link : m_links)
        link->raise();
    for (TAdvButton* tab : m_sections)
        tab->raise();
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_startupRun && !m_startupQueued) {
        m_startupQueued = true;
        QMetaObject::invokeMethod(this, &TFormMain::runStartupSteps, Qt::QueuedConnection);
    }
}
