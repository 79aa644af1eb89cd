#pragma once

#include "widgets/FormNameEditDialog.h"

class TDataModuleRecipes;

// "Add/Edit Type Dialog": the name of the current row of the recipe type table, for a new type
// or an existing one. An empty name is refused with "Missing Type".
class TDialogRecipeTypeEdit : public TFormNameEditDialog
{
    Q_OBJECT

public:
    TDialogRecipeTypeEdit(TDataModuleRecipes& recipes, const TFormImageContainer& images,
                          Prompter& prompter, QWidget* owner = nullptr);
};
