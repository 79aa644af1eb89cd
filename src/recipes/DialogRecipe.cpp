#include "recipes/DialogRecipe.h"

#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeIngredientEdit.h"
#include "recipes/DialogRecipeIngredientLink.h"
#include "recipes/DialogRecipeNutrientValue.h"
#include "recipes/DialogRecipeTypes.h"
#include "store/DataSetModel.h"
#include "store/LookupList.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/DropDownList.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/GraphicButton.h"
#include "widgets/LabelSetup.h"
#include "widgets/MemoEditBinding.h"
#include "widgets/NutrientPickTabs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableView>

namespace {

constexpr int PagesWidth = TWizardDialog::pagesWidth();
constexpr int PagesHeight = TWizardDialog::pagesHeight();
constexpr int ButtonSize = 48;

} // namespace

TDialogRecipe::TDialogRecipe(TDataModuleRecipes& recipes, TDataModuleFoods& foods,
                             TDialogRecipeTypes& typesList, TDialogRecipeIngredientLink& linkDialog,
                             const TFormImageContainer& images, Prompter& prompter, QWidget* owner)
    : TWizardDialog(images, prompter, "nbRecipeWizardPages", owner), m_recipes(recipes),
      m_foods(foods), m_typesList(typesList), m_linkDialog(linkDialog)
{
    setObjectName("DialogRecipe");
    setDialogTitle("Add/Edit Recipe Wizard");

    const QList<OverviewLine> overview = {
        {"First, use the Menu/Wizard Links on the left side panel to  navigate the various "
         "components required for  recipe record: ",
         16, 48},
        {"- General Info:Simply provide the recipe Name,  select the related cuisine and types, "
         "the number of servers and the time taken for praperation and cooking",
         70, 48},
        {"- Ingredients:  Add the Ingredients for this recipe", 122, 32},
        {"- Procedure: Provide the instruction for this recipe", 156, 32},
        {"- Nutrition: Provide nutritional value for this recipe or calculate it based on "
         "ingredients linked to USDA Database",
         190, 48},
        {"- Source: Provide the source for this recipe (e.g. Author's Name and webpage...)", 242,
         48},
    };
    addWizardPage("lblOverview", "Overview", overviewPage(overview), "Welcome to Recipe Wizard.",
                  "This wizard will guide step by step to add/edit Recipe  record.");
    addWizardPage("lblGeneralInfo", "Recipe's General Info", buildGeneralInfoPage(),
                  "Recipe' General Info", QString());
    addWizardPage("lblIngredients", "Recipe's Ingredients ", buildIngredientsPage(),
                  "Recipe's Ingredients", QString());
    addWizardPage("lblProcedure", "Recipe's Procedure", buildProcedurePage(), "Recipe's Procedure",
                  QString());
    addWizardPage("lblNutrition", "Recipe's Nutrition", buildNutritionPage(), "Recipe's Nutrition",
                  QString());
    addWizardPage("lblSource", "Recipe's Source", buildSourcePage(), "Recipe's Source", QString());
    bindBoxes();

    m_ingredientDialog = new TDialogRecipeIngredientEdit(recipes, images, prompter, this);
    m_valueDialog = new TDialogRecipeNutrientValue(recipes, images, prompter, this);

    connect(&recipes.cuisines(), &LookupList::changed, this, &TDialogRecipe::fillCuisines);
    TableView& recipe = recipes.tblRecipeDesc();
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset, &DataSet::stateChanged})
        connect(&recipe, signal, this, &TDialogRecipe::showCuisine);
    connect(&recipe, &DataSet::rowUpdated, this, &TDialogRecipe::showCuisine);
    fillCuisines();

    // Once when it is created, like every time it is shown.
    ShowOverviewPage();
}

// --- Building ---------------------------------------------------------------------------------

QLineEdit* TDialogRecipe::makeEdit(const QString& name, QWidget* parent, const QRect& place)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    // Escape in a box cancels the wizard.
    bindEscape(edit);
    return edit;
}

QWidget* TDialogRecipe::buildGeneralInfoPage()
{
    auto* page = new QWidget;
    page->setObjectName("GeneralInfo");
    constexpr int LeftWidth = 260;
    constexpr int GroupLeft = LeftWidth + 14;

    LabelSetup::create("Recipe Name:", page, QRect(0, 4, 200, 18))
        ->setBuddy(m_editName =
                       makeEdit("DBEditRecipeName", page, QRect(0, 23, PagesWidth - 10, 24)));

    LabelSetup::create("Cuisine:", page, QRect(0, 56, 200, 18));
    m_comboCuisine = new TDropDownList(page);
    m_comboCuisine->setObjectName("DBLookupComboBoxCuisine");
    m_comboCuisine->setGeometry(0, 75, LeftWidth, 24);
    m_comboCuisine->setMaxVisibleItems(16);
    bindEscape(m_comboCuisine);
    connect(m_comboCuisine, &QComboBox::activated, this, &TDialogRecipe::chooseCuisine);

    m_gridTypes = makeGrid("DBGridRecipeTypeLinks", page);
    m_gridTypes->setGeometry(0, 110, LeftWidth, 146);
    auto* types = new DataSetModel(&m_recipes.tblRecipeDesAndTypesAddEditOnly(),
                                   {{"TypeDesc", "Recipe Type"}}, m_gridTypes);
    m_gridTypes->setModel(types);
    types->setSelectionModel(m_gridTypes->selectionModel());
    m_gridTypes->horizontalHeader()->setStretchLastSection(true);

    constexpr int TypeButtonsLeft = 282;
    QLabel* clickHere = LabelSetup::create("Add/Delete Type >>>    CLICK HERE    >>>", page,
                                           QRect(0, 276, TypeButtonsLeft - 6, 20));
    clickHere->setObjectName("lblClickHere");
    auto* add = makeButton("ImgAdd", "btnAddRecipeType", "Add Recipe Type", page,
                           QPoint(TypeButtonsLeft, 262));
    auto* remove = makeButton("ImgRemove", "btnRemoveRecipeType", "Remove Recipe Type", page,
                              QPoint(TypeButtonsLeft + ButtonSize + 6, 262));
    connect(add, &TGraphicButton::clicked, this, &TDialogRecipe::btnAddRecipeTypeClick);
    connect(remove, &TGraphicButton::clicked, this, &TDialogRecipe::btnRemoveRecipeTypeClick);

    auto* group = new QGroupBox(page);
    group->setObjectName("GroupBoxServesAndTimes");
    group->setGeometry(GroupLeft, 104, PagesWidth - GroupLeft - 10, 152);
    const int boxLeft = 126;
    auto addNumber = [&](const QString& caption, const QString& name, int top, bool minutes) {
        QLabel* label = LabelSetup::create(caption, group, QRect(10, top, boxLeft - 14, 24));
        QLineEdit* box = makeEdit(name, group, QRect(boxLeft, top, 56, 24));
        label->setBuddy(box);
        if (minutes)
            LabelSetup::create("Min.", group, QRect(boxLeft + 62, top, 34, 24));
        return box;
    };
    m_editServes = addNumber("Number of Serves", "DBEditNumberOfServes", 22, false);
    m_editPreparation = addNumber("Preparation", "DBEditPreparationTime", 64, true);
    m_editCooking = addNumber("Cooking", "DBEditCookingTime", 106, true);
    return page;
}

QWidget* TDialogRecipe::buildIngredientsPage()
{
    auto* page = new QWidget;
    page->setObjectName("Ingredients");
    m_gridIngredients = makeGrid("DBGridRecipeIngredients", page);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto* ingredients =
        new DataSetModel(&m_recipes.tblRecipeIngredientsAddEditOnly(),
                         {{"Quantity", "Quantity", DataSetModel::Form::General, right},
                          {"Unit", "Unit"},
                          {"Ingredient Name", "Ingredient Name"}},
                         m_gridIngredients);
    m_gridIngredients->setModel(ingredients);
    ingredients->setSelectionModel(m_gridIngredients->selectionModel());
    QHeaderView* header = m_gridIngredients->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    m_gridIngredients->setColumnWidth(0, 64);
    m_gridIngredients->setColumnWidth(1, 90);
    connect(m_gridIngredients, &QAbstractItemView::doubleClicked, this,
            &TDialogRecipe::BtnEditIngredientClick);

    placeListAndButtons(page, m_gridIngredients,
                        {{"ImgCreate", "BtnAddIngredient", "Add New Ingredient", 0,
                          [this] { BtnAddIngredientClick(); }},
                         {"ImgDelete", "BtnDeleteIngredient", "Delete Selected Ingredients", 56,
                          [this] { BtnDeleteIngredientClick(); }},
                         {"ImgEdit", "BtnEditIngredient", "Edit Selected Ingredients", 112,
                          [this] { BtnEditIngredientClick(); }}});
    return page;
}

QWidget* TDialogRecipe::buildProcedurePage()
{
    auto* page = new QWidget;
    page->setObjectName("Procedure");
    QLabel* label = LabelSetup::create("Procedure/Instructions:", page, QRect(0, 4, 300, 18));
    m_memoProcedures = new QPlainTextEdit(page);
    m_memoProcedures->setObjectName("DBMemoProcedures");
    m_memoProcedures->setGeometry(0, 24, PagesWidth - 10, PagesHeight - 28);
    bindEscape(m_memoProcedures);
    label->setBuddy(m_memoProcedures);
    return page;
}

QWidget* TDialogRecipe::buildNutritionPage()
{
    auto* page = new QWidget;
    page->setObjectName("Nutrition");
    m_nutrientTabs = new TNutrientPickTabs(m_foods, *this, page);
    // "My Nutrients" is the tab shown first; afterwards the tab stays as the user left it.
    m_nutrientTabs->setCurrentWidget(m_nutrientTabs->myList());
    connect(m_nutrientTabs, &TNutrientPickTabs::picked, this, &TDialogRecipe::btnAddNutrientClick);

    // Totals are not edited here: a wrong value is removed and added again, or calculated.
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_gridNutrients =
        makeValueGrid("DBGridRecipeNutrients", page, m_recipes.tblRecipeNutrAddEditOnly(),
                      {{"NutrDesc", "Nutrient Description"},
                       {"Nutr_Val", "Total", DataSetModel::Form::Hashes, right},
                       {"Units", "Units"}},
                      62, 44);
    placeNutrientColumns(
        page, m_nutrientTabs,
        {{"ImgAdd", "btnAddNutrient", "Add Nutrient Value", 24, [this] { btnAddNutrientClick(); }},
         {"ImgRemove", "btnRemoveNutrient", "Remove selected Nutrient", 80,
          [this] { btnRemoveNutrientClick(); }},
         {"ImgLink", "btnLinkIngredient", "Link Ingredient to USDA DB", 164,
          [this] { btnLinkIngredientClick(); }},
         {"ImgCalc", "btnCalculateNutrients", "Calculate Nutrients from Ingredients", 220,
          [this] { btnCalculateNutrientsClick(); }}},
        m_gridNutrients);
    return page;
}

QWidget* TDialogRecipe::buildSourcePage()
{
    auto* page = new QWidget;
    page->setObjectName("Source");
    const int width = PagesWidth - 10;
    auto addBox = [&](const QString& caption, const QString& name, int top) {
        QLabel* label = LabelSetup::create(caption, page, QRect(0, top, 200, 18));
        QLineEdit* box = makeEdit(name, page, QRect(0, top + 19, width, 24));
        label->setBuddy(box);
        return box;
    };
    m_editAuthor = addBox("Author's Name:", "DBEditAuthor", 4);
    m_editSource = addBox("Source:", "DBEditSource", 58);
    m_editWebName = addBox("WebPage Name:", "DBEditWebPageName", 112);
    // The link is one line: a line box takes no line breaks and never wraps.
    m_editWebLink = addBox("WebPage Link:", "DBEditWebPageLink", 166);
    connect(m_editWebLink, &QLineEdit::editingFinished, this, &TDialogRecipe::ApplyWebLinkRule);
    return page;
}

void TDialogRecipe::bindBoxes()
{
    // Every bound box of the wizard and its field of the recipe row. The bindings take each
    // field's length and kind from the table (number boxes take only the characters of a
    // number).
    TableView* recipe = &m_recipes.tblRecipeDesc();
    const std::pair<QLineEdit*, const char*> boxes[] = {{m_editName, "Recipe Name"},
                                                        {m_editServes, "Number of Serves"},
                                                        {m_editPreparation, "Preperation Time"},
                                                        {m_editCooking, "Cooking Time"},
                                                        {m_editAuthor, "Author"},
                                                        {m_editSource, "Source"},
                                                        {m_editWebName, "Web Page Name"},
                                                        {m_editWebLink, "Web Page Link"}};
    for (const auto& [edit, field] : boxes)
        m_bindings.append(new FieldEditBinding(edit, recipe, field));
    m_proceduresBinding = new MemoEditBinding(m_memoProcedures, recipe, "Procedures");
}

// --- The menu ---------------------------------------------------------------------------------

void TDialogRecipe::ShowOverviewPage()
{
    showWizardPage(Overview);
}

void TDialogRecipe::ShowGeneralInfoPage()
{
    if (showWizardPage(GeneralInfo))
        m_editName->setFocus();
}

void TDialogRecipe::ShowIngredientsPage()
{
    if (showWizardPage(Ingredients))
        m_gridIngredients->setFocus();
}

void TDialogRecipe::ShowProcedurePage()
{
    if (showWizardPage(Procedure))
        m_memoProcedures->setFocus();
}

void TDialogRecipe::ShowNutritionPage()
{
    if (showWizardPage(Nutrition))
        m_nutrientTabs->currentWidget()->setFocus();
}

void TDialogRecipe::ShowSourcePage()
{
    if (showWizardPage(Source))
        m_editAuthor->setFocus();
}

void TDialogRecipe::menuEntryClicked(int page)
{
    switch (page) {
    case Overview:
        ShowOverviewPage();
        break;
    case GeneralInfo:
        ShowGeneralInfoPage();
        break;
    case Ingredients:
        ShowIngredientsPage();
        break;
    case Procedure:
        ShowProcedurePage();
        break;
    case Nutrition:
        ShowNutritionPage();
        break;
    case Source:
        ShowSourcePage();
        break;
    default:
        break;
    }
}

void TDialogRecipe::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        fillCuisines();
        for (FieldEditBinding* binding : std::as_const(m_bindings))
            binding->reload();
        m_proceduresBinding->reload();
        // Each showing starts on the Overview page. Becoming the active window again (after
        // one of its own dialogs closed) keeps the page the user is working on.
        ShowOverviewPage();
    }
    TWizardDialog::showEvent(event);
}

// --- Cuisine ----------------------------------------------------------------------------------

void TDialogRecipe::fillCuisines()
{
    {
        const QSignalBlocker quiet(m_comboCuisine);
        m_comboCuisine->clear();
        // The first entry is "no cuisine", so a cuisine chosen by mistake can be taken back.
        m_comboCuisine->addItem(QString(), QVariant());
        for (const LookupList::Entry& cuisine : m_recipes.cuisines().entries())
            if (!cuisine.key.isNull())
                m_comboCuisine->addItem(cuisine.name, cuisine.key);
    }
    showCuisine();
}

void TDialogRecipe::showCuisine()
{
    // The box shows the recipe's cuisine through its looked-up name: nothing when the recipe has
    // none or its cuisine is not stored.
    const TableView& recipe = m_recipes.tblRecipeDesc();
    int index = -1;
    const QVariant id = recipe.value("Cuisine_ID");
    if (!id.isNull() && !recipe.value("CuisineDesc").isNull()) {
        for (int i = 1; i < m_comboCuisine->count(); ++i)
            if (m_comboCuisine->itemData(i).toDouble() == id.toDouble()) {
                index = i;
                break;
            }
    }
    if (m_comboCuisine->currentIndex() != index) {
        const QSignalBlocker quiet(m_comboCuisine);
        m_comboCuisine->setCurrentIndex(index);
    }
}

void TDialogRecipe::chooseCuisine(int index)
{
    if (index < 0 || index >= m_comboCuisine->count())
        return;
    m_recipes.SetRecipeCuisine(m_comboCuisine->itemData(index));
    showCuisine();
}

// --- Types ------------------------------------------------------------------------------------

void TDialogRecipe::btnAddRecipeTypeClick()
{
    // pick() hides the list's own buttons while it is shown and shows them again afterwards.
    if (!m_typesList.pick()) {
        m_recipes.tblRecipeDesAndTypesAddEditOnly().cancel();
        return;
    }
    // An empty list offers no type; a type not yet stored has no key to link to.
    const LookupList& types = m_recipes.recipeTypes();
    if (m_recipes.LinkRecipeType(types.currentKey()) == TDataModuleRecipes::TypeLink::Already)
        prompter().message(types.currentName() + " Already Added");
}

void TDialogRecipe::btnRemoveRecipeTypeClick()
{
    removeAfterAsking(m_recipes.tblRecipeDesAndTypesAddEditOnly(), "TypeDesc");
}

// --- Ingredients ------------------------------------------------------------------------------

void TDialogRecipe::BtnAddIngredientClick()
{
    m_recipes.BeginNewIngredient();
    if (m_ingredientDialog->execDialog() != QDialog::Accepted) {
        m_recipes.tblRecipeIngredientsAddEditOnly().cancel();
        return;
    }
    m_recipes.PostNewIngredient();
}

void TDialogRecipe::BtnEditIngredientClick()
{
    TableView& ingredients = m_recipes.tblRecipeIngredientsAddEditOnly();
    // With no ingredient there is nothing to edit: an edit of an empty list would add one.
    if (ingredients.isEmpty()) {
        prompter().message("No Selected Record to Edit");
        return;
    }
    ingredients.edit();
    postFromDialog(ingredients, *m_ingredientDialog);
}

void TDialogRecipe::BtnDeleteIngredientClick()
{
    removeAfterAsking(m_recipes.tblRecipeIngredientsAddEditOnly(), "Ingredient Name");
}

// --- Nutrients --------------------------------------------------------------------------------

void TDialogRecipe::btnAddNutrientClick()
{
    const int nutrient = m_nutrientTabs->chosenNutrient();
    // An empty list offers no nutrient: a total without one would be meaningless.
    if (nutrient == 0)
        return;
    if (m_recipes.RecipeHasNutrient(nutrient)) {
        prompter().message("Already Added");
        return;
    }
    m_recipes.BeginNewRecipeNutrient(nutrient);
    postFromDialog(m_recipes.tblRecipeNutrAddEditOnly(), *m_valueDialog);
}

void TDialogRecipe::btnRemoveNutrientClick()
{
    removeAfterAsking(m_recipes.tblRecipeNutrAddEditOnly(), "NutrDesc");
}

bool TDialogRecipe::hasIngredients()
{
    if (m_recipes.HasWorkingIngredients())
        return true;
    prompter().message("This Recipe has no ingredients, Please Add Some Ingredients first");
    return false;
}

void TDialogRecipe::btnLinkIngredientClick()
{
    // Every link made or removed there is in the working ingredients already, however the
    // dialog is closed.
    if (hasIngredients())
        m_linkDialog.execDialog();
}

void TDialogRecipe::btnCalculateNutrientsClick()
{
    if (hasIngredients())
        m_recipes.CalculateRecipeNutrients();
}

// --- Source and closing -----------------------------------------------------------------------

void TDialogRecipe::ApplyWebLinkRule()
{
    // A name the user typed is never replaced.
    if (!m_editWebName->text().isEmpty() || m_editWebLink->text().isEmpty())
        return;
    // The name box follows the row.
    m_recipes.SetRecipeWebName(m_editWebLink->text());
}

bool TDialogRecipe::refuse(QLineEdit* box, const QString& message)
{
    prompter().message(message);
    ShowGeneralInfoPage();
    box->setFocus();
    box->selectAll();
    return false;
}

bool TDialogRecipe::canClose()
{
    if (m_editName->text().isEmpty())
        return refuse(m_editName, "Missing Recipe Name, Please Enter a name");
    if (m_editServes->text().isEmpty())
        return refuse(m_editServes,
                      "Missing Recipe Number of Serves, Please Enter the number of serves");
    // A number box holding something that is no number (a sign alone, "1e") would store an
    // empty value.
    const std::pair<QLineEdit*, const char*> numbers[] = {{m_editServes, "Number of Serves"},
                                                          {m_editPreparation, "Preparation Time"},
                                                          {m_editCooking, "Cooking Time"}};
    // Serves and times below 0 make no sense and would give negative values per serve.
    for (const auto& [box, name] : numbers) {
        double value = 0;
        if (box->text().isEmpty())
            continue;
        if (!NumberFormat::isNumber(box->text(), &value))
            return refuse(box, QStringLiteral("Please enter a number for the %1").arg(name));
        if (value < 0)
            return refuse(box, QStringLiteral("The %1 can't be negative").arg(name));
    }
    ApplyWebLinkRule();
    return true;
}
