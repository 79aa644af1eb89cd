#pragma once

#include "widgets/FormSearchListDialog.h"

class TDataModuleRecipes;
class TDialogRecipeAdvancedSearch;

// The recipe Advanced Search List dialog: the stored recipe searches.
class TDialogRecipeAdvancedSearchList : public TFormSearchListDialog
{
    Q_OBJECT

public:
    TDialogRecipeAdvancedSearchList(TDataModuleRecipes& recipes,
                                    TDialogRecipeAdvancedSearch& searchDialog,
                                    const TFormImageContainer& images, QWidget* owner = nullptr);
};
