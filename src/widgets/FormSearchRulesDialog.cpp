#include "widgets/FormSearchRulesDialog.h"

#include "foods/DataModuleFoods.h"
#include "store/DataSetModel.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/SearchTables.h"
#include "store/TableView.h"
#include "widgets/DropDownList.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"
#include "widgets/GridSetup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>

namespace {

// The radio items stand in rows of three.
constexpr int KindColumns = 3;
constexpr int Width = 560;
// The height with one row of radio items; each further row adds RowHeight.
constexpr int BaseHeight = 500;
constexpr int RowHeight = 22;
constexpr int PageHeight = 172;

QLabel* makeLabel(const QString& text, QWidget* parent, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

} // namespace

TFormSearchRulesDialog::TFormSearchRulesDialog(SearchTables& searches,
                                               const TFormImageContainer& images,
                                               Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_searches(searches), m_prompter(prompter)
{
    setDialogSize(Width, BaseHeight);
    QWidget* area = contentArea();

    makeLabel("Search Name:", area, QRect(10, 6, 300, 16));
    m_name = new QLineEdit(area);
    m_name->setObjectName("dbedtRuleGroupName");
    m_name->setGeometry(10, 24, 330, 22);
    m_nameBinding = new FieldEditBinding(m_name, &searches.searchesView(), "S_NAME");

    m_kindsBox = new QGroupBox(" Condition Selection:", area);
    m_kindsBox->setObjectName("RadioGroupCondition");
    auto* kindsLayout = new QGridLayout(m_kindsBox);
    kindsLayout->setContentsMargins(8, 2, 8, 4);
    kindsLayout->setVerticalSpacing(2);
    m_kinds = new QButtonGroup(this);
    connect(m_kinds, &QButtonGroup::idClicked, this, &TFormSearchRulesDialog::setRuleKind);

    m_pages = new QStackedWidget(area);
    m_pages->setObjectName("NotebookConditions");

    m_add = TGraphicButton::fromStore(images, "ImgAdd", "btnAddCondition", "Add Condition", area);
    m_remove = TGraphicButton::fromStore(images, "ImgRemove", "btnRemove", "Remove Contion", area);
    connect(m_add, &TGraphicButton::clicked, this, &TFormSearchRulesDialog::btnAddConditionClick);
    connect(m_remove, &TGraphicButton::clicked, this, &TFormSearchRulesDialog::btnRemoveClick);

    m_rules = GridSetup::create("DBGridRules", area, GridSetup::StretchLastColumn);
    auto* rulesModel =
        new DataSetModel(&searches.rulesView(),
                         {{"Field", "Conditions:"}, {"Condition", " "}, {"RValue", " "}}, this);
    m_rules->setModel(rulesModel);
    rulesModel->setSelectionModel(m_rules->selectionModel());
    m_rules->setColumnWidth(0, 250);
    m_rules->setColumnWidth(1, 60);
    placeControls();
}

void TFormSearchRulesDialog::placeControls()
{
    const int rows = qMax(1, int((m_kindList.size() + KindColumns - 1) / KindColumns));
    const int extra = (rows - 1) * RowHeight;
    setDialogSize(Width, BaseHeight + extra);
    QWidget* area = contentArea();
    m_kindsBox->setGeometry(10, 54, 532, 46 + extra);
    m_pages->setGeometry(10, 106 + extra, 474, PageHeight);
    m_add->move(494, 168 + extra);
    m_remove->move(494, 286 + extra);
    m_rules->setGeometry(10, 286 + extra, 474, area->height() - 296 - extra);
    const int bottom = area->height() - 58;
    placeOkCancel(QPoint(494, bottom), QPoint(494, bottom - 54));
}

QWidget* TFormSearchRulesDialog::addKind(const QString& item, const QString& name)
{
    const int id = int(m_kindList.size());
    auto* radio = new QRadioButton(item, m_kindsBox);
    radio->setObjectName("Radio" + name);
    m_kinds->addButton(radio, id);
    static_cast<QGridLayout*>(m_kindsBox->layout())
        ->addWidget(radio, id / KindColumns, id % KindColumns);

    auto* page = new QWidget;
    page->setObjectName("Page" + name);
    m_pages->addWidget(page);
    m_kindList.append(Kind{});
    placeControls();
    // The first kind is chosen when the dialog is made.
    if (id == 0)
        setRuleKind(0);
    return page;
}

void TFormSearchRulesDialog::watchEnter(QWidget* input)
{
    m_inputs.insert(input);
    input->installEventFilter(this);
}

QLineEdit* TFormSearchRulesDialog::addWordKind(const QString& item, const QString& name,
                                               const QString& prompt, const QString& editName,
                                               const QString& field, bool required)
{
    QWidget* page = addKind(item, name);
    makeLabel(prompt, page, QRect(0, 4, 300, 16));
    auto* edit = new QLineEdit(page);
    edit->setObjectName(editName);
    FieldEditBinding::limitToField(edit, m_searches.rulesView().tableName(), "RValue");
    edit->setGeometry(0, 22, 300, 22);
    watchEnter(edit);
    m_kindList.last().add = [this, edit, field, required] {
        const QString word = edit->text();
        if (required && word.isEmpty()) {
            refuse("Please Enter a word to search for!!", edit);
            return;
        }
        if (m_searches.addRule(field, "contains", word))
            edit->clear();
    };
    return edit;
}

QComboBox* TFormSearchRulesDialog::addChoiceKind(const QString& item, const QString& name,
                                                 const QString& prompt, const QString& listName,
                                                 const QString& field, Choices choices,
                                                 const QString& refusal, bool keyIsExtraInfo)
{
    QWidget* page = addKind(item, name);
    makeLabel(prompt, page, QRect(0, 4, 300, 16));
    QComboBox* list = new TDropDownList(page);
    list->setObjectName(listName);
    list->setEditable(false);
    list->setGeometry(0, 22, 300, 22);
    watchEnter(list);
    m_kindList.last().refill = [this, list, choices] { fill(list, choices); };
    m_kindList.last().add = [this, list, field, refusal, keyIsExtraInfo] {
        if (!refusal.isEmpty() && list->currentIndex() < 0) {
            refuse(refusal, list);
            return;
        }
        // Without a choice the rule holds an empty text. The list keeps its choice.
        const QString extra = keyIsExtraInfo && list->currentIndex() >= 0
                                  ? QString::number(list->currentData().toInt())
                                  : QString();
        m_searches.addRule(field, "is", list->currentText(), extra);
    };
    return list;
}

void TFormSearchRulesDialog::addNutrientKind(const QString& item, const QString& name,
                                             TDataModuleFoods& foods)
{
    QWidget* page = addKind(item, name);
    QTableView* grid = GridSetup::create("DBGridNutrients", page, GridSetup::NoHorizontalScrollBar);
    grid->setGeometry(0, 0, 300, PageHeight);
    using List = TDataModuleFoods::NutrientList;
    DataSetModel* model = foods.newNutrientListModel(List::All, "Nutrient Description", this);
    grid->setModel(model);
    model->setSelectionModel(grid->selectionModel());
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->setColumnWidth(1, 48);

    makeLabel("Condition:", page, QRect(310, 0, 160, 16));
    QComboBox* condition = new TDropDownList(page);
    condition->setObjectName("ComboBoxCondition");
    // Only these comparisons can be chosen: a typed operator never reaches a search.
    condition->setEditable(false);
    condition->addItems(SearchTables::nutrientOperators());
    condition->setCurrentIndex(-1);
    condition->setGeometry(310, 18, 70, 22);

    makeLabel("Value:", page, QRect(310, 48, 160, 16));
    auto* value = new QLineEdit(page);
    value->setObjectName("edtValue");
    FieldEditBinding::limitToField(value, m_searches.rulesView().tableName(), "RValue");
    value->setGeometry(310, 66, 150, 22);
    watchEnter(value);

    auto* note = makeLabel("NOTE: the rule applies per 100g of Food quantitiy.", page,
                           QRect(310, 100, 160, 48));
    note->setObjectName("LabelNote");
    note->setWordWrap(true);

    m_kindList.last().add = [this, grid, condition, value, &foods] {
        if (condition->currentIndex() < 0) {
            refuse("Please Select a Condition.", condition);
            return;
        }
        const QString number = value->text();
        if (number.isEmpty()) {
            refuse("Please Enter a Value.", value);
            return;
        }
        // The value is compared with the stored amounts, so it has to be a number.
        if (!NumberFormat::isNumber(number)) {
            refuse("The Value must be a number, for example 10 or 2.5.", value);
            return;
        }
        const int nutrient = foods.currentNutrient(List::All);
        if (nutrient == 0) {
            refuse("Please Select a Nutrient.", grid);
            return;
        }
        if (m_searches.addRule(foods.currentNutrientName(List::All), condition->currentText(),
                               number, QString::number(nutrient)))
            value->clear();
    };
}

void TFormSearchRulesDialog::setRuleKind(int kind)
{
    if (QAbstractButton* radio = m_kinds->button(kind))
        radio->setChecked(true);
    m_pages->setCurrentIndex(kind);
}

int TFormSearchRulesDialog::ruleKind() const
{
    return m_kinds->checkedId();
}

void TFormSearchRulesDialog::fill(QComboBox* list, const Choices& choices)
{
    // The names may have changed since the last showing; the choice is kept when its item is
    // still there (found by its key, or by its text for items without one).
    const int chosen = list->currentIndex();
    const QVariant key = list->currentData();
    const QString text = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& [name, data] : choices())
        list->addItem(name, data);
    int index = -1;
    if (chosen >= 0)
        index = key.isValid() ? list->findData(key) : list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index);
}

void TFormSearchRulesDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    for (const Kind& kind : std::as_const(m_kindList))
        if (kind.refill)
            kind.refill();
    m_nameBinding->reload();
    m_name->setFocus();
}

bool TFormSearchRulesDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_inputs.contains(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnAddConditionClick();
            return true;
        }
    }
    return TFormTemplateDialog::eventFilter(watched, event);
}

void TFormSearchRulesDialog::refuse(const QString& message, QWidget* focus)
{
    m_prompter.message(message);
    focus->setFocus();
}

void TFormSearchRulesDialog::btnAddConditionClick()
{
    const int kind = ruleKind();
    if (kind >= 0 && kind < m_kindList.size() && m_kindList[kind].add)
        m_kindList[kind].add();
}

void TFormSearchRulesDialog::btnRemoveClick()
{
    m_searches.removeRule();
}

void TFormSearchRulesDialog::btnOkClick()
{
    if (m_name->text().isEmpty()) {
        refuse("Please Enter the Rule Group Name", m_name);
        return;
    }
    if (m_searches.rulesView().isEmpty()) {
        m_prompter.message("Please Add at list one  Condition");
        return;
    }
    confirmDialog();
}
