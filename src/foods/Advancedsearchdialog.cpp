#include "foods/Advancedsearchdialog.h"

#include "app/Dropdownlist.h"
#include "app/Fieldeditbinding.h"
#include "app/Graphicbutton.h"
#include "app/Gridsetup.h"
#include "app/Imagecontainer.h"
#include "foods/Databasefoods.h"
#include "store/DataSetModel.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>

namespace {

QLabel* makeLabel(const QString& text, QWidget* parent, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

} // namespace

TDialogFoodAdvancedSearch::TDialogFoodAdvancedSearch(TDataModuleFoods& foods,
                                                     const TFormImageContainer& images,
                                                     Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_prompter(prompter)
{
    setObjectName("DialogFoodAdvancedSearch");
    setDialogTitle("Advanced Search");
    setDialogSize(560, 500);
    QWidget* area = contentArea();

    makeLabel("Search Name:", area, QRect(10, 6, 300, 16));
    m_name = new QLineEdit(area);
    m_name->setObjectName("dbedtRuleGroupName");
    m_name->setGeometry(10, 24, 330, 22);
    m_nameBinding = new FieldEditBinding(m_name, &foods.tblAdvancedSearch(), "S_NAME");

    auto* kinds = new QGroupBox(" Condition Selection:", area);
    kinds->setObjectName("RadioGroupCondition");
    kinds->setGeometry(10, 54, 532, 46);
    auto* kindsLayout = new QHBoxLayout(kinds);
    kindsLayout->setContentsMargins(8, 2, 8, 4);
    m_kinds = new QButtonGroup(this);
    const QStringList items = {"by Keyword in Food Name", "by Food Group",
                               "By Nutrient and its Value..."};
    const QStringList names = {"RadioKeyword", "RadioFoodGroup", "RadioNutrient"};
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], kinds);
        radio->setObjectName(names[i]);
        m_kinds->addButton(radio, i);
        kindsLayout->addWidget(radio);
    }

    m_pages = new QStackedWidget(area);
    m_pages->setObjectName("NotebookConditions");
    m_pages->setGeometry(10, 106, 474, 172);
    m_pages->addWidget(buildKeywordPage());
    m_pages->addWidget(buildFoodGroupPage());
    m_pages->addWidget(buildNutrientPage());
    connect(m_kinds, &QButtonGroup::idClicked, this,
            [this](int id) { setConditionKind(static_cast<ConditionKind>(id)); });
    setConditionKind(ByKeyword);

    auto addButton = [&](const QString& name, const QString& picture, const QString& hint,
                         const QPoint& at) {
        auto* b = TGraphicButton::fromStore(images, picture, name, hint, area);
        b->move(at);
        return b;
    };
    auto* add = addButton("btnAddCondition", "ImgAdd", "Add Condition", QPoint(494, 168));
    auto* remove = addButton("btnRemove", "ImgRemove", "Remove Contion", QPoint(494, 286));
    connect(add, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearch::btnAddConditionClick);
    connect(remove, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearch::btnRemoveClick);

    m_rules = GridSetup::create("DBGridRules", area, GridSetup::StretchLastColumn);
    m_rules->setGeometry(10, 286, 474, area->height() - 296);
    auto* rulesModel =
        new DataSetModel(&foods.tblAdvancedSearchRules(),
                         {{"Field", "Conditions:"}, {"Condition", " "}, {"RValue", " "}}, this);
    m_rules->setModel(rulesModel);
    rulesModel->setSelectionModel(m_rules->selectionModel());
    m_rules->setColumnWidth(0, 250);
    m_rules->setColumnWidth(1, 60);

    const int bottom = area->height() - 58;
    placeOkCancel(QPoint(494, bottom), QPoint(494, bottom - 54));

    for (QWidget* input : {static_cast<QWidget*>(m_word), static_cast<QWidget*>(m_foodGroup),
                           static_cast<QWidget*>(m_value)})
        input->installEventFilter(this);
}

QWidget* TDialogFoodAdvancedSearch::buildKeywordPage()
{
    auto* page = new QWidget;
    page->setObjectName("PageKeyword");
    makeLabel("Enter a word to search for:", page, QRect(0, 4, 300, 16));
    m_word = new QLineEdit(page);
    m_word->setObjectName("edtSearchFoodName");
    FieldEditBinding::limitToField(m_word, "FD_AdvancedSearchRules.DB", "RValue");
    m_word->setGeometry(0, 22, 300, 22);
    return page;
}

QWidget* TDialogFoodAdvancedSearch::buildFoodGroupPage()
{
    auto* page = new QWidget;
    page->setObjectName("PageFoodGroup");
    makeLabel("Select Food Group:", page, QRect(0, 4, 300, 16));
    m_foodGroup = new TDropDownList(page);
    m_foodGroup->setObjectName("dbLookupComboBoxFoodGroup");
    m_foodGroup->setEditable(false);
    m_foodGroup->setGeometry(0, 22, 300, 22);
    return page;
}

QWidget* TDialogFoodAdvancedSearch::buildNutrientPage()
{
    auto* page = new QWidget;
    page->setObjectName("PageNutrient");
    m_nutrients = GridSetup::create("DBGridNutrients", page, GridSetup::NoHorizontalScrollBar);
    m_nutrients->setGeometry(0, 0, 300, 172);
    auto* model = new DataSetModel(
        &m_foods.tblNutrDef(), {{"NutrDesc", "Nutrient Description"}, {"Units", "Units"}}, this);
    m_nutrients->setModel(model);
    model->setSelectionModel(m_nutrients->selectionModel());
    m_nutrients->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_nutrients->setColumnWidth(1, 48);

    makeLabel("Condition:", page, QRect(310, 0, 160, 16));
    m_condition = new TDropDownList(page);
    m_condition->setObjectName("ComboBoxCondition");
    // Only these comparisons can be chosen: a typed operator never reaches a search.
    m_condition->setEditable(false);
    m_condition->addItems(TDataModuleFoods::nutrientOperators());
    m_condition->setCurrentIndex(-1);
    m_condition->setGeometry(310, 18, 70, 22);

    makeLabel("Value:", page, QRect(310, 48, 160, 16));
    m_value = new QLineEdit(page);
    m_value->setObjectName("edtValue");
    FieldEditBinding::limitToField(m_value, "FD_AdvancedSearchRules.DB", "RValue");
    m_value->setGeometry(310, 66, 150, 22);

    auto* note = makeLabel("NOTE: the rule applies per 100g of Food quantitiy.", page,
                           QRect(310, 100, 160, 48));
    note->setObjectName("LabelNote");
    note->setWordWrap(true);
    return page;
}

void TDialogFoodAdvancedSearch::setConditionKind(ConditionKind kind)
{
    if (QAbstractButton* radio = m_kinds->button(kind))
        radio->setChecked(true);
    m_pages->setCurrentIndex(kind);
}

TDialogFoodAdvancedSearch::ConditionKind TDialogFoodAdvancedSearch::conditionKind() const
{
    return static_cast<ConditionKind>(m_kinds->checkedId());
}

void TDialogFoodAdvancedSearch::fillFoodGroups()
{
    // The groups may have changed since the last showing; the choice is kept when its group
    // is still there.
    const QVariant chosen = m_foodGroup->currentData();
    const QSignalBlocker quiet(m_foodGroup);
    m_foodGroup->clear();
    const TableView& groups = m_foods.tblFoodGroups();
    for (int row = 0; row < groups.rowCount(); ++row)
        m_foodGroup->addItem(groups.valueAt(row, "FdGrp_Desc").toString(),
                             groups.valueAt(row, "FdGrp_Cd"));
    m_foodGroup->setCurrentIndex(chosen.isValid() ? m_foodGroup->findData(chosen) : -1);
}

void TDialogFoodAdvancedSearch::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    fillFoodGroups();
    m_nameBinding->reload();
    m_name->setFocus();
}

bool TDialogFoodAdvancedSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == m_word || watched == m_foodGroup || watched == m_value)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnAddConditionClick();
            return true;
        }
    }
    return TFormTemplateDialog::eventFilter(watched, event);
}

void TDialogFoodAdvancedSearch::refuse(const QString& message, QWidget* focus)
{
    m_prompter.message(message);
    focus->setFocus();
}

void TDialogFoodAdvancedSearch::btnAddConditionClick()
{
    switch (conditionKind()) {
    case ByKeyword:
        addKeywordRule();
        break;
    case ByFoodGroup:
        addFoodGroupRule();
        break;
    case ByNutrient:
        addNutrientRule();
        break;
    }
}

void TDialogFoodAdvancedSearch::addKeywordRule()
{
    const QString word = m_word->text();
    if (word.isEmpty()) {
        refuse("Please Enter a word to search for!!", m_word);
        return;
    }
    if (m_foods.AddAdvancedSearchRule("FoodName", "contains", word))
        m_word->clear();
}

void TDialogFoodAdvancedSearch::addFoodGroupRule()
{
    if (m_foodGroup->currentIndex() < 0) {
        refuse("Please Select a Food Group.", m_foodGroup);
        return;
    }
    m_foods.AddAdvancedSearchRule("FoodGroup", "is", m_foodGroup->currentText(),
                                  QString::number(m_foodGroup->currentData().toInt()));
}

void TDialogFoodAdvancedSearch::addNutrientRule()
{
    if (m_condition->currentIndex() < 0) {
        refuse("Please Select a Condition.", m_condition);
        return;
    }
    const QString value = m_value->text();
    if (value.isEmpty()) {
        refuse("Please Enter a Value.", m_value);
        return;
    }
    // The value is compared with the stored amounts, so it has to be a number.
    if (!NumberFormat::isNumber(value)) {
        refuse("The Value must be a number, for example 10 or 2.5.", m_value);
        return;
    }
    const TableView& nutrients = m_foods.tblNutrDef();
    if (nutrients.currentRow() < 0) {
        refuse("Please Select a Nutrient.", m_nutrients);
        return;
    }
    if (m_foods.AddAdvancedSearchRule(nutrients.asString("NutrDesc"), m_condition->currentText(),
                                      value, QString::number(nutrients.asInteger("Nutr_No"))))
        m_value->clear();
}

void TDialogFoodAdvancedSearch::btnRemoveClick()
{
    m_foods.RemoveAdvancedSearchRule();
}

void TDialogFoodAdvancedSearch::btnOkClick()
{
    if (m_name->text().isEmpty()) {
        refuse("Please Enter the Rule Group Name", m_name);
        return;
    }
    if (m_foods.tblAdvancedSearchRules().isEmpty()) {
        m_prompter.message("Please Add at list one  Condition");
        return;
    }
    confirmDialog();
}
