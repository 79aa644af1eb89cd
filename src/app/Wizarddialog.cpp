#include "app/Wizarddialog.h"

#include "store/Prompter.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>

namespace {

constexpr QColor MenuColor(0x49, 0x6B, 0xF3);
constexpr QColor CurrentEntryColor(0x00, 0x09, 0x77);
constexpr QColor LineColor(0xFF, 0xD7, 0x00);

// The content area below the title bar is 688 x 456 pixels.
constexpr int ContentWidth = 688;
constexpr int HeaderHeight = 54;
constexpr int MenuWidth = 150;
constexpr int EntryHeight = 41;
constexpr int PagesLeft = MenuWidth + 10;
constexpr int PagesTop = HeaderHeight + 10;

void fillWith(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TWizardDialog::TWizardDialog(const TFormImageContainer& images, const QString& pagesName,
                             QWidget* owner)
    : TFormTemplateDialog(images, owner)
{
    setDialogSize(696, 486);

    auto* header = new QWidget(contentArea());
    header->setObjectName("PanelHeader");
    fillWith(header, Qt::white);
    header->setGeometry(0, 0, ContentWidth, HeaderHeight);

    m_headerTitle = plainLabel(QString(), header);
    m_headerTitle->setObjectName("lblHeaderTitle");
    QFont titleFont = m_headerTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    m_headerTitle->setFont(titleFont);
    setTextColor(m_headerTitle, Qt::black);
    m_headerTitle->setGeometry(12, 5, ContentWidth - 24, 18);

    m_headerDesc = plainLabel(QString(), header);
    m_headerDesc->setObjectName("lblHeaderDesc");
    m_headerDesc->setWordWrap(true);
    m_headerDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(m_headerDesc, QColor(0x20, 0x20, 0x20));
    m_headerDesc->setGeometry(28, 23, ContentWidth - 40, HeaderHeight - 25);

    m_menu = new QWidget(contentArea());
    m_menu->setObjectName("PanelMenu");
    fillWith(m_menu, MenuColor);
    m_menu->setGeometry(0, HeaderHeight, MenuWidth, contentArea()->height() - HeaderHeight);

    m_pages = new QStackedWidget(contentArea());
    m_pages->setObjectName(pagesName);
    m_pages->setGeometry(PagesLeft, PagesTop, pagesWidth(), pagesHeight());

    // The yellow line above OK and Cancel.
    auto* line = new QWidget(contentArea());
    line->setObjectName("ShapeLine");
    fillWith(line, LineColor);
    const int buttonsTop = PagesTop + pagesHeight() + 16;
    line->setGeometry(PagesLeft, buttonsTop - 8, pagesWidth(), 2);
    placeOkCancel(QPoint(ContentWidth - 10 - 48 - 10 - 48, buttonsTop),
                  QPoint(ContentWidth - 10 - 48, buttonsTop));
}

void TWizardDialog::addWizardPage(const QString& labelName, const QString& caption, QWidget* page,
                                  const QString& title, const QString& description)
{
    const int i = int(m_entries.size());
    MenuEntry entry;
    entry.panel = new QWidget(m_menu);
    QString panelName = labelName;
    entry.panel->setObjectName(panelName.replace("lbl", "Panel"));
    entry.panel->setGeometry(0, 18 + i * (EntryHeight + 2), MenuWidth, EntryHeight);
    fillWith(entry.panel, MenuColor);
    // The label covers its panel, so the whole entry answers the mouse.
    entry.label = plainLabel(caption, entry.panel);
    entry.label->setObjectName(labelName);
    entry.label->setAlignment(Qt::AlignCenter);
    entry.label->setWordWrap(true);
    entry.label->setGeometry(2, 0, MenuWidth - 4, EntryHeight);
    entry.label->setCursor(Qt::PointingHandCursor);
    setTextColor(entry.label, Qt::white);
    entry.label->setAttribute(Qt::WA_Hover);
    entry.label->installEventFilter(this);
    entry.page = page;
    entry.title = title;
    entry.description = description;
    m_pages->addWidget(page);
    m_entries.append(entry);
}

void TWizardDialog::setEntryLook(int entry, bool current, bool underlined)
{
    MenuEntry& e = m_entries[entry];
    fillWith(e.panel, current ? CurrentEntryColor : MenuColor);
    QFont font = e.label->font();
    font.setBold(current);
    font.setUnderline(underlined);
    e.label->setFont(font);
}

void TWizardDialog::ResetWizardMenu()
{
    for (int i = 0; i < int(m_entries.size()); ++i) {
        m_entries[i].flag = false;
        setEntryLook(i, false, false);
    }
    m_headerTitle->clear();
    m_headerDesc->clear();
}

bool TWizardDialog::pageFlag(int page) const
{
    return page >= 0 && page < m_entries.size() && m_entries[page].flag;
}

bool TWizardDialog::showWizardPage(int page)
{
    if (page < 0 || page >= m_entries.size() || m_entries[page].flag)
        return false;
    ResetWizardMenu();
    MenuEntry& e = m_entries[page];
    setEntryLook(page, true, false);
    m_pages->setCurrentWidget(e.page);
    m_headerTitle->setText(e.title);
    m_headerDesc->setText(e.description);
    e.flag = true;
    return true;
}

void TWizardDialog::menuEntryClicked(int page)
{
    showWizardPage(page);
}

bool TWizardDialog::confirmRowRemoval(Prompter& prompter, const QString& name)
{
    return prompter.question("Confirmation",
                             "Are you sure you want to delete Meaure [" + name + "]",
                             Prompter::Icon::Question);
}

int TWizardDialog::entryOfLabel(const QObject* label) const
{
    for (int i = 0; i < int(m_entries.size()); ++i)
        if (m_entries[i].label == label)
            return i;
    return -1;
}

bool TWizardDialog::eventFilter(QObject* watched, QEvent* event)
{
    const int entry = entryOfLabel(watched);
    if (entry < 0)
        return TFormTemplateDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        // Only an entry that is not current shows it can be clicked.
        if (!m_entries[entry].flag)
            setEntryLook(entry, false, true);
        break;
    case QEvent::Leave:
        if (!m_entries[entry].flag)
            setEntryLook(entry, false, false);
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_entries[entry].label->rect().contains(mouse->position().toPoint()))
            menuEntryClicked(entry);
        return true;
    }
    default:
        break;
    }
    return TFormTemplateDialog::eventFilter(watched, event);
}
