#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QList>

class Prompter;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// What the two dialogs that ask how much of a food or recipe was eaten share: the radio group
// " Select Meal Type:" (RadioGroupMealType) with the four meal types, the amount box EditAmount
// (Enter runs the OK action, Escape cancels), and the first checks of their OK action:
//
//   no meal type chosen             "Please Select a Meal type"          focus on the meal group
//   amount box empty                "Please Enter the Amount Value"      focus on the amount box
//   the amount is the text "0"      "Can't have Zero value for Amount"   focus on the amount box
//   the amount reads as 0, as less  "Invalid number for amount"          focus on the amount box
//   than 0, or as no finite number
//
// The amount is read as a number from the start of the text (blanks, sign, digits with a point,
// exponent); what follows it is ignored, so "2 cups" reads as 2. A negative amount would
// subtract from the day's totals and is refused like 0.
class TFormAddIntakeDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // The chosen meal type; empty when none is chosen.
    QString mealType() const;
    // The amount typed, read as a number.
    double amount() const;
    // Empties the amount box and chooses no meal type.
    void clearInputs();

    QGroupBox* mealGroup() const { return m_mealGroup; }
    QLineEdit* editAmount() const { return m_editAmount; }

protected:
    TFormAddIntakeDialog(Prompter& prompter, const TFormImageContainer& images, QWidget* owner);

    // The meal group and the amount box, with the amount's caption, at their places.
    void placeMealGroup(const QRect& area);
    QLabel* placeAmount(const QString& caption, const QRect& captionArea, const QRect& boxArea);
    // The checks above, in order; the first that fails is shown and false returned.
    bool checkMealAndAmount();
    Prompter& prompter() const { return m_prompter; }
    // Shown, the dialog starts on the meal group while no meal is chosen, else on the amount.
    void showEvent(QShowEvent* event) override;

private:
    Prompter& m_prompter;
    QGroupBox* m_mealGroup = nullptr;
    QButtonGroup* m_meals = nullptr;
    QList<QRadioButton*> m_mealButtons;
    QLineEdit* m_editAmount = nullptr;
};
