#include "foods/FoodMenu.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodAdvancedSearchList.h"
#include "foods/DialogFoodGroups.h"
#include "foods/DialogFoodSimpleSearch.h"
#include "store/TableView.h"

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
    emit listed(Listing::AllFoods, QString());
}

void TFoodMenu::DisplayByFoodGroupClick()
{
    if (m_foodGroups.PickFoodGroup())
        emit listed(Listing::FoodGroup, m_foods.foodGroups().currentName());
}

void TFoodMenu::SimpleSearchClick()
{
    const bool accepted = m_simpleSearch.execDialog() == QDialog::Accepted;
    const QString keyword = m_simpleSearch.editSearchSimple()->text();
    if (accepted)
        m_foods.RunSimpleSearch(keyword);
    emit searchDialogClosed();
    if (accepted)
        emit listed(Listing::Keyword, keyword);
}

void TFoodMenu::AdvancedSearchClick()
{
    // Searches created, changed or deleted in the list are stored when it is confirmed and
    // dropped when it is cancelled, as from the food tree: nothing is left pending.
    QString ran;
    m_advancedSearchList.runChosenSearch([this, &ran](const QString& name) {
        m_foods.RunAdvancedSearch(name);
        ran = name;
    });
    emit searchDialogClosed();
    if (!ran.isNull())
        emit listed(Listing::Search, ran);
}
