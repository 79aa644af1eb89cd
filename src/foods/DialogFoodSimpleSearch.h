#pragma once

#include "widgets/FormKeywordSearchDialog.h"

class TDataModuleFoods;

// The food Simple Search dialog: one keyword, recorded in the food search history.
class TDialogFoodSimpleSearch : public TFormKeywordSearchDialog
{
    Q_OBJECT

public:
    TDialogFoodSimpleSearch(TDataModuleFoods& foods, const TFormImageContainer& images,
                            QWidget* owner = nullptr);
};
