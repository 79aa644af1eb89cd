#pragma once

#include "foods/FoodMenu.h"
#include "widgets/ContentPage.h"
#include "widgets/NavigationTree.h"

#include <QString>
#include <functional>

class DataSetModel;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTreeWidgetItem;
class TDataModuleFoods;
class TFormImageContainer;
class TSearchBranches;

// The Foods page: the food list, the measure panel with the nutrient values per 100 g and per
// measure, and the navigation tree of foods (all foods, food groups, simple and advanced
// searches). Every action goes through the food data module; dialogs are run through the
// runners given by start-up, each returning true when the dialog was confirmed.
class TFoodsPage : public TContentPage
{
    Q_OBJECT

public:
    struct DialogRunners
    {
        std::function<bool()> foodWizard;
        std::function<bool()> foodGroupEdit;
        std::function<bool()> foodGroups;
        std::function<bool()> simpleSearch;
        std::function<bool()> advancedSearchList;
        std::function<bool()> advancedSearch;
        // The import of USDA food data: true when it changed the database.
        std::function<bool()> foodDataImport;
    };

    TFoodsPage(TDataModuleFoods& foods, const TFormImageContainer& images, Prompter& prompter,
               QWidget* parent = nullptr);

    void setDialogRunners(const DialogRunners& runners) { m_dialogs = runners; }

    // Start-up: builds the tree and selects "View All Foods".
    void FormShow();

    void ResetMeasurePanel();
    void ComboBoxMeasuresChange();
    void BtnNewFoodClick();
    void BtnEditFoodClick();
    void BtnDeleteFoodClick();
    void BtnImportFoodDataClick();

    void BuildFoodTree();
    void FillFoodGroupNodes();
    void FillSimpleSearchNodes();
    void FillAdvancedSearchNodes();
    // Fills both search branches again after a search made elsewhere (a dialog's food menu); the
    // selected entry stays selected.
    void refreshSearchNodes();
    // A dialog's food menu listed what (after its search branches were refreshed): the tree selects
    // the entry that lists the same (without running it again) and the header names it.
    void showMenuListing(TFoodMenu::Listing what, const QString& text);
    // The tree's selection handler: runs the entry's action and records LastFoodNode.
    void TreeViewFoodsChange(QTreeWidgetItem* item);

    // Selects an entry as the user would: its action runs.
    void selectEntry(QTreeWidgetItem* item);
    QTreeWidgetItem* topEntry(const QString& text) const;
    QTreeWidgetItem* childEntry(const QString& top, const QString& text) const;
    QTreeWidgetItem* lastFoodNode() const;

    TNavigationTree* tree() const { return m_tree; }

private:
    QWidget* buildNutrientPanel();
    QWidget* buildNavigation();
    void configureTree();
    void updateGramsLabel();
    void runFoodWizard();

    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    DialogRunners m_dialogs;

    QTableView* m_foodGrid = nullptr;
    QLineEdit* m_editAmount = nullptr;
    QComboBox* m_comboMeasures = nullptr;
    QLabel* m_gramsLabel = nullptr;
    QTableView* m_nutrientGrid = nullptr;
    TNavigationTree* m_tree = nullptr;
    TSearchBranches* m_searchBranches = nullptr;
    DataSetModel* m_foodModel = nullptr;
    DataSetModel* m_nutrientModel = nullptr;
};
