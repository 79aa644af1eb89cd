#pragma once

#include "widgets/FormSearchRulesDialog.h"

class TDataModuleFoods;
class TDataModuleRecipes;

// The recipe Advanced Search dialog: rules on a word in the recipe name, a word in the
// ingredient names, a recipe type, a cuisine, or a nutrient total compared with a value. Types
// and cuisines are matched by name, so a rule keeps only the name shown.
class TDialogRecipeAdvancedSearch : public TFormSearchRulesDialog
{
    Q_OBJECT

public:
    // The kinds of rule, in the order of the radio group.
    enum ConditionKind {
        ByRecipeName = 0,
        ByIngredients = 1,
        ByRecipeType = 2,
        ByCuisine = 3,
        ByNutrient = 4
    };

    // The nutrients offered are those of the food data module's nutrient table.
    TDialogRecipeAdvancedSearch(TDataModuleRecipes& recipes, TDataModuleFoods& foods,
                                const TFormImageContainer& images, Prompter& prompter,
                                QWidget* owner = nullptr);

    void setConditionKind(ConditionKind kind) { setRuleKind(kind); }
    ConditionKind conditionKind() const { return static_cast<ConditionKind>(ruleKind()); }
};
