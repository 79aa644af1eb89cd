#include "recipes/DialogRecipeAdvancedSearch.h"

#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "store/LookupList.h"

namespace {

// The names of a list, in table order, without keys: rules match them by name.
TFormSearchRulesDialog::Choices namesOf(const LookupList& list)
{
    return [&list] {
        QList<QPair<QString, QVariant>> names;
        for (const QString& name : list.names())
            names.append({name, QVariant()});
        return names;
    };
}

} // namespace

TDialogRecipeAdvancedSearch::TDialogRecipeAdvancedSearch(TDataModuleRecipes& recipes,
                                                         TDataModuleFoods& foods,
                                                         const TFormImageContainer& images,
                                                         Prompter& prompter, QWidget* owner)
    : TFormSearchRulesDialog(recipes.recipeSearches(), images, prompter, owner)
{
    setObjectName("DialogRecipeAdvancedSearch");
    setDialogTitle("Advance Search");
    addWordKind("by Keyword in Recipe Name", "RecipeName",
                "Enter a word to search within recipe name", "edtSearchRecipeName", "RecipeName",
                true);
    // An empty word is a rule too: every recipe with an ingredient passes it.
    addWordKind("by Keyword in Ingredients", "Ingredients",
                "Enter a word to search within ingredients", "editSearchIngredient", "Ingredients",
                false);
    addChoiceKind("by Recipe Type", "RecipeType", "Select Recipe Type",
                  "DBLookupComboBoxRecipeType", "RecipeType", namesOf(recipes.recipeTypes()),
                  QString(), false);
    addChoiceKind("by Recipe Cuisine", "Cuisine", "Select Cuisine", "DBLookupComboBoxCuisine",
                  "RecipeCuisine", namesOf(recipes.cuisines()), QString(), false);
    addNutrientKind("By Nutrient and its Value...", "Nutrient", foods);
}
