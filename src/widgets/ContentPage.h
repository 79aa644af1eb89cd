#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class TFormImageContainer;
class TGraphicButton;

// What the content pages (Foods, Recipes, Personal Info, Daily Intake, Reports) share: a
// 36-pixel header strip in the skin's page header picture, with the page's 32 x 32 picture
// buttons at the left and its bold white description label at the right, and the page's own
// controls below it (pageLayout()).
//
// The page shows the strip itself until the main window takes the buttons and the label onto
// its own page header (start-up hosts every page that way); then the page's strip is hidden.
class TContentPage : public QWidget
{
    Q_OBJECT

public:
    // How the description label shows its text, plain or underlined. Either way a text wider
    // than the label is cut at the right with an ellipsis, its whole text in the tool tip, so a
    // long name never pushes the page's layout apart.
    enum class Description { Plain, Underlined };

    // The header strip's buttons (left to right) and description label.
    QList<QWidget*> headerButtons() const;
    QLabel* headerLabel() const { return m_headerLabel; }
    void hideOwnHeader();

    // Names what the page shows, in the description label.
    void setHeaderText(const QString& text);
    QString headerText() const;

    // The main window calls these when a section button is clicked: pageHidden() on every other
    // page before the change (whether it was shown or not), pageShown() on the page chosen after
    // it is shown, also when it was shown already (so a page reads again what it lists). Nothing
    // by default.
    virtual void pageShown() {}
    virtual void pageHidden() {}

protected:
    // The page's strip is named "PanelHeader" + headerName.
    TContentPage(const QString& headerName, const TFormImageContainer& images,
                 QWidget* parent = nullptr);

    // The next button of the strip: the pictures picture + "Up", "Down" and "Over" of the image
    // store, hint as its tool tip; a click runs action.
    TGraphicButton* addHeaderButton(const QString& name, const QString& picture,
                                    const QString& hint, std::function<void()> action);
    // The description label, named name, showing text.
    void setHeaderDescription(const QString& name, Description kind,
                              const QString& text = QString());
    // The page below the strip.
    QVBoxLayout* pageLayout() const { return m_layout; }

private:
    const TFormImageContainer& m_images;
    QVBoxLayout* m_layout = nullptr;
    QLabel* m_headerStrip = nullptr;
    QHBoxLayout* m_stripLayout = nullptr;
    QList<QWidget*> m_headerButtons;
    QLabel* m_headerLabel = nullptr;
};
