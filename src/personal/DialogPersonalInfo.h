#pragma once

#include "personal/DataModulePersonal.h"
#include "widgets/WizardDialog.h"

#include <functional>

class FieldEditBinding;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;
class TDataModuleFoods;
class TDialogNutrientGoalValue;
class TNutrientPickTabs;

// The user's information wizard "Add/Edit User's Information": one user (the current row of
// tblPersonalInfo, which the caller has put into insert or edit state) with the user's daily
// nutrient goals (tblPersonalNutrGoals), on four pages chosen from the menu on the left:
// Overview, User's General Profile, Weight Goal, Diet and Nutritional Goals.
//
// Everything the wizard changes stays pending; the wizard never saves. Its caller stores the
// user and the goals (and keeps the weight history) when the wizard is confirmed and discards
// them when it is cancelled (TDataModulePersonal::SaveUser / DiscardUser), so cancelling also
// undoes goals added or removed here.
//
// Heights and weights are numbers in the units of the user's measurement system, shown beside
// each box; choosing another system relabels them without converting. The boxes take only the
// characters of a number.
//
// Date of birth: each showing sets the picker to the stored date of birth; without one the picker
// keeps the date it showed last (6 January 1970 the first time). Only a change of the picker's
// date is stored, at once; a date that is only shown is not.
//
// OK checks, in order, the name, the gender, the measurement system, the height, the current
// weight and the target weight; the first one missing (or not a number) is named in a message,
// its page is shown and its box takes the focus.
class TDialogPersonalInfo : public TWizardDialog
{
    Q_OBJECT

public:
    enum Page { Overview, GeneralProfile, WeightGoal, DietGoals };

    TDialogPersonalInfo(TDataModulePersonal& personal, TDataModuleFoods& foods,
                        const TFormImageContainer& images, Prompter& prompter,
                        QWidget* owner = nullptr);

    TDialogNutrientGoalValue& goalDialog() const { return *m_goalDialog; }
    // The "Click Here to Set My Nutrients Preference" link runs this (the preferences dialog,
    // stored or restored as from the main window).
    void setPreferenceRunner(std::function<void()> run) { m_runPreferences = std::move(run); }

    // Each shows its page unless it is current already.
    void ShowOverviewPage();
    void ShowGeneralProfilePage();
    void ShowWeightGoalPage();
    void ShowDietGoalsPage();

    // Goals (also a double click or Enter on either nutrient list).
    void btnAddNutrientClick();
    void btnRemoveNutrientClick();

protected:
    // FormCloseQuery: with OK, the checks above.
    bool canClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void menuEntryClicked(int page) override;

private:
    QWidget* buildGeneralProfilePage();
    QWidget* buildWeightGoalPage();
    QWidget* buildDietGoalsPage();
    QLineEdit* makeNumberBox(const QString& name, const QString& field, QWidget* parent);
    void fillLists();
    void showUser();
    void chooseGender(int index);
    void chooseMeasureSystem(int index);
    void birthDateChanged();
    bool refuse(const QString& message, Page page, QWidget* control);
    bool checkNumber(QLineEdit* box, TDataModulePersonal::BodyNumber field, const QString& name,
                     Page page);

    TDataModulePersonal& m_personal;
    TDataModuleFoods& m_foods;
    TDialogNutrientGoalValue* m_goalDialog = nullptr;
    std::function<void()> m_runPreferences;
    QList<FieldEditBinding*> m_bindings;

    QLineEdit* m_editName = nullptr;
    QDateEdit* m_dateOfBirth = nullptr;
    bool m_showingDate = false;
    QComboBox* m_comboGender = nullptr;
    QComboBox* m_comboMeasureSystem = nullptr;
    QLineEdit* m_editHeight = nullptr;
    QLabel* m_heightUnit = nullptr;

    QLineEdit* m_editWeight = nullptr;
    QLineEdit* m_editTargetWeight = nullptr;
    QLabel* m_weightUnit = nullptr;
    QLabel* m_targetWeightUnit = nullptr;
    QTableView* m_gridWeightHistory = nullptr;

    TNutrientPickTabs* m_nutrientTabs = nullptr;
    QLabel* m_preferenceLink = nullptr;
    QTableView* m_gridGoals = nullptr;
};
