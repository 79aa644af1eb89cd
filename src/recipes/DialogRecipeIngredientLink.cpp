#include "recipes/DialogRecipeIngredientLink.h"

#include "foods/DataModuleFoods.h"
#include "foods/FoodMenu.h"
#include "foods/MeasureList.h"
#include "recipes/DataModuleRecipes.h"
#include "store/DataSetModel.h"
#include "store/NumberFormat.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"
#include "widgets/GridSetup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

constexpr QColor LinkedColor(0x22, 0xcc, 0x22);
constexpr QColor NotLinkedColor(0xff, 0x30, 0x30);
constexpr QColor MeasureListColor(0xff, 0xff, 0xff);
constexpr QColor MeasureListOffColor(0xc0, 0xc0, 0xc0);

} // namespace

TDialogRecipeIngredientLink::TDialogRecipeIngredientLink(TDataModuleRecipes& recipes,
                                                         TDataModuleFoods& foods,
                                                         TDialogFoodGroups& foodGroups,
                                                         const TFormImageContainer& images,
                                                         QWidget* owner)
    : TFormTemplateDialog(images, owner), m_recipes(recipes), m_foods(foods)
{
    setObjectName("DialogRecipeIngredientLink");
    setDialogTitle("Link Recipe's Ingredient to USDA database");
    setDialogSize(620, 520);
    QWidget* area = contentArea();

    // The ingredient as the recipe writes it.
    m_editIngredientName = addBox("DBEditIngredientName", "Ingredient Name:", 10, 6, 370);
    m_editQuantity = addBox("DBEditQuantity", "Quantity:", 390, 6, 90);
    m_editUnit = addBox("DBEditUnit", "Unit:", 490, 6, 110);

    // Moving through the ingredients, and where the current one stands.
    auto* first = addFlatButton("BtnFirstIngredient", "First Ingredient", 10, 54);
    auto* prior = addFlatButton("BtnPriorIngredient", "<< Prior", 118, 54);
    auto* next = addFlatButton("BtnNextIngredient", "Next >>", 196, 54);
    auto* last = addFlatButton("BtnLastIngredient", "Last Ingredient", 274, 54);
    connect(first, &QPushButton::clicked, this, &TDialogRecipeIngredientLink::BtnFirstClick);
    connect(prior, &QPushButton::clicked, this, &TDialogRecipeIngredientLink::BtnPriorClick);
    connect(next, &QPushButton::clicked, this, &TDialogRecipeIngredientLink::BtnNextClick);
    connect(last, &QPushButton::clicked, this, &TDialogRecipeIngredientLink::BtnLastClick);
    m_labelRecord = new QLabel(area);
    m_labelRecord->setObjectName("LabelRecordMonitor");
    m_labelRecord->setTextFormat(Qt::PlainText);
    m_labelRecord->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_labelRecord->setGeometry(390, 54, 140, 22);
    m_linked = new QLabel(area);
    m_linked->setObjectName("DBTextLinked");
    m_linked->setTextFormat(Qt::PlainText);
    QFont bold = m_linked->font();
    bold.setBold(true);
    m_linked->setFont(bold);
    m_linked->setGeometry(536, 54, 64, 22);

    // The food the ingredient stands for, and how much of it.
    m_editFoodDesc = addBox("DBEditFoodDesc", "Equivalent Ingredient Name:", 10, 84, 370);
    m_editLinkQuantity = addBox("DBEditLinkQuantity", "Quantity:", 390, 84, 90);
    m_editLinkUnit = addBox("DBEditLinkUnit", "Unit:", 490, 84, 110);
    m_labelGrams = new QLabel("grams", area);
    m_labelGrams->setObjectName("LabelGrams");
    m_labelGrams->setGeometry(492, 102, 108, 22);
    m_labelGrams->hide();

    // The food list and its menu.
    m_foodMenu = new TFoodMenu(foods, foodGroups, area);
    m_foodMenu->move(10, 132);
    m_foodGrid = GridSetup::create("DBGridIngredients", area,
                                   GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    m_foodGrid->setGeometry(10, 160, 370, 270);
    m_foodGrid->horizontalHeader()->setStyleSheet(
        "QHeaderView::section { font-weight: bold; color: #006400; }");
    bindEscape(m_foodGrid);
    connect(m_foodMenu, &TFoodMenu::listed, m_foodGrid, [this] { m_foodGrid->setFocus(); });

    buildMeasurePanel(area);

    auto* link = new TGraphicButton(area);
    link->setObjectName("btnAddLinkIngredient");
    link->setToolTip("Add/Update Ingredient Link");
    link->setPictures(&images.picture("ImgLinkUp"), &images.picture("imgLinkDown"),
                      &images.picture("ImgLinkOver"));
    link->move(390, 332);
    auto* unlink = TGraphicButton::fromStore(images, "ImgRemove", "btnRemoveLinkIngredient",
                                             "Remove Ingredient Link", area);
    unlink->move(444, 332);
    connect(link, &TGraphicButton::clicked, this,
            &TDialogRecipeIngredientLink::btnAddLinkIngredientClick);
    connect(unlink, &TGraphicButton::clicked, this,
            &TDialogRecipeIngredientLink::btnRemoveLinkIngredientClick);
    placeOkCancel(QPoint(498, 332), QPoint(552, 332));

    auto* help = new QLabel("Select the food from the left List, set the measure requied  and "
                            "then click the update button to link it.",
                            area);
    help->setObjectName("LabelHelp");
    help->setTextFormat(Qt::PlainText);
    help->setWordWrap(true);
    help->setGeometry(10, 438, 590, 40);

    // The fields follow the working ingredient while the dialog is shown; the measures follow
    // the food list.
    TableView& work = m_recipes.tblRecipeIngredientsAddEditOnly();
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset})
        connect(&work, signal, this, [this] {
            if (isVisible())
                showIngredient();
        });
    connect(&work, &DataSet::rowUpdated, this, [this] {
        if (isVisible())
            showIngredient();
    });
    connect(&m_foods.foodList(), &TFoodList::foodChanged, this, [this] {
        if (isVisible())
            FillMeasureList();
    });
}

QLineEdit* TDialogRecipeIngredientLink::addBox(const QString& name, const QString& caption, int x,
                                               int y, int width)
{
    auto* label = new QLabel(caption, contentArea());
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, width, 18);
    auto* edit = new QLineEdit(contentArea());
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setGeometry(x, y + 18, width, 22);
    label->setBuddy(edit);
    return edit;
}

QPushButton* TDialogRecipeIngredientLink::addFlatButton(const QString& name, const QString& caption,
                                                        int x, int y)
{
    auto* button = new QPushButton(caption, contentArea());
    button->setObjectName(name);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet("QPushButton { color: white; border: none; text-decoration: underline; "
                          "text-align: left; padding: 0px 2px; }"
                          "QPushButton:hover { color: #84D1FB; }"
                          "QPushButton:focus { color: #D6F0FE; }");
    button->adjustSize();
    button->move(x, y);
    button->setFixedHeight(22);
    return button;
}

void TDialogRecipeIngredientLink::buildMeasurePanel(QWidget* area)
{
    auto* panel = new QGroupBox("Measure Setting", area);
    panel->setObjectName("GroupBoxMeasureSetting");
    panel->setGeometry(390, 154, 210, 170);

    auto* quantityLabel = new QLabel("Quantity:", panel);
    quantityLabel->setGeometry(10, 24, 66, 22);
    m_editAmount = new QLineEdit(panel);
    m_editAmount->setObjectName("EditAmount");
    m_editAmount->setGeometry(80, 24, 118, 22);
    quantityLabel->setBuddy(m_editAmount);

    m_radioByMeasure = new QRadioButton("By Measure", panel);
    m_radioByMeasure->setObjectName("RadioButtonByMeasure");
    m_radioByMeasure->setGeometry(10, 54, 188, 20);
    m_radioByMeasure->setChecked(true);
    m_comboMeasures = new TMeasureList(panel);
    m_comboMeasures->setGeometry(28, 76, 170, 24);
    m_labelAmountInGram = new QLabel("Amount (g): ", panel);
    m_labelAmountInGram->setObjectName("LabelAmountIngram");
    m_labelAmountInGram->setTextFormat(Qt::PlainText);
    m_labelAmountInGram->setGeometry(28, 102, 170, 20);
    m_radioInGrams = new QRadioButton("In Grams", panel);
    m_radioInGrams->setObjectName("RadioButtonInGrams");
    m_radioInGrams->setGeometry(10, 132, 188, 20);
    chooseByMeasure(true);

    // Enter in the quantity box links, as the link button does; Escape leaves the dialog.
    bindEscape(m_editAmount);
    connect(m_editAmount, &QLineEdit::returnPressed, this,
            &TDialogRecipeIngredientLink::btnAddLinkIngredientClick);
    connect(m_editAmount, &QLineEdit::textChanged, this, &TDialogRecipeIngredientLink::UpdateGrams);
    connect(m_comboMeasures, &QComboBox::currentIndexChanged, this,
            &TDialogRecipeIngredientLink::UpdateGrams);
    connect(m_radioByMeasure, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseByMeasure(true);
    });
    connect(m_radioInGrams, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseByMeasure(false);
    });
}

void TDialogRecipeIngredientLink::chooseByMeasure(bool byMeasure)
{
    // The measure list counts only "By Measure": white and usable then, grey and off otherwise.
    m_comboMeasures->setEnabled(byMeasure);
    QPalette palette = m_comboMeasures->palette();
    const QColor colour = byMeasure ? MeasureListColor : MeasureListOffColor;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colour);
        palette.setColor(group, QPalette::Button, colour);
    }
    // The measure still shown on grey stays readable.
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x40, 0x40, 0x40));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x40, 0x40, 0x40));
    m_comboMeasures->setPalette(palette);
    UpdateGrams();
}

void TDialogRecipeIngredientLink::showEvent(QShowEvent* event)
{
    // The food list is shown only while the dialog is: a hidden grid never slows the list down.
    if (!m_foodModel) {
        m_foodModel = m_foods.foodList().newGridModel(this);
        setGridModel(m_foodModel);
        m_foodModel->setSelectionModel(m_foodGrid->selectionModel());
    }
    TFormTemplateDialog::showEvent(event);
    m_recipes.tblRecipeIngredientsAddEditOnly().first();
    RefreshIngredient();
}

void TDialogRecipeIngredientLink::hideEvent(QHideEvent* event)
{
    TFormTemplateDialog::hideEvent(event);
    setGridModel(nullptr);
    delete m_foodModel;
    m_foodModel = nullptr;
}

void TDialogRecipeIngredientLink::setGridModel(QAbstractItemModel* model)
{
    // The grid makes a selection model for each model it is given and keeps the old one.
    QItemSelectionModel* old = m_foodGrid->selectionModel();
    m_foodGrid->setModel(model);
    delete old;
}

// --- Moving through the ingredients ----------------------------------------------------------

void TDialogRecipeIngredientLink::BtnFirstClick()
{
    m_recipes.tblRecipeIngredientsAddEditOnly().first();
    RefreshIngredient();
}

void TDialogRecipeIngredientLink::BtnPriorClick()
{
    m_recipes.tblRecipeIngredientsAddEditOnly().prior();
    RefreshIngredient();
}

void TDialogRecipeIngredientLink::BtnNextClick()
{
    m_recipes.tblRecipeIngredientsAddEditOnly().next();
    RefreshIngredient();
}

void TDialogRecipeIngredientLink::BtnLastClick()
{
    m_recipes.tblRecipeIngredientsAddEditOnly().last();
    RefreshIngredient();
}

void TDialogRecipeIngredientLink::RefreshIngredient()
{
    const TableView& work = m_recipes.tblRecipeIngredientsAddEditOnly();
    m_labelRecord->setText(
        QString::asprintf("Record(%d/%d) Linked:", work.currentRow() + 1, work.rowCount()));
    FillMeasureList();
    showIngredient();
}

void TDialogRecipeIngredientLink::showIngredient()
{
    const TableView& work = m_recipes.tblRecipeIngredientsAddEditOnly();
    m_editIngredientName->setText(work.asString("Ingredient Name"));
    m_editQuantity->setText(NumberFormat::general(work.value("Quantity")));
    m_editUnit->setText(work.asString("Unit"));
    m_editFoodDesc->setText(work.asString("NDB_FoodDesc"));
    m_editLinkQuantity->setText(NumberFormat::general(work.value("NDB_Quantity")));
    m_editLinkUnit->setText(work.asString("NDB_Unit"));
    // A text wider than its box shows from its beginning ("tablespoon, hea..."), not its end.
    for (QLineEdit* box : {m_editIngredientName, m_editQuantity, m_editUnit, m_editFoodDesc,
                           m_editLinkQuantity, m_editLinkUnit})
        box->setCursorPosition(0);

    const QString linked =
        work.currentRow() < 0 ? QString() : TDataModuleRecipes::linkedText(work, work.currentRow());
    m_linked->setText(linked);
    QPalette palette = m_linked->palette();
    palette.setColor(QPalette::WindowText,
                     linked == QLatin1String("YES") ? LinkedColor : NotLinkedColor);
    m_linked->setPalette(palette);

    // A link in grams has no unit: "grams" stands in its place.
    const bool byGram = work.value("NDB_ByGram").toBool();
    m_editLinkUnit->setVisible(!byGram);
    m_labelGrams->setVisible(byGram);
}

// --- Measures and grams -----------------------------------------------------------------------

void TDialogRecipeIngredientLink::FillMeasureList()
{
    m_comboMeasures->fill(m_foods);
    UpdateGrams();
}

void TDialogRecipeIngredientLink::UpdateGrams()
{
    const QString text = m_editAmount->text();
    const double quantity = NumberFormat::leadingNumber(text);
    if (!m_radioByMeasure->isChecked()) {
        m_labelAmountInGram->clear();
        m_grams = quantity;
        return;
    }
    // A food without household measures has no grams by measure.
    m_grams =
        m_comboMeasures->chosenIndex() >= 0 ? m_comboMeasures->chosen().GramsPerUnit * quantity : 0;
    // The Foods page's per-measure column shares the one gram amount of the program.
    m_foods.foodList().setGrams(m_grams);
    QString label = QStringLiteral("Amount (g): ");
    if (!text.isEmpty() && m_grams != 0)
        label += NumberFormat::general(m_grams);
    m_labelAmountInGram->setText(label);
}

// --- Link and unlink --------------------------------------------------------------------------

void TDialogRecipeIngredientLink::btnAddLinkIngredientClick()
{
    // With no food listed there is nothing to link to.
    const int food = m_foods.currentFoodNumber();
    if (food <= 0)
        return;
    QVariant weightId;
    if (m_comboMeasures->chosenIndex() >= 0)
        weightId = m_comboMeasures->chosen().WeightID;
    if (!m_recipes.LinkIngredient(food, NumberFormat::leadingNumber(m_editAmount->text()),
                                  m_radioInGrams->isChecked(), weightId, m_grams)) {
        // Refused by measure for want of measures: the way on is a link in grams; otherwise
        // the quantity was refused.
        if (!m_radioInGrams->isChecked() && weightId.isNull()) {
            m_radioInGrams->setFocus();
        } else {
            m_editAmount->setFocus();
            m_editAmount->selectAll();
        }
        return;
    }
    showIngredient();
    m_editAmount->clear();
}

void TDialogRecipeIngredientLink::btnRemoveLinkIngredientClick()
{
    m_recipes.UnlinkIngredient();
    showIngredient();
}

// --- The food menu ----------------------------------------------------------------------------

QMenu* TDialogRecipeIngredientLink::foodMenu() const
{
    return m_foodMenu->popupMenu();
}
