#pragma once

#include "app/Listdialog.h"

class TDataModuleFoods;
class TDialogFoodAdvancedSearch;

// The Advanced Search List dialog: every stored search, with buttons to create, edit and delete
// searches. Changes stay pending in the two search tables; whoever opened the dialog applies
// them when it is confirmed and discards them when it is cancelled. Deleting a search confirms
// the dialog.
class TDialogFoodAdvancedSearchList : public TFormListDialog
{
    Q_OBJECT

public:
    TDialogFoodAdvancedSearchList(TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
                                  const TFormImageContainer& images, QWidget* owner = nullptr);

    void BtnCreateClick();
    void BtnEditClick();
    void BtnDeleteClick();

private:
    TDataModuleFoods& m_foods;
    TDialogFoodAdvancedSearch& m_searchDialog;
};
