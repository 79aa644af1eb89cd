#include "foods/FoodsPage.h"

#include "foods/DataModuleFoods.h"
#include "store/DataSetModel.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "widgets/DropDownList.h"
#include "widgets/GridSetup.h"
#include "widgets/LookupBranch.h"
#include "widgets/NavigationPanel.h"
#include "widgets/NavigationTree.h"
#include "widgets/SearchBranches.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString FoodGroups = QStringLiteral("Food Groups");
const QString ViewAllFoods = QStringLiteral("View All Foods");
const QString NewFoodGroup = QStringLiteral("New Food Group");
const QString EditFoodGroups = QStringLiteral("Edit Food Groups");

QString groupHeader(const QString& group)
{
    return "Food Group: " + group;
}

} // namespace

TFoodsPage::TFoodsPage(TDataModuleFoods& foods, const TFormImageContainer& images,
                       Prompter& prompter, QWidget* parent)
    : TContentPage("Foods", images, parent), m_foods(foods), m_prompter(prompter)
{
    setObjectName("Foods");
    addHeaderButton("BtnNewFood", "ImgCreate32", "Create New Food/Ingredient",
                    [this] { BtnNewFoodClick(); });
    addHeaderButton("BtnDeleteFood", "ImgDelete32", "Delete Selected Food",
                    [this] { BtnDeleteFoodClick(); });
    addHeaderButton("BtnEditFood", "ImgEdit32", "Edit Selected Food/Ingredient",
                    [this] { BtnEditFoodClick(); });
    addHeaderButton("BtnImportFoodData", "ImgLoad32",
                    "Import USDA Food Data (a FoodData Central release)",
                    [this] { BtnImportFoodDataClick(); });
    setHeaderDescription("LabelHeaderDescriptionFood", Description::Plain,
                         "<<<Update This Screen as needed >>>");

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("Splitter1");
    splitter->setChildrenCollapsible(false);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QHBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 2, 4);
    leftLayout->setSpacing(4);

    m_foodGrid = GridSetup::create("DBGridFoodDesc", left,
                                   GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    m_foodModel = foods.foodList().newGridModel(this);
    m_foodGrid->setModel(m_foodModel);
    m_foodModel->setSelectionModel(m_foodGrid->selectionModel());
    m_foodGrid->horizontalHeader()->setStyleSheet(
        "QHeaderView::section { font-weight: bold; color: #006400; }");
    leftLayout->addWidget(m_foodGrid, 1);
    leftLayout->addWidget(buildNutrientPanel());

    splitter->addWidget(left);
    splitter->addWidget(buildNavigation());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({540, 200});
    pageLayout()->addWidget(splitter, 1);

    const TFoodList& list = foods.foodList();
    connect(&list, &TFoodList::foodChanged, this, &TFoodsPage::ResetMeasurePanel);
    // The gram label shows the grams beside the values per measure: whenever either changes.
    connect(&list, &TFoodList::gramsChanged, this, &TFoodsPage::updateGramsLabel);
    connect(m_nutrientModel, &QAbstractItemModel::modelReset, this, &TFoodsPage::updateGramsLabel);
}

QWidget* TFoodsPage::buildNutrientPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelNutrient");
    panel->setFixedWidth(266);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* measure = new QGroupBox("Measure Setting", panel);
    measure->setObjectName("GroupBoxMeasureSetting");
    auto* grid = new QGridLayout(measure);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    auto* amountLabel = new QLabel("Amount", measure);
    m_editAmount = new QLineEdit(measure);
    m_editAmount->setObjectName("EditAmount");
    amountLabel->setBuddy(m_editAmount);
    auto* typeLabel = new QLabel("Measure Type:", measure);
    m_comboMeasures = new TDropDownList(measure);
    m_comboMeasures->setObjectName("ComboBoxMeasures");
    m_comboMeasures->setEditable(false);
    m_comboMeasures->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_comboMeasures->setMinimumContentsLength(10);
    typeLabel->setBuddy(m_comboMeasures);
    grid->addWidget(amountLabel, 0, 0);
    grid->addWidget(typeLabel, 0, 1);
    grid->addWidget(m_editAmount, 1, 0);
    grid->addWidget(m_comboMeasures, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 3);
    auto* gramsCaption = new QLabel("Amount (g):", measure);
    gramsCaption->setStyleSheet("color: grey;");
    m_gramsLabel = new QLabel(measure);
    m_gramsLabel->setObjectName("DBTextAmountInGram");
    m_gramsLabel->setTextFormat(Qt::PlainText);
    auto* gramsRow = new QHBoxLayout;
    gramsRow->addWidget(gramsCaption);
    gramsRow->addWidget(m_gramsLabel, 1);
    grid->addLayout(gramsRow, 2, 0, 1, 2);
    layout->addWidget(measure);

    m_nutrientGrid = GridSetup::create("DBGridFoodNutrient", panel, GridSetup::AlternatingRows);
    m_nutrientModel = m_foods.newNutrientValuesModel(this);
    m_nutrientGrid->setModel(m_nutrientModel);
    m_nutrientModel->setSelectionModel(m_nutrientGrid->selectionModel());
    // Four columns share 266 pixels: a slightly smaller font keeps the numbers whole.
    QFont small = m_nutrientGrid->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_nutrientGrid->setFont(small);
    m_nutrientGrid->horizontalHeader()->setFont(small);
    m_nutrientGrid->verticalHeader()->setDefaultSectionSize(17);
    m_nutrientGrid->horizontalHeader()->setMinimumSectionSize(20);
    m_nutrientGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_nutrientGrid->setColumnWidth(1, 56);
    m_nutrientGrid->setColumnWidth(2, 70);
    m_nutrientGrid->setColumnWidth(3, 34);
    layout->addWidget(m_nutrientGrid, 1);

    connect(m_editAmount, &QLineEdit::textChanged, this, &TFoodsPage::ComboBoxMeasuresChange);
    connect(m_comboMeasures, &QComboBox::currentIndexChanged, this,
            &TFoodsPage::ComboBoxMeasuresChange);
    return panel;
}

QWidget* TFoodsPage::buildNavigation()
{
    auto* panel =
        new TNavigationPanel("USDA Nutrient Database Nagivation",
                             {"PanelNavigation", "LabelNavigation", "TreeViewFoods"}, this);
    panel->setMinimumWidth(150);
    m_tree = panel->tree();
    configureTree();
    return panel;
}

void TFoodsPage::FormShow()
{
    BuildFoodTree();
    selectEntry(topEntry(ViewAllFoods));
}

// --- Measures -------------------------------------------------------------------------------

void TFoodsPage::ResetMeasurePanel()
{
    // Each change of the amount runs against the measure list as it still stands.
    m_editAmount->setText(QString());
    m_editAmount->setText("1");
    m_comboMeasures->clear();
    const MeasuresT& measures = m_foods.BuildMeasureList();
    {
        const QSignalBlocker quiet(m_comboMeasures);
        for (const SMeasure& m : measures)
            m_comboMeasures->addItem(m.Description);
        m_comboMeasures->setCurrentIndex(-1);
    }
    if (!measures.isEmpty()) {
        {
            const QSignalBlocker quiet(m_comboMeasures);
            m_comboMeasures->setCurrentIndex(0);
        }
        ComboBoxMeasuresChange();
    } else {
        // A food without measures has no amount in grams: the previous food's grams would show
        // values per measure that mean nothing for this one.
        m_foods.foodList().clearChoice(0);
    }
    updateGramsLabel();
}

void TFoodsPage::ComboBoxMeasuresChange()
{
    const int index = m_comboMeasures->currentIndex();
    if (index < 0)
        return;
    // The values per measure follow the gram amount by themselves.
    m_foods.SetMeasureAmount(index, NumberFormat::leadingNumber(m_editAmount->text()));
}

void TFoodsPage::updateGramsLabel()
{
    // The grams of each value row, which there are none of for a food without shown values.
    m_gramsLabel->setText(m_nutrientModel->rowCount() == 0
                              ? QString()
                              : NumberFormat::hashes(m_foods.MeasureGrams()));
}

// --- Food buttons ---------------------------------------------------------------------------

void TFoodsPage::runFoodWizard()
{
    // A save the store refuses keeps everything pending; the wizard opens again so nothing
    // typed is lost.
    while (m_dialogs.foodWizard && m_dialogs.foodWizard()) {
        if (m_foods.SaveFood())
            return;
    }
    m_foods.DiscardFood();
}

void TFoodsPage::BtnNewFoodClick()
{
    if (m_foods.BeginNewFood())
        runFoodWizard();
}

void TFoodsPage::BtnEditFoodClick()
{
    if (m_foods.BeginEditFood())
        runFoodWizard();
}

void TFoodsPage::BtnDeleteFoodClick()
{
    m_foods.DeleteFood();
}

void TFoodsPage::BtnImportFoodDataClick()
{
    // After an import every list is read again, from "View All Foods".
    if (!m_dialogs.foodDataImport || !m_dialogs.foodDataImport())
        return;
    m_foods.FoodDataImported();
    BuildFoodTree();
    selectEntry(topEntry(ViewAllFoods));
}

// --- The food tree --------------------------------------------------------------------------

void TFoodsPage::configureTree()
{
    m_tree->addTopEntry(FoodGroups);
    m_tree->addTopEntry(ViewAllFoods, [this] {
        m_foods.ShowAllFoods();
        setHeaderText(ViewAllFoods);
    });
    m_tree->addTopEntry(TSearchBranches::SimpleSearch);
    m_tree->addTopEntry(TSearchBranches::AdvancedSearch);
    m_tree->setShowNothing([this](const QString& header) {
        m_foods.ShowNoFoods();
        setHeaderText(header);
    });

    TLookupBranch::Config groups;
    groups.newCommand = NewFoodGroup;
    groups.editCommand = EditFoodGroups;
    groups.names = [this] { return m_foods.GetFoodGroupNames(); };
    groups.show = [this](const QString& group) {
        m_foods.ShowFoodsByGroup(group);
        setHeaderText(groupHeader(group));
    };
    groups.operate(m_foods.foodGroups());
    groups.nameDialog = &m_dialogs.foodGroupEdit;
    groups.listDialog = &m_dialogs.foodGroups;
    new TLookupBranch(*m_tree, FoodGroups, groups);

    TSearchBranches::Config searches;
    searches.showKeyword = [this](const QString& keyword) { m_foods.RunSimpleSearch(keyword); };
    searches.showSearch = [this](const QString& name) { m_foods.RunAdvancedSearch(name); };
    searches.setHeader = [this](const QString& text) { setHeaderText(text); };
    searches.keywordDialog = &m_dialogs.simpleSearch;
    searches.searchDialog = &m_dialogs.advancedSearch;
    searches.searchListDialog = &m_dialogs.advancedSearchList;
    m_searchBranches = new TSearchBranches(*m_tree, m_foods.foodSearches(), m_prompter, searches);
}

QTreeWidgetItem* TFoodsPage::topEntry(const QString& text) const
{
    return m_tree->topEntry(text);
}

QTreeWidgetItem* TFoodsPage::childEntry(const QString& top, const QString& text) const
{
    return m_tree->childEntry(top, text);
}

QTreeWidgetItem* TFoodsPage::lastFoodNode() const
{
    return m_tree->lastEntry();
}

void TFoodsPage::BuildFoodTree()
{
    m_tree->build();
}

void TFoodsPage::FillFoodGroupNodes()
{
    m_tree->fillBranch(FoodGroups);
}

void TFoodsPage::FillSimpleSearchNodes()
{
    m_searchBranches->FillSimpleSearchNodes();
}

void TFoodsPage::FillAdvancedSearchNodes()
{
    m_searchBranches->FillAdvancedSearchNodes();
}

void TFoodsPage::refreshSearchNodes()
{
    m_searchBranches->refresh();
}

void TFoodsPage::showMenuListing(TFoodMenu::Listing what, const QString& text)
{
    using Listing = TFoodMenu::Listing;
    switch (what) {
    case Listing::AllFoods:
        m_tree->markListed({ViewAllFoods, {}, -1});
        setHeaderText(ViewAllFoods);
        break;
    case Listing::FoodGroup:
        m_tree->markListed({FoodGroups, text, -1});
        setHeaderText(groupHeader(text));
        break;
    case Listing::Keyword:
        m_tree->markListed({TSearchBranches::SimpleSearch, text, -1});
        setHeaderText(TSearchBranches::keywordHeader(text));
        break;
    case Listing::Search:
        m_tree->markListed({TSearchBranches::AdvancedSearch, text, -1});
        setHeaderText(TSearchBranches::searchHeader(text));
        break;
    }
}

void TFoodsPage::selectEntry(QTreeWidgetItem* item)
{
    m_tree->selectEntry(item);
}

void TFoodsPage::TreeViewFoodsChange(QTreeWidgetItem* item)
{
    m_tree->runSelection(item);
}
