#pragma once

#include "widgets/PickerMenu.h"

class TDataModuleFoods;
class TDialogFoodGroups;

// "click here to seach for food": the menu that fills the shared food list from a dialog that
// picks a food (the ingredient link dialog, the daily intake dialog) with all foods, the foods of
// a group chosen in the groups dialog, or a simple or advanced search through the search runners
// the food subject gives. The Foods page shows the same list, so it shows the result too: the
// menu tells what it listed, and the page's tree and header follow.
class TFoodMenu : public TPickerMenu
{
    Q_OBJECT

public:
    // What a menu entry listed.
    enum class Listing { AllFoods, FoodGroup, Keyword, Search };

    TFoodMenu(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups, QWidget* parent = nullptr);

    // Its own entries, in menu order; the two search entries follow.
    void DisplayAllFoodsClick();
    // The groups dialog in pick mode; confirmed, the foods of the chosen group.
    void DisplayByFoodGroupClick();

signals:
    // The food list now shows what: all foods, or the foods of the group, keyword or stored
    // search named text.
    void listed(TFoodMenu::Listing what, const QString& text);

protected:
    void searchListed(bool advanced, const QString& text) override;

private:
    TDataModuleFoods& m_foods;
    TDialogFoodGroups& m_foodGroups;
};
