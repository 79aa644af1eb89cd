#pragma once

#include "widgets/FormTemplateDialog.h"

class Prompter;
class QTableView;
class TDataModuleFoods;
class TGraphicButton;

// "Preference Dialog": edits the "My Nutrients" list (tblNutrPref). The left grid lists every
// nutrient definition, the right grid the list; a double click or the add button adds the
// nutrient chosen on the left, a double click or the remove button removes the one chosen on the
// right. Additions and removals stay pending; every addition re-filters the food nutrient
// grid at once.
//
// The dialog never saves. Its caller runs it and then keeps or drops the changes:
//     if (dialog.execDialog() == QDialog::Accepted)
//         foods.SavePreferences();    // stores the list, then re-filters
//     else
//         foods.DiscardPreferences(); // back to the stored list, then re-filters
class TDialogPreference : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogPreference(TDataModuleFoods& foods, const TFormImageContainer& images,
                      Prompter& prompter, QWidget* owner = nullptr);

    void btnAddNutrientClick();
    void btnRemoveNutrientClick();

private:
    QTableView* makeGrid(const QString& name, const QString& title);

    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    QTableView* m_gridAvailable = nullptr;
    QTableView* m_gridMine = nullptr;
    TGraphicButton* m_btnAdd = nullptr;
    TGraphicButton* m_btnRemove = nullptr;
};
