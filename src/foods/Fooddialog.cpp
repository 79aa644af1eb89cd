#include "foods/Fooddialog.h"

#include "app/Dropdownlist.h"
#include "app/Fieldeditbinding.h"
#include "app/Graphicbutton.h"
#include "app/Gridsetup.h"
#include "app/Imagecontainer.h"
#include "foods/Databasefoods.h"
#include "foods/Foodnutrientvaluedialog.h"
#include "foods/Measurementdialog.h"
#include "store/DataSetModel.h"
#include "store/Prompter.h"
#include "store/TableView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

namespace {

constexpr int PagesWidth = TWizardDialog::pagesWidth();
constexpr int PagesHeight = TWizardDialog::pagesHeight();

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

TDialogFood::TDialogFood(TDataModuleFoods& foods, const TFormImageContainer& images,
                         Prompter& prompter, QWidget* owner)
    : TWizardDialog(images, "nbFoodWizardPages", owner), m_foods(foods), m_images(images),
      m_prompter(prompter)
{
    setObjectName("DialogFood");
    setDialogTitle("Add/Edit Food Wizard");

    addWizardPage("lblOverview", "Overview", buildOverviewPage(), "Welcome to Food Wizard.",
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

    connect(&foods.tblFoodGroups(), &DataSet::rowsReset, this, &TDialogFood::fillFoodGroups);
    TableView& food = foods.tblFoodDesc();
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset, &DataSet::stateChanged})
        connect(&food, signal, this, &TDialogFood::showFoodGroup);
    connect(&food, &DataSet::rowUpdated, this, &TDialogFood::showFoodGroup);
    fillFoodGroups();

    // Once when it is created, like every time it is shown.
    ShowOverviewPage();
}

// --- Building ---------------------------------------------------------------------------------

QWidget* TDialogFood::buildOverviewPage()
{
    auto* page = new QWidget;
    page->setObjectName("Overview");
    const QStringList texts = {
        "First, use the Menu/Wizard Links on the left side panel to  navigate the various "
        "components required for  food record: ",
        "- Food Name and Group: Simply add the Name and choose a group.",
        "- Nutrient Values: Specify the Nutrient Values for this food record.",
        "- Useful Measures: Add common measures used with this food (e.g cup, table spoon   "
        "etc...).",
    };
    const int tops[] = {16, 76, 110, 144};
    for (int i = 0; i < texts.size(); ++i) {
        QLabel* label = plainLabel(texts[i], page);
        label->setObjectName(QStringLiteral("lblOverviewText%1").arg(i + 1));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int indent = i == 0 ? 0 : 16;
        label->setGeometry(indent, tops[i], PagesWidth - indent - 10, i == 0 ? 48 : 32);
    }
    return page;
}

QWidget* TDialogFood::buildFoodNamePage()
{
    auto* page = new QWidget;
    page->setObjectName("FoodNameAndGroup");

    QLabel* nameLabel = plainLabel("Food Name:", page);
    nameLabel->setGeometry(0, 16, 200, 18);
    m_editFoodName = new QLineEdit(page);
    m_editFoodName->setObjectName("DBEditFoodName");
    m_editFoodName->setGeometry(0, 36, PagesWidth - 10, 24);
    nameLabel->setBuddy(m_editFoodName);
    m_nameBinding = new FieldEditBinding(m_editFoodName, &m_foods.tblFoodDesc(), "Desc");

    QLabel* groupLabel = plainLabel("Food Group:", page);
    groupLabel->setGeometry(0, 80, 200, 18);
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

QTableView* TDialogFood::makeGrid(const QString& name, QWidget* parent)
{
    QTableView* grid = GridSetup::create(
        name, parent, GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    // Escape in a grid cancels the wizard.
    bindEscape(grid);
    return grid;
}

QWidget* TDialogFood::buildNutrientValuesPage()
{
    auto* page = new QWidget;
    page->setObjectName("NutrientValues");
    constexpr int TabsWidth = 200;
    constexpr int ButtonsLeft = TabsWidth + 6;
    constexpr int GridLeft = ButtonsLeft + 48 + 6;

    m_nutrientTabs = new QTabWidget(page);
    m_nutrientTabs->setObjectName("NutrientTabs");
    m_nutrientTabs->setGeometry(0, 0, TabsWidth, PagesHeight);
    setTextColor(m_nutrientTabs, Qt::black);
    const QList<DataSetModel::Column> columns = {{"NutrDesc", "NutrDesc"}, {"Units", "Units"}};
    auto addList = [&](const QString& name, TableView& view, const QString& title) {
        QTableView* grid = makeGrid(name, m_nutrientTabs);
        auto* model = new DataSetModel(&view, columns, grid);
        grid->setModel(model);
        model->setSelectionModel(grid->selectionModel());
        grid->horizontalHeader()->hide();
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
        grid->setColumnWidth(1, 44);
        m_nutrientTabs->addTab(grid, title);
        connect(grid, &QAbstractItemView::doubleClicked, this, &TDialogFood::btnAddNutrientClick);
        // Enter adds the nutrient too (see eventFilter).
        return grid;
    };
    m_gridAllNutrients = addList("DBGridAllNutrients", m_foods.tblNutrDef(), "All Nutrients");
    m_gridMyNutrients = addList("DBGridMyNutrients", m_foods.tblNutrPref(), "My Nutrients");
    // "My Nutrients" is the tab shown first; afterwards the tab stays as the user left it.
    m_nutrientTabs->setCurrentWidget(m_gridMyNutrients);

    m_btnAddNutrient = TGraphicButton::fromStore(
        m_images, "ImgAdd", "btnAddNutrient", "Add Selected Nutrient (From Left to Right)", page);
    m_btnAddNutrient->move(ButtonsLeft, 110);
    m_btnRemoveNutrient =
        TGraphicButton::fromStore(m_images, "ImgRemove", "btnRemoveNutrient",
                                  "Remove Selected Nutrient (From Right to Left)", page);
    m_btnRemoveNutrient->move(ButtonsLeft, 166);
    connect(m_btnAddNutrient, &TGraphicButton::clicked, this, &TDialogFood::btnAddNutrientClick);
    connect(m_btnRemoveNutrient, &TGraphicButton::clicked, this,
            &TDialogFood::btnRemoveNutrientClick);

    // Values are not edited here: a wrong value is removed and added again.
    m_gridValues = makeGrid("grdNutrientBy100g", page);
    m_gridValues->setGeometry(GridLeft, 0, PagesWidth - GridLeft, PagesHeight);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto* values = new DataSetModel(&m_foods.tblNutrData(),
                                    {{"NutrDesc", "Nutrient Description"},
                                     {"Nutr_Val", "Per 100g", DataSetModel::Form::General, right},
                                     {"Units", "Units"}},
                                    m_gridValues);
    m_gridValues->setModel(values);
    values->setSelectionModel(m_gridValues->selectionModel());
    m_gridValues->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_gridValues->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    m_gridValues->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    m_gridValues->setColumnWidth(1, 62);
    m_gridValues->setColumnWidth(2, 44);
    return page;
}

QWidget* TDialogFood::buildUsefulMeasuresPage()
{
    auto* page = new QWidget;
    page->setObjectName("UsefulMeasures");
    constexpr int ButtonsLeft = PagesWidth - 48 - 4;

    m_gridMeasures = makeGrid("grdMeasures", page);
    m_gridMeasures->setGeometry(0, 0, ButtonsLeft - 12, PagesHeight);
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

    m_btnNewMeasure = TGraphicButton::fromStore(m_images, "ImgCreate", "BtnNewMeasure",
                                                "Create New Measure", page);
    m_btnDeleteMeasure = TGraphicButton::fromStore(m_images, "ImgDelete", "BtnDeleteMeasure",
                                                   "Delete Selected Measure", page);
    m_btnEditMeasure = TGraphicButton::fromStore(m_images, "ImgEdit", "BtnEditMeasure",
                                                 "Edit Selected Measure", page);
    m_btnNewMeasure->move(ButtonsLeft, 0);
    m_btnDeleteMeasure->move(ButtonsLeft, 56);
    m_btnEditMeasure->move(ButtonsLeft, 112);
    connect(m_btnNewMeasure, &TGraphicButton::clicked, this, &TDialogFood::BtnNewMeasureClick);
    connect(m_btnDeleteMeasure, &TGraphicButton::clicked, this,
            &TDialogFood::BtnDeleteMeasureClick);
    connect(m_btnEditMeasure, &TGraphicButton::clicked, this, &TDialogFood::BtnEditMeasureClick);
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

bool TDialogFood::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_gridAllNutrients || watched == m_gridMyNutrients) &&
        event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnAddNutrientClick();
            return true;
        }
    }
    return TWizardDialog::eventFilter(watched, event);
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
    const TableView& groups = m_foods.tblFoodGroups();
    m_groupItems->removeRows(0, m_groupItems->rowCount());
    for (int row = 0; row < groups.rowCount(); ++row) {
        auto* description = new QStandardItem(groups.valueAt(row, "FdGrp_Desc").toString());
        const QVariant code = groups.valueAt(row, "FdGrp_Cd");
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
    const TableView& food = m_foods.tblFoodDesc();
    int index = -1;
    if (!food.value("FdGrp_Desc").isNull()) {
        const int code = food.asInteger("FdGrp_Cd");
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
    m_foods.tblFoodDesc().setValue("FdGrp_Cd", m_groupItems->item(index, 0)->data(Qt::UserRole));
    showFoodGroup();
}

// --- Nutrient values --------------------------------------------------------------------------

int TDialogFood::chosenNutrient() const
{
    const TableView& list = m_nutrientTabs->currentWidget() == m_gridAllNutrients
                                ? m_foods.tblNutrDef()
                                : m_foods.tblNutrPref();
    return list.asInteger("Nutr_No");
}

bool TDialogFood::hasNutrient(int nutrient) const
{
    // The food's rows, pending ones included.
    const TableView& values = m_foods.tblNutrData();
    for (int row = 0; row < values.rowCount(); ++row)
        if (values.valueAt(row, "Nutr_No").toInt() == nutrient)
            return true;
    return false;
}

void TDialogFood::btnAddNutrientClick()
{
    const int nutrient = chosenNutrient();
    // An empty list offers no nutrient: a value without one would be meaningless.
    if (nutrient == 0)
        return;
    if (hasNutrient(nutrient)) {
        m_prompter.message("Already Added");
        return;
    }
    TableView& values = m_foods.tblNutrData();
    values.append();
    values.setValue("NDB_No", m_foods.tblFoodDesc().value("NDB_No"));
    values.setValue("Nutr_No", nutrient);
    postFromDialog(values, *m_valueDialog);
}

void TDialogFood::btnRemoveNutrientClick()
{
    askToRemove(m_foods.tblNutrData(), "NutrDesc");
}

// --- Measures ---------------------------------------------------------------------------------

void TDialogFood::BtnNewMeasureClick()
{
    TableView& measures = m_foods.tblWeight();
    measures.append();
    measures.setValue("NDB_No", m_foods.tblFoodDesc().value("NDB_No"));
    postFromDialog(measures, *m_measureDialog);
}

void TDialogFood::BtnEditMeasureClick()
{
    TableView& measures = m_foods.tblWeight();
    if (measures.isEmpty()) {
        m_prompter.message("No Selected Record to Edit");
        return;
    }
    measures.edit();
    postFromDialog(measures, *m_measureDialog);
}

void TDialogFood::BtnDeleteMeasureClick()
{
    askToRemove(m_foods.tblWeight(), "Msre_Desc");
}

// --- Rows of the food ----------------------------------------------------------------------------

void TDialogFood::postFromDialog(TableView& rows, TFormTemplateDialog& dialog)
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

void TDialogFood::askToRemove(TableView& rows, const QString& nameField)
{
    if (rows.isEmpty()) {
        m_prompter.message("No Selected Record to Delete");
        return;
    }
    if (confirmRowRemoval(m_prompter, rows.asString(nameField)))
        rows.remove();
}

// --- Closing ----------------------------------------------------------------------------------

bool TDialogFood::canClose()
{
    // Only a name and a group are required: a food may have no value and no measure, and a
    // name of blanks is a name.
    if (m_editFoodName->text().isEmpty()) {
        m_prompter.message("Missing Food Name, Please Enter a name");
        ShowFoodNamePage();
        m_editFoodName->setFocus();
        return false;
    }
    if (m_comboFoodGroup->currentIndex() < 0) {
        m_prompter.message("Missing Food Group, Please Select one!");
        ShowFoodNamePage();
        m_comboFoodGroup->setFocus();
        return false;
    }
    return true;
}
