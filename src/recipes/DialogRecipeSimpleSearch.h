#pragma once

#include "widgets/FormKeywordSearchDialog.h"

class TDataModuleRecipes;

// The recipe Simple Search dialog: one keyword, recorded in the recipe search history (apart
// from the food one).
class TDialogRecipeSimpleSearch : public TFormKeywordSearchDialog
{
    Q_OBJECT

public:
    TDialogRecipeSimpleSearch(TDataModuleRecipes& recipes, const TFormImageContainer& images,
                              QWidget* owner = nullptr);
};
