#pragma once

#include "widgets/FormListDialog.h"

class TDataModuleRecipes;
class TDialogRecipeCuisineEdit;

// "Cuisines": every cuisine in table order, with buttons to create, delete and edit cuisines.
// Changes stay pending in the cuisine table; whoever opened the dialog saves them when it is
// confirmed and discards them when it is cancelled. In pick mode (pick()) the dialog only
// chooses a cuisine: the current row of the cuisine table.
class TDialogRecipeCuisines : public TFormListDialog
{
    Q_OBJECT

public:
    TDialogRecipeCuisines(TDataModuleRecipes& recipes, TDialogRecipeCuisineEdit& editDialog,
                          const TFormImageContainer& images, QWidget* owner = nullptr);
};
