#include "personal/Adddailyintakefooddialog.h"

#include "foods/Databasefoods.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

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
    m_comboMeasures = new QComboBox(contentArea());
    m_comboMeasures->setObjectName("ComboBoxMeasures");
    m_comboMeasures->setEditable(false);
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
    {
        const QSignalBlocker quiet(m_comboMeasures);
        m_comboMeasures->clear();
        m_measures = m_foods.BuildMeasureList();
        for (const SMeasure& m : std::as_const(m_measures))
            m_comboMeasures->addItem(m.Description);
        m_comboMeasures->setCurrentIndex(m_measures.isEmpty() ? -1 : 0);
    }
    ComboBoxMeasuresChange();
    TFormAddIntakeDialog::showEvent(event);
}

int TDialogAddDailyIntakeFood::measureIndex() const
{
    const int index = m_comboMeasures->currentIndex();
    return index >= 0 && index < m_measures.size() ? index : -1;
}

SMeasure TDialogAddDailyIntakeFood::chosenMeasure() const
{
    const int index = measureIndex();
    return index >= 0 ? m_measures[index] : SMeasure();
}

void TDialogAddDailyIntakeFood::ComboBoxMeasuresChange()
{
    QString label = QStringLiteral("Amount (g): ");
    m_grams = 0;
    if (const int index = measureIndex(); index >= 0) {
        m_grams = m_measures[index].GramsPerUnit * amount();
        // The program has one gram amount, which the Foods page's per-measure column shows.
        m_foods.setMeasureGrams(m_grams);
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
    confirmDialog();
}
