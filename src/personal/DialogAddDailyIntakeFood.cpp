#include "personal/DialogAddDailyIntakeFood.h"

#include "foods/DataModuleFoods.h"
#include "foods/MeasureList.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

TDialogAddDailyIntakeFood::TDialogAddDailyIntakeFood(TDataModuleFoods& foods, Prompter& prompter,
                                                     const TFormImageContainer& images,
                                                     QWidget* owner)
    : TFormAddIntakeDialog(prompter, images, owner), m_foods(foods)
{
    setObjectName("DialogAddDailyIntakeFood");
    setDialogTitle("Add Daily Intake (Food)");
    setDialogSize(330, 292);
    placeMealGroup(QRect(10, 6, 302, 110));
    placeAmount("Amount", QRect(10, 124, 120, 18), QRect(10, 142, 110, 24));

    auto* measureLabel = new QLabel("Measure Type:", contentArea());
    measureLabel->setTextFormat(Qt::PlainText);
    measureLabel->setGeometry(130, 124, 180, 18);
    m_comboMeasures = new TMeasureList(contentArea());
    m_comboMeasures->setGeometry(130, 142, 182, 24);
    measureLabel->setBuddy(m_comboMeasures);

    m_labelAmountInGram = new QLabel("Amount (g): ", contentArea());
    m_labelAmountInGram->setObjectName("LabelAmountIngram");
    m_labelAmountInGram->setTextFormat(Qt::PlainText);
    m_labelAmountInGram->setGeometry(10, 176, 302, 20);
    placeOkCancel(QPoint(200, 210), QPoint(256, 210));

    connect(editAmount(), &QLineEdit::textChanged, this,
            &TDialogAddDailyIntakeFood::ComboBoxMeasuresChange);
    connect(m_comboMeasures, &QComboBox::currentIndexChanged, this,
            &TDialogAddDailyIntakeFood::ComboBoxMeasuresChange);
}

void TDialogAddDailyIntakeFood::showEvent(QShowEvent* event)
{
    // The measures of the food selected now, the first one chosen.
    m_comboMeasures->fill(m_foods);
    ComboBoxMeasuresChange();
    TFormAddIntakeDialog::showEvent(event);
}

const MeasuresT& TDialogAddDailyIntakeFood::measures() const
{
    return m_comboMeasures->measures();
}

int TDialogAddDailyIntakeFood::measureIndex() const
{
    return m_comboMeasures->chosenIndex();
}

SMeasure TDialogAddDailyIntakeFood::chosenMeasure() const
{
    return m_comboMeasures->chosen();
}

void TDialogAddDailyIntakeFood::ComboBoxMeasuresChange()
{
    QString label = QStringLiteral("Amount (g): ");
    m_grams = 0;
    if (measureIndex() >= 0) {
        m_grams = chosenMeasure().GramsPerUnit * amount();
        // The program has one gram amount, which the Foods page's per-measure column shows.
        m_foods.foodList().setGrams(m_grams);
    }
    if (!editAmount()->text().isEmpty() && m_grams != 0)
        label += NumberFormat::general(m_grams);
    m_labelAmountInGram->setText(label);
}

void TDialogAddDailyIntakeFood::btnOkClick()
{
    if (!checkMealAndAmount())
        return;
    if (measureIndex() < 0) {
        prompter().message("No Measure to Select");
        return;
    }
    // An amount whose grams overflow would store values that are no number.
    if (!std::isfinite(chosenMeasure().GramsPerUnit * amount())) {
        prompter().message("Invalid number for amount");
        editAmount()->setFocus();
        return;
    }
    confirmDialog();
}
