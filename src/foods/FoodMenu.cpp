#include "foods/FoodMenu.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroups.h"

#include <QMenu>

TFoodMenu::TFoodMenu(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups, QWidget* parent)
    : TPickerMenu("click here to seach for food", parent), m_foods(foods), m_foodGroups(foodGroups)
{
    setObjectName("BtnSearchFood");
    popupMenu()->setObjectName("PopupMenuFoods");
    addEntry("Display All Foods", [this] { DisplayAllFoodsClick(); });
    addEntry("Display by Food Group", [this] { DisplayByFoodGroupClick(); });
    addSearchEntries();
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

void TFoodMenu::searchListed(bool advanced, const QString& text)
{
    emit listed(advanced ? Listing::Search : Listing::Keyword, text);
}
