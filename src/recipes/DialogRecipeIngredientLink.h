#pragma once

#include "widgets/FormTemplateDialog.h"

class DataSetModel;
class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;
class TDataModuleFoods;
class TDataModuleRecipes;
class TDialogFoodGroups;
class TFoodMenu;
class TMeasureList;

// "Link Recipe's Ingredient to USDA database": links the working ingredients of the recipe being
// edited, one at a time, to foods of the shared food list, as a number of household measures or
// directly in grams. Every link made or removed is written to the working ingredient at once, so
// how the dialog is closed does not matter.
//
// The dialog shows the current working ingredient (its own text, the food it is linked to and
// how much), moves through the working ingredients with four flat buttons, and shows the shared
// food list, which its food menu fills with all foods, a food group or a food search (through
// the food dialogs). The measure list is refilled whenever the food list moves while the dialog
// is shown. The quantity text, the radio choice, the grams and the measure list are kept between
// showings; each showing starts on the first ingredient.
class TDialogRecipeIngredientLink : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogRecipeIngredientLink(TDataModuleRecipes& recipes, TDataModuleFoods& foods,
                                TDialogFoodGroups& foodGroups, const TFormImageContainer& images,
                                QWidget* owner = nullptr);

    // The four move buttons; each ends with RefreshIngredient.
    void BtnFirstClick();
    void BtnPriorClick();
    void BtnNextClick();
    void BtnLastClick();
    // After a move: the record monitor, the measure list and the ingredient's link fields.
    void RefreshIngredient();
    // The measures of the food list's current food; the first is chosen.
    void FillMeasureList();
    // The grams of the quantity typed, in measures or in grams.
    void UpdateGrams();
    double grams() const { return m_grams; }

    // Link the current ingredient to the food list's current food, or remove its link.
    void btnAddLinkIngredientClick();
    void btnRemoveLinkIngredientClick();

    // The food menu (the shared food menu component).
    QMenu* foodMenu() const;
    TFoodMenu* foodMenuButton() const { return m_foodMenu; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* addBox(const QString& name, const QString& caption, int x, int y, int width);
    QPushButton* addFlatButton(const QString& name, const QString& caption, int x, int y);
    void buildMeasurePanel(QWidget* area);
    void showIngredient();
    void chooseByMeasure(bool byMeasure);
    void setGridModel(QAbstractItemModel* model);

    TDataModuleRecipes& m_recipes;
    TDataModuleFoods& m_foods;

    double m_grams = 0;

    QLineEdit* m_editIngredientName = nullptr;
    QLineEdit* m_editQuantity = nullptr;
    QLineEdit* m_editUnit = nullptr;
    QLabel* m_labelRecord = nullptr;
    QLabel* m_linked = nullptr;
    QLineEdit* m_editFoodDesc = nullptr;
    QLineEdit* m_editLinkQuantity = nullptr;
    QLineEdit* m_editLinkUnit = nullptr;
    QLabel* m_labelGrams = nullptr;
    TFoodMenu* m_foodMenu = nullptr;
    QTableView* m_foodGrid = nullptr;
    DataSetModel* m_foodModel = nullptr;
    QLineEdit* m_editAmount = nullptr;
    QRadioButton* m_radioByMeasure = nullptr;
    QRadioButton* m_radioInGrams = nullptr;
    TMeasureList* m_comboMeasures = nullptr;
    QLabel* m_labelAmountInGram = nullptr;
};
