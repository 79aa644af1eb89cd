#pragma once

#include "widgets/FormSearchRulesDialog.h"

class TDataModuleFoods;

// The food Advanced Search dialog: rules on a word in the food description, a food group, or a
// nutrient compared with a value per 100 g.
class TDialogFoodAdvancedSearch : public TFormSearchRulesDialog
{
    Q_OBJECT

public:
    // The kinds of rule, in the order of the radio group.
    enum ConditionKind { ByKeyword = 0, ByFoodGroup = 1, ByNutrient = 2 };

    TDialogFoodAdvancedSearch(TDataModuleFoods& foods, const TFormImageContainer& images,
                              Prompter& prompter, QWidget* owner = nullptr);

    void setConditionKind(ConditionKind kind) { setRuleKind(kind); }
    ConditionKind conditionKind() const { return static_cast<ConditionKind>(ruleKind()); }
};
