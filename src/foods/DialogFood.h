#pragma once

#include "widgets/WizardDialog.h"

class DataSetModel;
class FieldEditBinding;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;
class TDataModuleFoods;
class TDialogFoodNutrientValue;
class TDialogMeasurement;
class TNutrientPickTabs;

// The food wizard "Add/Edit Food Wizard": one food (the current row of tblFoodDesc, which the
// caller has put into insert or edit state) with its nutrient values per 100 g (tblNutrData) and
// its household measures (tblWeight), edited on four pages chosen from the blue menu on the
// left (the wizard frame): Overview, Food Name and Group, Nutrient Values, Useful Measures.
//
// Everything the wizard changes stays pending in those data sets; the wizard never saves. Its
// caller saves the three tables when the wizard is confirmed and discards them when it is
// cancelled (TDataModuleFoods::SaveFood / DiscardFood), so cancelling also undoes values and
// measures confirmed in the two small dialogs, which the wizard owns and shows itself.
//
// Closing with OK asks for a food name and a food group first (canClose). The wizard opens on
// the Overview page each time it is shown; it stays on the page the user chose when it becomes
// the active window again after one of its own small dialogs closes. The chosen nutrient tab
// and the current rows of the nutrient lists stay as the user left them between showings.
class TDialogFood : public TWizardDialog
{
    Q_OBJECT

public:
    enum Page { Overview, FoodNameAndGroup, NutrientValues, UsefulMeasures };

    TDialogFood(TDataModuleFoods& foods, const TFormImageContainer& images, Prompter& prompter,
                QWidget* owner = nullptr);

    TDialogFoodNutrientValue& nutrientValueDialog() const { return *m_valueDialog; }
    TDialogMeasurement& measurementDialog() const { return *m_measureDialog; }

    // Each shows its page unless its flag is set already: the menu entry becomes current, the
    // header texts change and the flag is set.
    void ShowOverviewPage();
    void ShowFoodNamePage();
    void ShowNutrientValuesPage();
    void ShowUsefulMeasuresPage();

    // Nutrient values (also a double click or Enter on either nutrient list).
    void btnAddNutrientClick();
    void btnRemoveNutrientClick();
    // Measures.
    void BtnNewMeasureClick();
    void BtnEditMeasureClick();
    void BtnDeleteMeasureClick();

protected:
    // FormCloseQuery: with OK, a food name and a food group are required.
    bool canClose() override;
    void showEvent(QShowEvent* event) override;
    void menuEntryClicked(int page) override;

private:
    QWidget* buildFoodNamePage();
    QWidget* buildNutrientValuesPage();
    QWidget* buildUsefulMeasuresPage();
    void fillFoodGroups();
    void showFoodGroup();
    void chooseFoodGroup(int index);

    TDataModuleFoods& m_foods;
    TDialogFoodNutrientValue* m_valueDialog = nullptr;
    TDialogMeasurement* m_measureDialog = nullptr;

    QLineEdit* m_editFoodName = nullptr;
    FieldEditBinding* m_nameBinding = nullptr;
    QComboBox* m_comboFoodGroup = nullptr;
    QStandardItemModel* m_groupItems = nullptr;

    TNutrientPickTabs* m_nutrientTabs = nullptr;
    QTableView* m_gridValues = nullptr;
    QTableView* m_gridMeasures = nullptr;
};
