#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QDate>

class Clock;
class DataSetModel;
class QDateEdit;
class QRadioButton;
class QTabWidget;
class QTableView;
class TDataModuleFoods;
class TDataModulePersonal;
class TDataModuleRecipes;
class TDialogFoodGroups;
class TDialogRecipeCuisines;
class TDialogRecipeTypes;
class TFoodMenu;
class TRecipeMenu;

// "Add/Edit Daily Intake": where the user chooses what to add to the day, on three tabs of
// DailyIntakePages:
//  - "From Foods": the shared food list (DBGridFoods) and the food menu that fills it;
//  - "From Recipes": the shared recipe list (DBGridRecipes) and the recipe menu that fills it;
//  - "Duplicate Daily Intake": a source day (DailyIntakeDate, yesterday when the program starts,
//    kept between showings), the current user's intakes of that day, and whether the whole day
//    or only the selected intake is copied.
// The dialog reopens on the tab used last. Whenever the duplicate tab is shown or its day
// changes, the day list of the personal module is re-read for that day (all meals): the page
// that opened the dialog reads its own day back when the dialog has closed. A double click on a
// food or recipe confirms the dialog. The dialog only chooses; its caller logs or copies.
class TDialogDailyIntake : public TFormTemplateDialog
{
    Q_OBJECT

public:
    enum Tab { FromFoods = 0, FromRecipes = 1, Duplicate = 2 };

    TDialogDailyIntake(TDataModulePersonal& personal, TDataModuleFoods& foods,
                       TDataModuleRecipes& recipes, TDialogFoodGroups& foodGroups,
                       TDialogRecipeTypes& recipeTypes, TDialogRecipeCuisines& recipeCuisines,
                       const Clock& clock, const TFormImageContainer& images,
                       QWidget* owner = nullptr);

    Tab activeTab() const;
    QTabWidget* pages() const { return m_pages; }
    TFoodMenu* foodMenu() const { return m_foodMenu; }
    TRecipeMenu* recipeMenu() const { return m_recipeMenu; }

    // The duplicate tab: the source day and what is copied.
    QDate sourceDate() const;
    bool copyOnlySelected() const;
    // Re-reads the day list for the source day.
    void DailyIntakeDateChange();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildFoodsTab(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups);
    QWidget* buildRecipesTab(TDataModuleRecipes& recipes, TDialogRecipeTypes& recipeTypes,
                             TDialogRecipeCuisines& recipeCuisines);
    QWidget* buildDuplicateTab(const Clock& clock);
    void bindGrids(bool bound);

    TDataModulePersonal& m_personal;
    TDataModuleFoods& m_foods;
    TDataModuleRecipes& m_recipes;

    QTabWidget* m_pages = nullptr;
    TFoodMenu* m_foodMenu = nullptr;
    TRecipeMenu* m_recipeMenu = nullptr;
    QTableView* m_gridFoods = nullptr;
    QTableView* m_gridRecipes = nullptr;
    QTableView* m_gridIntakes = nullptr;
    QDateEdit* m_sourceDate = nullptr;
    QRadioButton* m_radioAll = nullptr;
    QRadioButton* m_radioSelected = nullptr;
};
