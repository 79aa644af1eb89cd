#pragma once

#include "widgets/MenuButton.h"

class TDataModuleFoods;
class TDialogFoodAdvancedSearchList;
class TDialogFoodGroups;
class TDialogFoodSimpleSearch;

// "click here to seach for food": the menu that fills the shared food list from a dialog that
// picks a food (the ingredient link dialog, the daily intake dialog) with all foods, the foods of
// a group chosen in the groups dialog, or a simple or advanced search through the food search
// dialogs. The Foods page shows the same list, so it shows the result too: the menu tells what it
// listed, and the page's tree and header follow.
class TFoodMenu : public TMenuButton
{
    Q_OBJECT

public:
    // What a menu entry listed.
    enum class Listing { AllFoods, FoodGroup, Keyword, Search };

    TFoodMenu(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups,
              TDialogFoodSimpleSearch& simpleSearch,
              TDialogFoodAdvancedSearchList& advancedSearchList, QWidget* parent = nullptr);

    // The four entries, in menu order.
    void DisplayAllFoodsClick();
    // The groups dialog in pick mode; confirmed, the foods of the chosen group.
    void DisplayByFoodGroupClick();
    // The simple search dialog; confirmed, the keyword just entered is searched.
    void SimpleSearchClick();
    // The advanced search list; confirmed, its changes are stored and the chosen search runs.
    void AdvancedSearchClick();

signals:
    // A search entry's dialog has closed: the keyword history or the stored searches may have
    // changed, so the Foods page's tree branches are filled again.
    void searchDialogClosed();
    // The food list now shows what: all foods, or the foods of the group, keyword or stored
    // search named text. Sent after searchDialogClosed.
    void listed(TFoodMenu::Listing what, const QString& text);

private:
    TDataModuleFoods& m_foods;
    TDialogFoodGroups& m_foodGroups;
    TDialogFoodSimpleSearch& m_simpleSearch;
    TDialogFoodAdvancedSearchList& m_advancedSearchList;
};
