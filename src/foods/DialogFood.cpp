#include "foods/DialogFood.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodNutrientValue.h"
#include "foods/DialogMeasurement.h"
#include "store/DataSetModel.h"
#include "store/LookupList.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/DropDownList.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/LabelSetup.h"
#include "widgets/NutrientPickTabs.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTableView>

namespace {

constexpr int PagesWidth = TWizardDialog::pagesWidth();

} // namespace

TDialogFood::TDialogFood(TDataModuleFoods& foods, const TFormImageContainer& images,
                         Prompter& prompter, QWidget* owner)
    : TWizardDialog(images, prompter, "nbFoodWizardPages", owner), m_foods(foods)
{
    setObjectName("DialogFood");
    setDialogTitle("Add/Edit Food Wizard");

    const QList<OverviewLine> overview = {
        {"First, use the Menu/Wizard Links on the left side panel to  navigate the various "
         "components required for  food record: ",
         16, 48},
        {"- Food Name and Group: Simply add the Name and choose a group.", 76, 32},
        {"- Nutrient Values: Specify the Nutrient Values for this food record.", 110, 32},
        {"- Useful Measures: Add common measures used with this food (e.g cup, table spoon   "
         "etc...).",
         144, 32},
    };
    addWizardPage("lblOverview", "Overview", overviewPage(overview), "Welcome to Food Wizard.",
                  "This wizard will guide step by step to  add/edit  food  record.");
    addWizardPage("lblFoodNameAndGroup", "Food Name and Group", buildFoodNamePage(),
                  "Food Name and Food Group",
                  "Specify the Food Name and Select the appropriate Food Group.");
    addWizardPage("lblNutrientValues", "Nutrient Values", buildNutrientValuesPage(),
                  "Nutrient Values",
                  "Select a Nutrient from the left List, Double-click on it or Press the Add "
                  "Button, then Enter the Nutrient Value for the food base on 100g weight.");
    addWizardPage("lblUsefulMeasures", "Useful Measures", buildUsefulMeasuresPage(),
                  "Useful Measures",
                  "Use this page to set common measures (e.g cup, teaspoon..etc. Simply by "
                  "clicking on Add/Edit and Delete buttons.");

    m_valueDialog = new TDialogFoodNutrientValue(foods, images, prompter, this);
    m_measureDialog = new TDialogMeasurement(foods, images, prompter, this);

    connect(&foods.foodGroups(), &LookupList::changed, this, &TDialogFood::fillFoodGroups);
    connect(&foods, &TDataModuleFoods::wizardFoodChanged, this, &TDialogFood::showFoodGroup);
    fillFoodGroups();

    // Once when it is created, like every time it is shown.
    ShowOverviewPage();
}

// --- Building ---------------------------------------------------------------------------------

QWidget* TDialogFood::buildFoodNamePage()
{
    auto* page = new QWidget;
    page->setObjectName("FoodNameAndGroup");

    QLabel* nameLabel = LabelSetup::create("Food Name:", page, QRect(0, 16, 200, 18));
    m_editFoodName = new QLineEdit(page);
    m_editFoodName->setObjectName("DBEditFoodName");
    m_editFoodName->setGeometry(0, 36, PagesWidth - 10, 24);
    nameLabel->setBuddy(m_editFoodName);
    m_nameBinding = new FieldEditBinding(m_editFoodName, &m_foods.tblFoodDesc(), "Desc");

    QLabel* groupLabel = LabelSetup::create("Food Group:", page, QRect(0, 80, 200, 18));
    m_comboFoodGroup = new TDropDownList(page);
    m_comboFoodGroup->setObjectName("DBLookupComboBoxFoodGroup");
    m_comboFoodGroup->setGeometry(0, 100, 320, 24);
    m_comboFoodGroup->setMaxVisibleItems(16);
    groupLabel->setBuddy(m_comboFoodGroup);

    // The list shows each group's description with its code beside it; the box shows the
    // description.
    m_groupItems = new QStandardItemModel(0, 2, this);
    auto* list = new QTableView(m_comboFoodGroup);
    list->setObjectName("DBLookupComboBoxFoodGroupList");
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(19);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_comboFoodGroup->setModel(m_groupItems);
    m_comboFoodGroup->setView(list);
    m_comboFoodGroup->setModelColumn(0);
    list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list->setMinimumWidth(360);
    connect(m_comboFoodGroup, &QComboBox::activated, this, &TDialogFood::chooseFoodGroup);
    return page;
}

QWidget* TDialogFood::buildNutrientValuesPage()
{
    auto* page = new QWidget;
    page->setObjectName("NutrientValues");
    m_nutrientTabs = new TNutrientPickTabs(m_foods, *this, page);
    // "My Nutrients" is the tab shown first; afterwards the tab stays as the user left it.
    m_nutrientTabs->setCurrentWidget(m_nutrientTabs->myList());
    connect(m_nutrientTabs, &TNutrientPickTabs::picked, this, &TDialogFood::btnAddNutrientClick);

    // Values are not edited here: a wrong value is removed and added again.
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_gridValues = makeValueGrid("grdNutrientBy100g", page, m_foods.tblNutrData(),
                                 {{"NutrDesc", "Nutrient Description"},
                                  {"Nutr_Val", "Per 100g", DataSetModel::Form::General, right},
                                  {"Units", "Units"}},
                                 62, 44);
    placeNutrientColumns(
        page, m_nutrientTabs,
        moveButtons([this] { btnAddNutrientClick(); }, [this] { btnRemoveNutrientClick(); }),
        m_gridValues);
    return page;
}

QWidget* TDialogFood::buildUsefulMeasuresPage()
{
    auto* page = new QWidget;
    page->setObjectName("UsefulMeasures");
    m_gridMeasures = makeGrid("grdMeasures", page);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto* measures = new DataSetModel(&m_foods.tblWeight(),
                                      {{"Amount", "Amount", DataSetModel::Form::General, right},
                                       {"Msre_Desc", "Measure Description"},
                                       {"Gm_Wgt", "Grams", DataSetModel::Form::General, right}},
                                      m_gridMeasures);
    m_gridMeasures->setModel(measures);
    measures->setSelectionModel(m_gridMeasures->selectionModel());
    m_gridMeasures->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_gridMeasures->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_gridMeasures->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    m_gridMeasures->setColumnWidth(0, 60);
    m_gridMeasures->setColumnWidth(2, 70);

    placeListAndButtons(
        page, m_gridMeasures,
        {{"ImgCreate", "BtnNewMeasure", "Create New Measure", 0, [this] { BtnNewMeasureClick(); }},
         {"ImgDelete", "BtnDeleteMeasure", "Delete Selected Measure", 56,
          [this] { BtnDeleteMeasureClick(); }},
         {"ImgEdit", "BtnEditMeasure", "Edit Selected Measure", 112,
          [this] { BtnEditMeasureClick(); }}});
    return page;
}

// --- The menu ---------------------------------------------------------------------------------

void TDialogFood::ShowOverviewPage()
{
    showWizardPage(Overview);
}

void TDialogFood::ShowFoodNamePage()
{
    if (showWizardPage(FoodNameAndGroup))
        m_editFoodName->setFocus();
}

void TDialogFood::ShowNutrientValuesPage()
{
    showWizardPage(NutrientValues);
}

void TDialogFood::ShowUsefulMeasuresPage()
{
    showWizardPage(UsefulMeasures);
}

void TDialogFood::menuEntryClicked(int page)
{
    if (page == FoodNameAndGroup)
        ShowFoodNamePage();
    else
        showWizardPage(page);
}

void TDialogFood::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        fillFoodGroups();
        m_nameBinding->reload();
        // Each showing starts on the Overview page. Becoming the active window again (after a
        // value or measure dialog closed) keeps the page the user is working on.
        ShowOverviewPage();
    }
    TWizardDialog::showEvent(event);
}

// --- Food name and group ----------------------------------------------------------------------

void TDialogFood::fillFoodGroups()
{
    m_groupItems->removeRows(0, m_groupItems->rowCount());
    for (const LookupList::Entry& group : m_foods.foodGroups().entries()) {
        auto* description = new QStandardItem(group.name);
        const QVariant code = group.key;
        description->setData(code, Qt::UserRole);
        auto* codeItem = new QStandardItem(code.toString());
        codeItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_groupItems->appendRow({description, codeItem});
    }
    showFoodGroup();
}

void TDialogFood::showFoodGroup()
{
    // The box shows the food's group through its looked-up description: nothing when the
    // food's group code has no group row.
    int index = -1;
    const QVariant group = m_foods.FoodGroupOfFood();
    if (!group.isNull()) {
        const int code = group.toInt();
        for (int row = 0; row < m_groupItems->rowCount(); ++row)
            if (m_groupItems->item(row, 0)->data(Qt::UserRole).toInt() == code) {
                index = row;
                break;
            }
    }
    if (m_comboFoodGroup->currentIndex() != index)
        m_comboFoodGroup->setCurrentIndex(index);
}

void TDialogFood::chooseFoodGroup(int index)
{
    if (index < 0 || index >= m_groupItems->rowCount())
        return;
    m_foods.SetFoodGroup(m_groupItems->item(index, 0)->data(Qt::UserRole));
    showFoodGroup();
}

// --- Nutrient values --------------------------------------------------------------------------

void TDialogFood::btnAddNutrientClick()
{
    const int nutrient = m_nutrientTabs->chosenNutrient();
    // An empty list offers no nutrient: a value without one would be meaningless.
    if (nutrient == 0)
        return;
    if (m_foods.FoodHasValue(nutrient)) {
        prompter().message("Already Added");
        return;
    }
    m_foods.BeginNewFoodValue(nutrient);
    postFromDialog(m_foods.tblNutrData(), *m_valueDialog);
}

void TDialogFood::btnRemoveNutrientClick()
{
    removeAfterAsking(m_foods.tblNutrData(), "NutrDesc");
}

// --- Measures ---------------------------------------------------------------------------------

void TDialogFood::BtnNewMeasureClick()
{
    m_foods.BeginNewMeasure();
    postFromDialog(m_foods.tblWeight(), *m_measureDialog);
}

void TDialogFood::BtnEditMeasureClick()
{
    TableView& measures = m_foods.tblWeight();
    if (measures.isEmpty()) {
        prompter().message("No Selected Record to Edit");
        return;
    }
    measures.edit();
    postFromDialog(measures, *m_measureDialog);
}

void TDialogFood::BtnDeleteMeasureClick()
{
    removeAfterAsking(m_foods.tblWeight(), "Msre_Desc");
}

// --- Closing ----------------------------------------------------------------------------------

bool TDialogFood::canClose()
{
    // Only a name and a group are required: a food may have no value and no measure, and a
    // name of blanks is a name.
    if (m_editFoodName->text().isEmpty()) {
        prompter().message("Missing Food Name, Please Enter a name");
        ShowFoodNamePage();
        m_editFoodName->setFocus();
        return false;
    }
    if (m_comboFoodGroup->currentIndex() < 0) {
        prompter().message("Missing Food Group, Please Select one!");
        ShowFoodNamePage();
        m_comboFoodGroup->setFocus();
        return false;
    }
    return true;
}
