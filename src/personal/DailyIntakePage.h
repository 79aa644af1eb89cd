#pragma once

#include "widgets/ContentPage.h"
#include "widgets/Lazy.h"

#include <QDate>
#include <functional>

class Prompter;
class QDateEdit;
class QTabBar;
class QTableView;
class TDataModuleFoods;
class TDataModulePersonal;
class TDataModuleRecipes;
class TDialogAddDailyIntakeFood;
class TDialogAddDailyIntakeRecipe;
class TDialogDailyIntake;
class TFormImageContainer;

// The Daily Intake page: what the current user ate on one day. The header holds
// btnNewDailyIntake ("Create New Daily Intake"), btnDeleteDailyIntake ("Delete Selected Daily
// Intake") and the label "Daily Intake for " + the user's name; below it the day's date picker
// DailyIntakeDate, the day list grid and the meal tab set TabSetDailyIntake ("Breakfast",
// "Lunch", "Dinner", "Snacks", "All"; "All" at start).
//
// The day list shows the current user's intakes of the picker's day and the chosen meal; it is
// read again whenever the day, the tab or the user changes, and after every add, copy and delete.
//
// A new intake is chosen in the Daily Intake dialog and then logged: a food with the meal,
// amount and measure of the add food dialog, a recipe with the meal and serves of the add recipe
// dialog, or a copy of intakes of another day. The food module's gram amount, which the add food
// dialog changes, is given back to the Foods page afterwards (the food list keeps its choice).
class TDailyIntakePage : public TContentPage
{
    Q_OBJECT

public:
    TDailyIntakePage(TDataModulePersonal& personal, TDataModuleFoods& foods,
                     TDataModuleRecipes& recipes, TLazy<TDialogDailyIntake>& dailyIntake,
                     TLazy<TDialogAddDailyIntakeFood>& addFood,
                     TLazy<TDialogAddDailyIntakeRecipe>& addRecipe, Prompter& prompter,
                     const TFormImageContainer& images, QWidget* parent = nullptr);

    QDate date() const;
    // Start-up: the picker shows day, and the day list is read.
    void setDate(const QDate& day);
    // The meal of the chosen tab ("All" included).
    QString mealType() const;

    // Reads the day list again for the current user, the picker's day and the chosen tab.
    void DailyIntakeDateChange();
    // Shown: the day is read again.
    void pageShown() override;
    // Create New Daily Intake: the Daily Intake dialog, then logging or copying.
    void btnNewDailyIntakeClick();
    // Delete Selected Daily Intake, after the question.
    void btnDeleteDailyIntakeClick();

    QTableView* grid() const { return m_grid; }
    QTabBar* tabSet() const { return m_tabSet; }

private:
    void showUser();
    void logFood();
    void logRecipe();
    void copyIntakes();

    TDataModulePersonal& m_personal;
    TDataModuleFoods& m_foods;
    TDataModuleRecipes& m_recipes;
    // Made when first opened.
    TLazy<TDialogDailyIntake>& m_dailyIntake;
    TLazy<TDialogAddDailyIntakeFood>& m_addFood;
    TLazy<TDialogAddDailyIntakeRecipe>& m_addRecipe;
    Prompter& m_prompter;

    QDateEdit* m_date = nullptr;
    QTableView* m_grid = nullptr;
    QTabBar* m_tabSet = nullptr;
};
