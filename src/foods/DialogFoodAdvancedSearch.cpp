#include "foods/DialogFoodAdvancedSearch.h"

#include "foods/DataModuleFoods.h"
#include "store/LookupList.h"
#include "store/TableView.h"

TDialogFoodAdvancedSearch::TDialogFoodAdvancedSearch(TDataModuleFoods& foods,
                                                     const TFormImageContainer& images,
                                                     Prompter& prompter, QWidget* owner)
    : TFormSearchRulesDialog(foods.foodSearches(), images, prompter, owner)
{
    setObjectName("DialogFoodAdvancedSearch");
    setDialogTitle("Advanced Search");
    addWordKind("by Keyword in Food Name", "Keyword",
                "Enter a word to search for:", "edtSearchFoodName", "FoodName", true);
    // A group rule keeps the group's code, by which it matches.
    addChoiceKind(
        "by Food Group", "FoodGroup", "Select Food Group:", "dbLookupComboBoxFoodGroup",
        "FoodGroup",
        [&foods] {
            QList<QPair<QString, QVariant>> groups;
            for (const LookupList::Entry& group : foods.foodGroups().entries())
                groups.append({group.name, group.key});
            return groups;
        },
        "Please Select a Food Group.", true);
    addNutrientKind("By Nutrient and its Value...", "Nutrient", foods);
}
