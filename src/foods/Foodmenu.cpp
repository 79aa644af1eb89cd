#include "foods/Foodmenu.h"

#include "foods/Advancedsearchlistdialog.h"
#include "foods/Databasefoods.h"
#include "foods/Foodgroupsdialog.h"
#include "foods/Simplesearchdialog.h"

#include <QLineEdit>
#include <QMenu>

TFoodMenu::TFoodMenu(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups,
                     TDialogFoodSimpleSearch& simpleSearch,
                     TDialogFoodAdvancedSearchList& advancedSearchList, QWidget* parent)
    : TMenuButton("click here to seach for food", parent), m_foods(foods), m_foodGroups(foodGroups),
      m_simpleSearch(simpleSearch), m_advancedSearchList(advancedSearchList)
{
    setObjectName("BtnSearchFood");
    popupMenu()->setObjectName("PopupMenuFoods");
    addEntry("Display All Foods", [this] { DisplayAllFoodsClick(); });
    addEntry("Display by Food Group", [this] { DisplayByFoodGroupClick(); });
    addEntry("Simple Search", [this] { SimpleSearchClick(); });
    addEntry("Advanced Search", [this] { AdvancedSearchClick(); });
}

void TFoodMenu::DisplayAllFoodsClick()
{
    m_foods.ShowAllFoods();
}

void TFoodMenu::DisplayByFoodGroupClick()
{
    m_foodGroups.PickFoodGroup();
}

void TFoodMenu::SimpleSearchClick()
{
    if (m_simpleSearch.execDialog() == QDialog::Accepted)
        m_foods.RunSimpleSearch(m_simpleSearch.editSearchSimple()->text());
    emit searchDialogClosed();
}

void TFoodMenu::AdvancedSearchClick()
{
    // Searches created, changed or deleted in the list are stored when it is confirmed and
    // dropped when it is cancelled, as from the food tree: nothing is left pending.
    m_advancedSearchList.runChosenSearch(
        [this](const QString& name) { m_foods.RunAdvancedSearch(name); });
    emit searchDialogClosed();
}
