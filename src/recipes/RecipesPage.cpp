#include "recipes/RecipesPage.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipeFiles.h"
#include "store/DataSetModel.h"
#include "store/DesktopOpener.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "store/WebAddress.h"
#include "widgets/ElidedLabel.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GridSetup.h"
#include "widgets/LabelSetup.h"
#include "widgets/LookupBranch.h"
#include "widgets/NavigationPanel.h"
#include "widgets/SearchBranches.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString NewCuisine = QStringLiteral("New Cuisine");
const QString EditCuisines = QStringLiteral("Edit Cuisines");
const QString NewRecipeType = QStringLiteral("New Recipe Type");
const QString EditRecipeType = QStringLiteral("Edit Recipe Type");
const QString NoWebLink = QStringLiteral("No web link has been provided");

// The Types tab shows the recipe's types as panels, two to a row, four rows in view.
constexpr int TypeColumns = 2;
constexpr int TypeRowsInView = 4;

QLineEdit* readOnlyBox(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

} // namespace

TRecipesPage::TRecipesPage(TDataModuleRecipes& recipes, TRecipeFiles& files,
                           const TFormImageContainer& images, Prompter& prompter,
                           DesktopOpener& desktop, QWidget* parent)
    : TContentPage("Recipes", images, parent), m_recipes(recipes), m_files(files),
      m_prompter(prompter), m_desktop(desktop)
{
    setObjectName("Recipes");
    addHeaderButton("BtnNewRecipe", "ImgCreate32", "Create New Recipe",
                    [this] { BtnNewRecipeClick(); });
    addHeaderButton("ButtonDeleteRecipe", "ImgDelete32", "Delete Selected Recipe",
                    [this] { ButtonDeleteRecipeClick(); });
    addHeaderButton("BtnEditRecipes", "ImgEdit32", "Edit Selected Recipe",
                    [this] { BtnEditRecipesClick(); });
    addHeaderButton("BtnHtmlView", "ImgViewHTML32",
                    "View Selected Recipe in HTML (Ready for Printing)",
                    [this] { BtnHtmlViewClick(); });
    addHeaderButton("BtnExportRecipe", "ImgSave32", "Export Selected Recipe (Ready for email)",
                    [this] { BtnExportRecipeClick(); });
    addHeaderButton("BtnImportRecipe", "ImgLoad32", "Import Recipe from a file",
                    [this] { BtnImportRecipeClick(); });
    setHeaderDescription("LabelHeaderDescriptionRecipes", Description::Plain);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("SplitterRecipes");
    splitter->setChildrenCollapsible(false);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QHBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 2, 4);
    leftLayout->setSpacing(4);
    leftLayout->addWidget(buildRecipeList(), 1);
    auto* middle = new QWidget(left);
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(4);
    middleLayout->addWidget(buildDetails(), 0);
    middleLayout->addWidget(buildNutrientList(), 1);
    leftLayout->addWidget(middle, 2);

    splitter->addWidget(left);
    splitter->addWidget(buildNavigation());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({560, 180});
    pageLayout()->addWidget(splitter, 1);

    // Every area follows the recipe list's current row.
    connect(&recipes, &TDataModuleRecipes::shownRecipeChanged, this, &TRecipesPage::showRecipe);
    connect(&recipes, &TDataModuleRecipes::shownTypesChanged, this, &TRecipesPage::showTypes);
    connect(&files, &TRecipeFiles::recipeImported, this, &TRecipesPage::recipeImported);
    showRecipe();
    showTypes();
}

// --- Building ---------------------------------------------------------------------------------

QWidget* TRecipesPage::buildRecipeList()
{
    m_recipeGrid = GridSetup::create("DBGridRecipeList", this,
                                     GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    DataSetModel* model = m_recipes.newRecipeListModel(this);
    m_recipeGrid->setModel(model);
    model->setSelectionModel(m_recipeGrid->selectionModel());
    m_recipeGrid->horizontalHeader()->setStyleSheet(
        "QHeaderView::section { font-weight: bold; color: #006400; }");
    m_recipeGrid->setMinimumWidth(120);
    return m_recipeGrid;
}

QWidget* TRecipesPage::buildDetails()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("PageControlRecipe");
    m_tabs->setFixedHeight(170);
    // All five tabs stay in view: the middle column is at least as wide as they are.
    m_tabs->tabBar()->setUsesScrollButtons(false);
    QPalette black = m_tabs->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m_tabs->setPalette(black);
    m_tabs->addTab(buildInfoTab(), "Info");
    m_tabs->addTab(buildIngredientsTab(), "Ingredients");
    m_tabs->addTab(buildProceduresTab(), "Procedures");
    m_tabs->addTab(buildTypesTab(), "Types");
    m_tabs->addTab(buildSourceTab(), "Source");
    return m_tabs;
}

QWidget* TRecipesPage::buildInfoTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("TabSheetInfo");
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    auto addRow = [&](int row, const QString& caption, const QString& name, bool minutes,
                      int width) {
        QLabel* label = LabelSetup::create(caption, tab);
        QLineEdit* box = readOnlyBox(name, tab);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        if (width > 0)
            box->setFixedWidth(width);
        // A box without a fixed width (the cuisine) reaches the right edge, so a long name
        // shows.
        grid->addWidget(box, row, 1, 1, minutes || width > 0 ? 1 : 3);
        if (minutes)
            grid->addWidget(LabelSetup::create("Min.", tab), row, 2);
        return box;
    };
    m_editCuisine = addRow(0, "Cuisine:", "DBEditCuisine", false, 0);
    m_editServes = addRow(1, "Number of Serves:", "DBEditNumberOfServes", false, 70);
    m_editPreparation = addRow(2, "Preparation Time:", "DBEditPreparationTime", true, 70);
    m_editCooking = addRow(3, "Cooking Time:", "DBEditCookingTime", true, 70);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    return tab;
}

QWidget* TRecipesPage::buildIngredientsTab()
{
    QTableView* grid = GridSetup::create("DBGridRecipeIngredients", nullptr,
                                         GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    DataSetModel* model = m_recipes.newIngredientsModel(grid);
    grid->setModel(model);
    model->setSelectionModel(grid->selectionModel());
    grid->setColumnWidth(0, 60);
    grid->setColumnWidth(1, 80);
    return grid;
}

QWidget* TRecipesPage::buildProceduresTab()
{
    m_memoProcedures = new QPlainTextEdit;
    m_memoProcedures->setObjectName("DBMemoProcedures");
    m_memoProcedures->setReadOnly(true);
    return m_memoProcedures;
}

QWidget* TRecipesPage::buildTypesTab()
{
    m_types = new QTableWidget(0, TypeColumns);
    m_types->setObjectName("DBCtrlGridTypes");
    m_types->horizontalHeader()->hide();
    m_types->verticalHeader()->hide();
    m_types->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_types->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_types->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_types->setSelectionMode(QAbstractItemView::NoSelection);
    m_types->setFocusPolicy(Qt::NoFocus);
    m_types->setShowGrid(false);
    m_types->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_types->setStyleSheet("QTableWidget { background: #e9f0fb; border: none; }"
                           "QTableWidget::item { background: white; color: #000080;"
                           " border: 1px solid #9db7e8; margin: 2px; padding-left: 4px; }");
    m_types->viewport()->installEventFilter(this);
    return m_types;
}

QWidget* TRecipesPage::buildSourceTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("TabSheetSource");
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    QLabel* authorLabel = LabelSetup::create("Author's Name:", tab);
    m_editAuthor = readOnlyBox("DBEditAuthor", tab);
    authorLabel->setBuddy(m_editAuthor);
    QLabel* sourceLabel = LabelSetup::create("Source:", tab);
    m_editSource = readOnlyBox("DBEditSource", tab);
    sourceLabel->setBuddy(m_editSource);
    // A long name is cut with an ellipsis rather than widening the page's columns.
    auto* webName = new TElidedLabel(QString(), tab);
    webName->keepOwnToolTip();
    m_webName = webName;
    m_webName->setObjectName("dbTextWebName");
    QFont underlined = m_webName->font();
    underlined.setUnderline(true);
    m_webName->setFont(underlined);
    QPalette navy = m_webName->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    m_webName->setPalette(navy);
    m_webName->setCursor(Qt::PointingHandCursor);
    // The hint follows the mouse over the label (see eventFilter).
    m_webName->setMouseTracking(true);
    m_webName->installEventFilter(this);
    grid->addWidget(authorLabel, 0, 0);
    grid->addWidget(m_editAuthor, 0, 1);
    grid->addWidget(sourceLabel, 1, 0);
    grid->addWidget(m_editSource, 1, 1);
    grid->addWidget(LabelSetup::create("WebPage:", tab), 2, 0);
    grid->addWidget(m_webName, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget* TRecipesPage::buildNutrientList()
{
    m_nutrientGrid =
        GridSetup::create("DBGridRecipeNutrientList", this, GridSetup::AlternatingRows);
    DataSetModel* model = m_recipes.newNutrientsModel(this);
    m_nutrientGrid->setModel(model);
    model->setSelectionModel(m_nutrientGrid->selectionModel());
    QHeaderView* header = m_nutrientGrid->horizontalHeader();
    header->setMinimumSectionSize(20);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    m_nutrientGrid->setColumnWidth(1, 64);
    m_nutrientGrid->setColumnWidth(2, 64);
    m_nutrientGrid->setColumnWidth(3, 40);
    return m_nutrientGrid;
}

QWidget* TRecipesPage::buildNavigation()
{
    // No narrower than the tree needs for its fixed entries.
    auto* panel = new TNavigationPanel(
        "Recipes Navigation",
        {"PanelNavigationRecipes", "LabelNavigationRecipes", "TreeViewRecipes"}, this);
    m_tree = panel->tree();
    configureTree();
    return panel;
}

void TRecipesPage::FormShow()
{
    BuildRecipeTree();
    m_tree->selectEntry(m_tree->topEntry(ViewAllRecipes));
}

void TRecipesPage::ShowFirstTab()
{
    m_tabs->setCurrentIndex(0);
}

// --- What the selected recipe shows -----------------------------------------------------------

void TRecipesPage::showRecipe()
{
    // An empty list shows nothing: every field then reads as empty.
    const RecipeRecord recipe = m_recipes.shownRecipe();
    const auto number = [](const std::optional<double>& value) {
        return value ? NumberFormat::general(*value) : QString();
    };
    m_editCuisine->setText(recipe.Cuisine);
    m_editServes->setText(number(recipe.Serves));
    m_editPreparation->setText(number(recipe.PrepTime));
    m_editCooking->setText(number(recipe.CookTime));
    for (QLineEdit* box : {m_editCuisine, m_editServes, m_editPreparation, m_editCooking})
        box->setCursorPosition(0);
    if (m_memoProcedures->toPlainText() != recipe.Procedures)
        m_memoProcedures->setPlainText(recipe.Procedures);
    m_editAuthor->setText(recipe.Author);
    m_editSource->setText(recipe.Source);
    // A text wider than its box shows from its beginning.
    for (QLineEdit* box : {m_editCuisine, m_editAuthor, m_editSource})
        box->setCursorPosition(0);
    m_editAuthor->setCursorPosition(0);
    m_editSource->setCursorPosition(0);
    m_webName->setText(recipe.WebName);
}

void TRecipesPage::showTypes()
{
    const QList<RecipeTypeT> types = m_recipes.shownTypes();
    const int count = int(types.size());
    m_types->clearContents();
    m_types->setRowCount((count + TypeColumns - 1) / TypeColumns);
    for (int i = 0; i < count; ++i) {
        auto* item = new QTableWidgetItem(types[i].Text);
        item->setToolTip(item->text());
        m_types->setItem(i / TypeColumns, i % TypeColumns, item);
    }
    layoutTypes();
}

void TRecipesPage::layoutTypes()
{
    const int height = qMax(18, m_types->viewport()->height() / TypeRowsInView);
    m_types->verticalHeader()->setDefaultSectionSize(height);
}

QString TRecipesPage::webLink() const
{
    return m_recipes.shownRecipe().WebLink;
}

bool TRecipesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_types->viewport() && event->type() == QEvent::Resize)
        layoutTypes();
    if (watched == m_webName) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove: {
            const QString link = webLink();
            m_webName->setToolTip(link.isEmpty() ? NoWebLink : link);
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QString link = webLink();
            if (mouse->button() == Qt::LeftButton &&
                m_webName->rect().contains(mouse->position().toPoint()) && !link.isEmpty())
                openWebLink(link);
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- Header buttons ---------------------------------------------------------------------------

void TRecipesPage::runRecipeWizard(bool newRecipe)
{
    // The link dialog of the wizard shows and changes the food list the Foods page shares: the
    // food tree's selection runs again afterwards and gives the Foods page its own list back.
    TNavigationTree::Path food;
    const bool foodSelected = m_foodTree && m_foodTree->currentItem();
    if (foodSelected)
        food = m_foodTree->pathOf(m_foodTree->currentItem());

    if (newRecipe ? m_recipes.BeginNewRecipe() : m_recipes.BeginEditRecipe()) {
        // A save the store refuses keeps everything pending; the wizard opens again so nothing
        // typed is lost.
        bool saved = false;
        while (!saved && m_dialogs.recipeWizard && m_dialogs.recipeWizard())
            saved = newRecipe ? m_recipes.SaveNewRecipe() : m_recipes.SaveEditedRecipe();
        if (!saved)
            m_recipes.CancelRecipe();
    }

    if (!m_foodTree)
        return;
    m_foodTree->selectEntry(m_foodTree->topEntry(SimpleSearch));
    QTreeWidgetItem* again = foodSelected ? m_foodTree->entryAt(food) : nullptr;
    if (again)
        m_foodTree->selectEntry(again);
    else
        m_foodTree->selectNothing();
}

void TRecipesPage::BtnNewRecipeClick()
{
    runRecipeWizard(true);
}

void TRecipesPage::BtnEditRecipesClick()
{
    if (!m_recipes.hasShownRecipe()) {
        m_prompter.message("No Selected Recipe to Edit");
        return;
    }
    if (!m_recipes.LocateSelectedRecipe("Recipe Edit"))
        return;
    runRecipeWizard(false);
}

void TRecipesPage::ButtonDeleteRecipeClick()
{
    m_recipes.DeleteRecipe();
}

void TRecipesPage::BtnHtmlViewClick()
{
    if (m_dialogs.htmlView)
        m_dialogs.htmlView();
}

void TRecipesPage::BtnExportRecipeClick()
{
    m_files.ExportRecipe();
}

void TRecipesPage::BtnImportRecipeClick()
{
    // A recipe added rebuilds the tree (recipeImported).
    m_files.ImportRecipe();
}

void TRecipesPage::recipeImported()
{
    // The import may have added a cuisine and types; the listing chosen before runs again.
    FillCuisineNodes();
    FillRecipeTypeNodes();
    m_tree->selectLast();
}

// --- The recipe tree --------------------------------------------------------------------------

void TRecipesPage::configureTree()
{
    m_tree->addTopEntry(Cuisines);
    m_tree->addTopEntry(RecipesTypes);
    m_tree->addTopEntry(ViewAllRecipes, [this] {
        m_recipes.ShowAllRecipes();
        setHeaderText(ViewAllRecipes);
    });
    m_tree->addTopEntry(SimpleSearch);
    m_tree->addTopEntry(AdvancedSearch);
    m_tree->setShowNothing([this](const QString& header) {
        m_recipes.ShowNoRecipes();
        setHeaderText(header);
    });

    TLookupBranch::Config cuisines;
    cuisines.newCommand = NewCuisine;
    cuisines.editCommand = EditCuisines;
    cuisines.names = [this] { return m_recipes.GetCuisineNames(); };
    cuisines.show = [this](const QString& cuisine) {
        m_recipes.ShowRecipesByCuisine(cuisine);
        setHeaderText(QString(Cuisines) + ": " + cuisine);
    };
    cuisines.operate(m_recipes.cuisines());
    cuisines.nameDialog = &m_dialogs.cuisineEdit;
    cuisines.listDialog = &m_dialogs.cuisines;
    new TLookupBranch(*m_tree, Cuisines, cuisines);

    TLookupBranch::Config types;
    types.newCommand = NewRecipeType;
    types.editCommand = EditRecipeType;
    types.names = [this] { return m_recipes.GetRecipeTypeNames(); };
    types.show = [this](const QString& type) {
        m_recipes.ShowRecipesByType(type);
        setHeaderText(QString(RecipesTypes) + ": " + type);
    };
    types.operate(m_recipes.recipeTypes());
    types.nameDialog = &m_dialogs.typeEdit;
    types.listDialog = &m_dialogs.types;
    new TLookupBranch(*m_tree, RecipesTypes, types);
    configureSearches();
}

void TRecipesPage::configureSearches()
{
    TSearchBranches::Config searches;
    searches.showKeyword = [this](const QString& keyword) { m_recipes.ShowRecipesByName(keyword); };
    searches.showSearch = [this](const QString& name) { m_recipes.RunRecipeAdvancedSearch(name); };
    searches.setHeader = [this](const QString& text) { setHeaderText(text); };
    searches.keywordDialog = &m_dialogs.simpleSearch;
    searches.searchDialog = &m_dialogs.advancedSearch;
    searches.searchListDialog = &m_dialogs.advancedSearchList;
    // No to clearing the history goes back to the entry chosen before, like a cancelled command.
    searches.noToClear = TSearchBranches::NoToClear::LastEntry;
    m_searchBranches =
        new TSearchBranches(*m_tree, m_recipes.recipeSearches(), m_prompter, searches);
}

void TRecipesPage::BuildRecipeTree()
{
    m_tree->build();
}

void TRecipesPage::FillCuisineNodes()
{
    m_tree->fillBranch(Cuisines);
}

void TRecipesPage::FillRecipeTypeNodes()
{
    m_tree->fillBranch(RecipesTypes);
}

void TRecipesPage::FillSimpleSearchNodes()
{
    m_searchBranches->FillSimpleSearchNodes();
}

void TRecipesPage::FillAdvancedSearchNodes()
{
    m_searchBranches->FillAdvancedSearchNodes();
}

void TRecipesPage::refreshSearchNodes()
{
    m_searchBranches->refresh();
}

void TRecipesPage::showMenuListing(TRecipeMenu::Listing what, const QString& text)
{
    using Listing = TRecipeMenu::Listing;
    switch (what) {
    case Listing::AllRecipes:
        m_tree->markListed({ViewAllRecipes, {}, -1});
        setHeaderText(ViewAllRecipes);
        break;
    case Listing::RecipeType:
        m_tree->markListed({RecipesTypes, text, -1});
        setHeaderText(QString(RecipesTypes) + ": " + text);
        break;
    case Listing::Cuisine:
        m_tree->markListed({Cuisines, text, -1});
        setHeaderText(QString(Cuisines) + ": " + text);
        break;
    case Listing::Keyword:
        m_tree->markListed({SimpleSearch, text, -1});
        setHeaderText(TSearchBranches::keywordHeader(text));
        break;
    case Listing::Search:
        m_tree->markListed({AdvancedSearch, text, -1});
        setHeaderText(TSearchBranches::searchHeader(text));
        break;
    }
}

void TRecipesPage::TreeViewRecipesChange(QTreeWidgetItem* item)
{
    m_tree->runSelection(item);
}

QTreeWidgetItem* TRecipesPage::lastRecipeNode() const
{
    return m_tree->lastEntry();
}

void TRecipesPage::openWebLink(const QString& link)
{
    const QString address = WebAddress::openable(link);
    if (!address.isEmpty()) {
        m_desktop.open(address);
        return;
    }
    m_prompter.message("Only web (http, https) and e-mail (mailto) links are opened; this "
                       "recipe's link is not one:\n" +
                       link);
}
