#pragma once

#include "widgets/WizardDialog.h"

#include <QList>

class FieldEditBinding;
class MemoEditBinding;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class TDataModuleFoods;
class TDataModuleRecipes;
class TDialogRecipeIngredientEdit;
class TDialogRecipeIngredientLink;
class TDialogRecipeNutrientValue;
class TDialogRecipeTypes;
class TNutrientPickTabs;

// The recipe wizard "Add/Edit Recipe Wizard": one recipe (the current row of tblRecipeDesc,
// which the caller has put into insert or edit state with BeginNewRecipe / BeginEditRecipe),
// its type links (tblRecipeDesAndTypesAddEditOnly, pending) and its working ingredients and
// nutrients (tblRecipeIngredientsAddEditOnly, tblRecipeNutrAddEditOnly), on six pages chosen
// from the menu on the left: Overview, General Info, Ingredients, Procedure, Nutrition, Source.
//
// The wizard never saves: its caller stores the recipe when it is confirmed (SaveNewRecipe /
// SaveEditedRecipe) and drops the pending changes when it is cancelled (CancelRecipe). The
// stored ingredient and nutrient rows are only written by that save.
//
// Types are chosen from the recipe types list in pick mode; ingredients are typed in the
// ingredient dialog and linked to foods in the ingredient link dialog; nutrient totals are typed
// by hand in the nutrient value dialog (from either pick list: button, double click or Enter) or
// calculated from the linked ingredients.
//
// The web page name takes the web link when it is left empty: when the link box is left, and
// again on OK. OK first asks for a recipe name and a number of serves (and numbers in the three
// number boxes); the first one missing is named, General Info is shown and its box takes the
// focus. Each showing starts on Overview; the nutrient tab and the pick lists' rows stay as the
// user left them.
class TDialogRecipe : public TWizardDialog
{
    Q_OBJECT

public:
    enum Page { Overview, GeneralInfo, Ingredients, Procedure, Nutrition, Source };

    TDialogRecipe(TDataModuleRecipes& recipes, TDataModuleFoods& foods,
                  TDialogRecipeTypes& typesList, TDialogRecipeIngredientLink& linkDialog,
                  const TFormImageContainer& images, Prompter& prompter, QWidget* owner = nullptr);

    TDialogRecipeIngredientEdit& ingredientDialog() const { return *m_ingredientDialog; }
    TDialogRecipeNutrientValue& nutrientValueDialog() const { return *m_valueDialog; }

    // Each shows its page unless it is current already.
    void ShowOverviewPage();
    void ShowGeneralInfoPage();
    void ShowIngredientsPage();
    void ShowProcedurePage();
    void ShowNutritionPage();
    void ShowSourcePage();

    // General Info: the recipe's types.
    void btnAddRecipeTypeClick();
    void btnRemoveRecipeTypeClick();
    // Ingredients.
    void BtnAddIngredientClick();
    void BtnDeleteIngredientClick();
    void BtnEditIngredientClick();
    // Nutrition (adding also by a double click or Enter on either pick list).
    void btnAddNutrientClick();
    void btnRemoveNutrientClick();
    void btnLinkIngredientClick();
    void btnCalculateNutrientsClick();
    // Source: the web page name takes the link when it is empty.
    void ApplyWebLinkRule();

protected:
    // FormCloseQuery: with OK, the checks above, then the web link rule.
    bool canClose() override;
    void showEvent(QShowEvent* event) override;
    void menuEntryClicked(int page) override;

private:
    QWidget* buildGeneralInfoPage();
    QWidget* buildIngredientsPage();
    QWidget* buildProcedurePage();
    QWidget* buildNutritionPage();
    QWidget* buildSourcePage();
    // Every edit box and memo of the wizard bound to its field, in one place.
    void bindBoxes();
    QLineEdit* makeEdit(const QString& name, QWidget* parent, const QRect& place);
    void fillCuisines();
    void showCuisine();
    void chooseCuisine(int index);
    // Refuses OK: the message, General Info, the focus in box.
    bool refuse(QLineEdit* box, const QString& message);
    bool hasIngredients();

    TDataModuleRecipes& m_recipes;
    TDataModuleFoods& m_foods;
    TDialogRecipeTypes& m_typesList;
    TDialogRecipeIngredientLink& m_linkDialog;
    TDialogRecipeIngredientEdit* m_ingredientDialog = nullptr;
    TDialogRecipeNutrientValue* m_valueDialog = nullptr;

    QLineEdit* m_editName = nullptr;
    QComboBox* m_comboCuisine = nullptr;
    QTableView* m_gridTypes = nullptr;
    QLineEdit* m_editServes = nullptr;
    QLineEdit* m_editPreparation = nullptr;
    QLineEdit* m_editCooking = nullptr;
    QTableView* m_gridIngredients = nullptr;
    QPlainTextEdit* m_memoProcedures = nullptr;
    TNutrientPickTabs* m_nutrientTabs = nullptr;
    QTableView* m_gridNutrients = nullptr;
    QLineEdit* m_editAuthor = nullptr;
    QLineEdit* m_editSource = nullptr;
    QLineEdit* m_editWebName = nullptr;
    QLineEdit* m_editWebLink = nullptr;
    QList<FieldEditBinding*> m_bindings;
    MemoEditBinding* m_proceduresBinding = nullptr;
};
