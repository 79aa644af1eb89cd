#pragma once

#include "widgets/NutrientValueDialog.h"

class TDataModulePersonal;

// "New Nutrient Goal": asks the user's daily goal for one nutrient. The user's information
// wizard begins a goal row (tblPersonalNutrGoals, in insert state) before showing it; the edit
// box DBEditValue writes into that row's Goal. An empty box leaves the goal empty; text that is
// not a number is refused.
class TDialogNutrientGoalValue : public TNutrientValueDialog
{
    Q_OBJECT

public:
    TDialogNutrientGoalValue(TDataModulePersonal& personal, const TFormImageContainer& images,
                             Prompter& prompter, QWidget* owner = nullptr);
};
