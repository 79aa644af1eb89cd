#pragma once

#include "widgets/FormNameEditDialog.h"

class TDataModuleRecipes;

// "Add/Edit Cuisine Dialog": the name of the current row of the cuisine table, for a new cuisine
// or an existing one. An empty name is refused with "Missing Cuisine".
class TDialogRecipeCuisineEdit : public TFormNameEditDialog
{
    Q_OBJECT

public:
    TDialogRecipeCuisineEdit(TDataModuleRecipes& recipes, const TFormImageContainer& images,
                             Prompter& prompter, QWidget* owner = nullptr);
};
