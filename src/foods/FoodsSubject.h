#pragma once

#include "foods/FoodDataImport.h"
#include "widgets/Lazy.h"

#include <QWidget>

class Prompter;
class TDataModuleFoods;
class TDialogFood;
class TDialogFoodDataImport;
class TDialogFoodAdvancedSearch;
class TDialogFoodAdvancedSearchList;
class TDialogFoodGroupEdit;
class TDialogFoodGroups;
class TDialogFoodSimpleSearch;
class TFoodMenu;
class TFoodsPage;
class TFormImageContainer;

// The foods subject put together: the Foods page and the food dialogs (groups, searches, the
// food wizard), each dialog made when first needed, and the food pickers that other subjects'
// dialogs show in their food menus. Start-up makes it once and hosts its page.
class TFoodsSubject
{
public:
    TFoodsSubject(TDataModuleFoods& foods, const TFormImageContainer& images, Prompter& prompter,
                  QWidget* owner);
    ~TFoodsSubject();
    TFoodsSubject(const TFoodsSubject&) = delete;
    TFoodsSubject& operator=(const TFoodsSubject&) = delete;

    // The page, to be hosted by the main window (which then owns it).
    TFoodsPage* page() const { return m_page; }

    // The dialog a food menu opens to list a group.
    TDialogFoodGroups& foodGroups();
    // A food menu of another subject's dialog: its searches run through this subject's search
    // dialogs, and a search made or a list shown there shows in the Foods page's tree and
    // header, as one made on the page.
    void followFoodMenu(TFoodMenu* menu);
    // The import of USDA food data that the Foods page offers; without it the page's command
    // says the import is not available.
    void setFoodDataImport(const FoodDataImport& service);
    // Makes every dialog now.
    void makeAllDialogs();

private:
    TDataModuleFoods& m_foods;
    TFoodsPage* m_page = nullptr;
    TLazy<TDialogFoodGroupEdit> m_foodGroupEdit;
    TLazy<TDialogFoodGroups> m_foodGroups;
    TLazy<TDialogFoodSimpleSearch> m_simpleSearch;
    TLazy<TDialogFoodAdvancedSearch> m_advancedSearch;
    TLazy<TDialogFoodAdvancedSearchList> m_advancedSearchList;
    TLazy<TDialogFood> m_foodWizard;
    TLazy<TDialogFoodDataImport> m_foodDataImport;
    FoodDataImport m_importService;
};
