#pragma once

#include <QColor>
#include <QHash>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

class DesktopOpener;
class QLabel;
class QStackedWidget;
class TAdvButton;
class TFormImageContainer;
class TGraphicButton;

// The main window: a borderless, skinned window with a 74-pixel header (emblem, version label,
// the section tabs, five text links and the minimize, maximize and exit buttons), a picture
// border on the left and right, an 18-pixel bottom strip, and in between the notebook
// NoteBookPages with one page per section.
//
// Pages, in notebook order: "DailyIntake", "DailyActivities", "Reports", "Recipes", "Foods",
// "ActivityList", "PersonalInfo". Each page is a QWidget named after it that begins with the
// 36-pixel header strip ("PageHeader" + page name), owned by the window. The modules that own a
// page's content:
//  - put their header buttons (32 x 32 TGraphicButtons, left to right) on the strip with
//    addPageHeaderButton() and their description label (right-aligned) with
//    setPageHeaderLabel(); the strip is laid out for them;
//  - put the rest of the page below the strip with installPage(), which makes the content fill
//    the page under the strip.
// "DailyActivities" and "ActivityList" hold only the strip and a title label.
//
// Sections: clicking a section button (BtnDailyIntake, BtnReport, BtnRecipes, BtnFoods,
// BtnPersonalInfo; BtnDailyActivities and BtnActivityList are hidden) emits
// pageAboutToShow(name) and tells every other page (a TContentPage) pageHidden(), shows the
// page, then emits pageShown(name) and tells the page chosen pageShown(), so pages can close or
// open their views and refresh what they list. showPage() presses a button and shows its page
// without any of these.
//
// Start-up steps: numbered callbacks run once, in ascending order (several under one number run
// in the order added), soon after the window is first shown (queued, so that a dialog a step
// opens appears over the visible window). The window adds step 1 (press BtnDailyIntake, show
// "DailyIntake") and step 4 (the links take their rest colour); the other modules add theirs
// with addStartupStep(). runStartupSteps() can also be called directly; it runs once.
class TFormMain : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* Caption = "Kelora: Vivanter";
    static constexpr const char* Version = "v1.3.0";
    static constexpr int ClientWidth = 782;
    static constexpr int ClientHeight = 556;
    static constexpr int HeaderHeight = 74;
    static constexpr int BottomHeight = 18;
    static constexpr int LeftBorderWidth = 20;
    static constexpr int RightBorderWidth = 22;
    static constexpr int PageHeaderHeight = 36;

    TFormMain(const TFormImageContainer& images, DesktopOpener& opener, const QString& programDir,
              QWidget* parent = nullptr);

    // Notebook pages.
    static QStringList pageNames();
    QStackedWidget* notebook() const { return m_notebook; }
    QWidget* page(const QString& name) const;
    QWidget* pageHeaderStrip(const QString& name) const;
    QString currentPageName() const;
    // Puts content below the page's header strip (a previously installed content is deleted).
    void installPage(const QString& name, QWidget* content);
    void addPageHeaderButton(const QString& name, QWidget* button);
    void setPageHeaderLabel(const QString& name, QLabel* label);

    // Sections.
    TAdvButton* sectionButton(const QString& pageName) const;
    void showPage(const QString& name);

    // Start-up.
    void addStartupStep(int number, std::function<void()> step);
    void runStartupSteps();
    bool startupStepsRun() const { return m_startupRun; }

    QColor linkColor() const { return m_linkColor; }
    QColor linkHoverColor() const { return m_linkHoverColor; }

    // Maximized from the normal state, normal from any other (button and header double click).
    void toggleMaximized();

signals:
    void pageAboutToShow(const QString& name);
    void pageShown(const QString& name);
    // The Preference link: the preferences dialog is shown by whoever listens.
    void preferenceRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildHeader();
    void buildBody();
    void buildPages();
    void layoutChildren();
    void sectionClicked(const QString& name);
    bool linkEvent(QLabel* link, QEvent* event);
    void linkClicked(QLabel* link);
    void setLinkColor(QLabel* link, const QColor& color);
    bool headerEvent(QEvent* event);

    const TFormImageContainer& m_images;
    DesktopOpener& m_opener;
    QString m_programDir;
    QColor m_linkColor;
    QColor m_linkHoverColor;

    QLabel* m_headerLeft = nullptr;
    QLabel* m_headerCenter = nullptr;
    QLabel* m_headerRight = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_borderLeft = nullptr;
    QLabel* m_borderRight = nullptr;
    QLabel* m_bottom = nullptr;
    QStackedWidget* m_notebook = nullptr;
    TGraphicButton* m_buttonMinimized = nullptr;
    TGraphicButton* m_buttonMaximized = nullptr;
    TGraphicButton* m_buttonExit = nullptr;
    std::vector<QLabel*> m_links;        // in header order
    std::vector<TAdvButton*> m_sections; // visible ones first, in header order
    QHash<QString, TAdvButton*> m_sectionByPage;
    QHash<QString, QWidget*> m_pages;
    QHash<QString, QWidget*> m_strips;
    QHash<QString, QWidget*> m_contents;

    std::map<int, std::vector<std::function<void()>>> m_startupSteps;
    bool m_startupRun = false;
    bool m_startupQueued = false;

    QPointF m_dragStart;
    bool m_dragging = false;
};
