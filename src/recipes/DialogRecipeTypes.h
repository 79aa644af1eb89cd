#pragma once

#include "widgets/FormListDialog.h"

class TDataModuleRecipes;
class TDialogRecipeTypeEdit;

// "Recipe Types": every recipe type in table order, with buttons to create, delete and edit
// types. Changes stay pending in the type table; whoever opened the dialog saves them when it is
// confirmed and discards them when it is cancelled. In pick mode (pick()) the dialog only
// chooses a type: the current row of the type table.
class TDialogRecipeTypes : public TFormListDialog
{
    Q_OBJECT

public:
    TDialogRecipeTypes(TDataModuleRecipes& recipes, TDialogRecipeTypeEdit& editDialog,
                       const TFormImageContainer& images, QWidget* owner = nullptr);
};
