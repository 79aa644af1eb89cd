#include "widgets/WizardDialog.h"

#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FocusMark.h"
#include "widgets/GraphicButton.h"
#include "widgets/GridSetup.h"
#include "widgets/LabelSetup.h"
#include "widgets/NutrientPickTabs.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTableView>

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
// The picture buttons of the pages are 48 x 48; the nutrient pick lists are 200 wide.
constexpr int ButtonSize = 48;
constexpr int PickListsWidth = 200;

} // namespace

TWizardDialog::TWizardDialog(const TFormImageContainer& images, Prompter& prompter,
                             const QString& pagesName, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter)
{
    setDialogSize(696, 486);

    auto* header = new QWidget(contentArea());
    header->setObjectName("PanelHeader");
    fillWith(header, Qt::white);
    header->setGeometry(0, 0, ContentWidth, HeaderHeight);

    m_headerTitle = LabelSetup::create(QString(), header, QRect(12, 5, ContentWidth - 24, 18));
    m_headerTitle->setObjectName("lblHeaderTitle");
    QFont titleFont = m_headerTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    m_headerTitle->setFont(titleFont);
    setTextColor(m_headerTitle, Qt::black);

    m_headerDesc =
        LabelSetup::create(QString(), header, QRect(28, 23, ContentWidth - 40, HeaderHeight - 25));
    m_headerDesc->setObjectName("lblHeaderDesc");
    m_headerDesc->setWordWrap(true);
    m_headerDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(m_headerDesc, QColor(0x20, 0x20, 0x20));

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
    entry.label = LabelSetup::create(caption, entry.panel, QRect(2, 0, MenuWidth - 4, EntryHeight));
    entry.label->setObjectName(labelName);
    entry.label->setAlignment(Qt::AlignCenter);
    entry.label->setWordWrap(true);
    entry.label->setCursor(Qt::PointingHandCursor);
    setTextColor(entry.label, Qt::white);
    entry.label->setAttribute(Qt::WA_Hover);
    // Keyboard: Tab reaches every entry (underlined while it has the focus), Up and Down move
    // between them, Space or Enter chooses one.
    entry.label->setFocusPolicy(Qt::TabFocus);
    entry.label->installEventFilter(this);
    // The menu entries follow one another in the tab order, ahead of the pages' controls.
    if (i > 0)
        setTabOrder(m_entries[i - 1].label, entry.label);
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
    // Flagged first: hiding the old page may move the focus onto a menu entry, whose look
    // follows its flag.
    e.flag = true;
    setEntryLook(page, true, e.label->hasFocus());
    m_pages->setCurrentWidget(e.page);
    m_headerTitle->setText(e.title);
    m_headerDesc->setText(e.description);
    return true;
}

void TWizardDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (event->spontaneous())
        return;
    const QWidget* focus = focusWidget();
    if (focus && m_pages->currentWidget() && m_pages->currentWidget()->isAncestorOf(focus))
        return;
    for (const MenuEntry& e : std::as_const(m_entries))
        if (e.flag) {
            e.label->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void TWizardDialog::menuEntryClicked(int page)
{
    showWizardPage(page);
}

QWidget* TWizardDialog::overviewPage(const QList<OverviewLine>& lines)
{
    auto* page = new QWidget;
    page->setObjectName("Overview");
    for (int i = 0; i < lines.size(); ++i) {
        const int indent = i == 0 ? 0 : 16;
        QLabel* label = LabelSetup::create(
            lines[i].text, page,
            QRect(indent, lines[i].top, pagesWidth() - indent - 10, lines[i].height));
        label->setObjectName(QStringLiteral("lblOverviewText%1").arg(i + 1));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return page;
}

QTableView* TWizardDialog::makeGrid(const QString& name, QWidget* parent)
{
    QTableView* grid = GridSetup::create(
        name, parent, GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    bindEscape(grid);
    return grid;
}

QTableView* TWizardDialog::makeValueGrid(const QString& name, QWidget* parent, DataSet& rows,
                                         const QList<DataSetModel::Column>& columns, int valueWidth,
                                         int unitsWidth)
{
    QTableView* grid = makeGrid(name, parent);
    auto* model = new DataSetModel(&rows, columns, grid);
    grid->setModel(model);
    model->setSelectionModel(grid->selectionModel());
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    grid->setColumnWidth(1, valueWidth);
    grid->setColumnWidth(2, unitsWidth);
    return grid;
}

TGraphicButton* TWizardDialog::makeButton(const QString& picture, const QString& name,
                                          const QString& hint, QWidget* parent, const QPoint& at)
{
    TGraphicButton* button = TGraphicButton::fromStore(images(), picture, name, hint, parent);
    button->move(at);
    return button;
}

void TWizardDialog::placeListAndButtons(QWidget* page, QTableView* list,
                                        const QList<PageButton>& buttons)
{
    const int buttonsLeft = pagesWidth() - ButtonSize - 4;
    list->setGeometry(0, 0, buttonsLeft - 12, pagesHeight());
    for (const PageButton& b : buttons)
        connect(makeButton(b.picture, b.name, b.hint, page, QPoint(buttonsLeft, b.top)),
                &TGraphicButton::clicked, this, b.action);
}

void TWizardDialog::placeNutrientColumns(QWidget* page, TNutrientPickTabs* picks,
                                         const QList<PageButton>& buttons, QTableView* values)
{
    const int buttonsLeft = PickListsWidth + 6;
    const int valuesLeft = buttonsLeft + ButtonSize + 6;
    picks->setGeometry(0, 0, PickListsWidth, pagesHeight());
    for (const PageButton& b : buttons)
        connect(makeButton(b.picture, b.name, b.hint, page, QPoint(buttonsLeft, b.top)),
                &TGraphicButton::clicked, this, b.action);
    values->setGeometry(valuesLeft, 0, pagesWidth() - valuesLeft, pagesHeight());
}

QList<TWizardDialog::PageButton> TWizardDialog::moveButtons(std::function<void()> add,
                                                            std::function<void()> remove)
{
    return {{"ImgAdd", "btnAddNutrient", "Add Selected Nutrient (From Left to Right)", 110,
             std::move(add)},
            {"ImgRemove", "btnRemoveNutrient", "Remove Selected Nutrient (From Right to Left)", 166,
             std::move(remove)}};
}

void TWizardDialog::postFromDialog(TableView& rows, TFormTemplateDialog& dialog)
{
    if (dialog.execDialog() != QDialog::Accepted) {
        rows.cancel();
        return;
    }
    if (!rows.post()) {
        m_prompter.error(rows.lastError());
        rows.cancel();
    }
}

bool TWizardDialog::askToRemove(const TableView& rows, const QString& nameField)
{
    if (rows.isEmpty()) {
        m_prompter.message("No Selected Record to Delete");
        return false;
    }
    return m_prompter.question(
        "Confirmation", "Are you sure you want to delete Meaure [" + rows.asString(nameField) + "]",
        Prompter::Icon::Question, Prompter::Preset::No);
}

void TWizardDialog::removeAfterAsking(TableView& rows, const QString& nameField)
{
    if (askToRemove(rows, nameField) && !rows.remove())
        m_prompter.error(rows.lastError());
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
            setEntryLook(entry, false, m_entries[entry].label->hasFocus());
        break;
    case QEvent::FocusIn:
        setEntryLook(entry, m_entries[entry].flag, true);
        break;
    case QEvent::FocusOut:
        setEntryLook(entry, m_entries[entry].flag, false);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (FocusMark::presses(*key)) {
            menuEntryClicked(entry);
            if (m_entries[entry].label->hasFocus())
                setEntryLook(entry, m_entries[entry].flag, true);
            return true;
        }
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int step = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
        if (plain && step != 0) {
            const int next = entry + step;
            if (next >= 0 && next < int(m_entries.size()))
                m_entries[next].label->setFocus(Qt::TabFocusReason);
            return true;
        }
        break;
    }
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
