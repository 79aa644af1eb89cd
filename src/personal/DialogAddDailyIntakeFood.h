#pragma once

#include "foods/Measure.h"
#include "personal/FormAddIntakeDialog.h"

class QLabel;
class TDataModuleFoods;
class TMeasureList;

// "Add Daily Intake (Food)": the meal, the amount and the household measure of the food selected
// in the shared food list. Each showing copies that food's measures into ComboBoxMeasures, in
// order, and chooses the first. The gram label LabelAmountIngram reads "Amount (g): " followed by
// the grams of the amount of the chosen measure (nothing while the amount is empty or weighs
// nothing); computing them sets the food module's gram amount, which the caller restores for the
// Foods page afterwards.
//
// OK: the checks of the meal and the amount, then "No Measure to Select" when the food has no
// measure; the dialog stays open after each message.
class TDialogAddDailyIntakeFood : public TFormAddIntakeDialog
{
    Q_OBJECT

public:
    TDialogAddDailyIntakeFood(TDataModuleFoods& foods, Prompter& prompter,
                              const TFormImageContainer& images, QWidget* owner = nullptr);

    // The measures shown and the one chosen (index -1 when none is).
    const MeasuresT& measures() const;
    int measureIndex() const;
    SMeasure chosenMeasure() const;
    // The grams of the amount of the chosen measure, as the label shows them.
    double grams() const { return m_grams; }

    // The gram label, after each change of the measure or the amount.
    void ComboBoxMeasuresChange();
    void btnOkClick() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModuleFoods& m_foods;
    double m_grams = 0;
    TMeasureList* m_comboMeasures = nullptr;
    QLabel* m_labelAmountInGram = nullptr;
};
