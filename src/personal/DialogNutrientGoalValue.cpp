#include "personal/DialogNutrientGoalValue.h"

#include "personal/DataModulePersonal.h"

TDialogNutrientGoalValue::TDialogNutrientGoalValue(TDataModulePersonal& personal,
                                                   const TFormImageContainer& images,
                                                   Prompter& prompter, QWidget* owner)
    : TNutrientValueDialog(images, prompter, personal.tblPersonalNutrGoals(),
                           {"Goal", "Nutrients", "Units"},
                           {QString(), "Please enter a number for the goal of this nutrient",
                            "The goal of a nutrient can't be negative"},
                           owner)
{
    setObjectName("DialogNutrientGoalValue");
    setDialogTitle("New Nutrient Goal");
}
