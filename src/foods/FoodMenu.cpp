#include "foods/FoodMenu.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroups.h"

#include <QAction>
#include <QMenu>

TFoodMenu::TFoodMenu(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups, QWidget* parent)
    : TMenuButton("click here to seach for food", parent), m_foods(foods), m_foodGroups(foodGroups)
{
    setObjectName("BtnSearchFood");
    popupMenu()->setObjectName("PopupMenuFoods");
    addEntry("Display All Foods", [this] { DisplayAllFoodsClick(); });
    addEntry("Display by Food Group", [this] { DisplayByFoodGroupClick(); });
    m_simpleSearch = addEntry("Simple Search", [this] { SimpleSearchClick(); });
    m_advancedSearch = addEntry("Advanced Search", [this] { AdvancedSearchClick(); });
    setSearchRunners({});
}

void TFoodMenu::setSearchRunners(const SearchRunners& runners)
{
    m_runners = runners;
    m_simpleSearch->setVisible(bool(runners.simpleSearch));
    m_advancedSearch->setVisible(bool(runners.advancedSearch));
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
    if (!m_runners.simpleSearch)
        return;
    const QString keyword = m_runners.simpleSearch();
    if (!keyword.isNull())
        emit listed(Listing::Keyword, keyword);
}

void TFoodMenu::AdvancedSearchClick()
{
    if (!m_runners.advancedSearch)
        return;
    const QString name = m_runners.advancedSearch();
    if (!name.isNull())
        emit listed(Listing::Search, name);
}
