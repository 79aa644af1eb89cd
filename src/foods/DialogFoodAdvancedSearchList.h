#pragma once

#include "widgets/FormSearchListDialog.h"

class TDataModuleFoods;
class TDialogFoodAdvancedSearch;

// The food Advanced Search List dialog: the stored food searches.
class TDialogFoodAdvancedSearchList : public TFormSearchListDialog
{
    Q_OBJECT

public:
    TDialogFoodAdvancedSearchList(TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
                                  const TFormImageContainer& images, QWidget* owner = nullptr);
};
