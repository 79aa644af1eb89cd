#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class DataSetModel;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class TDataModuleFoods;
class TFormImageContainer;
class TGraphicButton;

// The Foods page: the food list, the measure panel with the nutrient values per 100 g and per
// measure, and the navigation tree of foods (all foods, food groups, simple and advanced
// searches). Every action goes through the food data module; dialogs are run through the
// runners given by start-up, each returning true when the dialog was confirmed.
class TFoodsPage : public QWidget
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

    void BuildFoodTree();
    void FillFoodGroupNodes();
    void FillSimpleSearchNodes();
    void FillAdvancedSearchNodes();
    void TreeViewFoodsChange(QTreeWidgetItem* item);

    // Selects an entry as the user would: its action runs.
    void selectEntry(QTreeWidgetItem* item);
    QTreeWidgetItem* topEntry(const QString& text) const;
    QTreeWidgetItem* childEntry(const QString& top, const QString& text) const;
    QTreeWidgetItem* lastFoodNode() const;

    QTreeWidget* tree() const { return m_tree; }
    // The header strip's buttons (left to right) and description label. The page shows them on
    // a strip of its own until the main window takes them onto its page header; then the
    // page's own strip is hidden.
    QList<QWidget*> headerButtons() const;
    QLabel* headerLabel() const { return m_headerLabel; }
    void hideOwnHeader();
    QString headerText() const;

private:
    struct NodePath
    {
        QString top;
        QString child;
        int index = -1;
    };

    QWidget* buildHeader(const TFormImageContainer& images);
    QWidget* buildNutrientPanel();
    QWidget* buildNavigation();
    void updateGramsLabel();
    void runFoodWizard();
    void selectLastFoodNode();
    void selectNothing();
    void rebuildChildren(QTreeWidgetItem* top, const QStringList& entries);
    void selectChildByText(QTreeWidgetItem* top, const QString& text);
    static bool isCommandEntry(const QString& top, const QString& text);
    void newFoodGroup();
    void editFoodGroups();
    void newSimpleSearch();
    void clearSearchHistory();
    void newAdvancedSearch();
    void editAdvancedSearches();
    void showAppliedSearch();
    NodePath pathOf(QTreeWidgetItem* item) const;

    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    DialogRunners m_dialogs;

    TGraphicButton* m_btnNewFood = nullptr;
    TGraphicButton* m_btnDeleteFood = nullptr;
    TGraphicButton* m_btnEditFood = nullptr;
    QLabel* m_headerLabel = nullptr;
    QWidget* m_headerStrip = nullptr;
    QTableView* m_foodGrid = nullptr;
    QLineEdit* m_editAmount = nullptr;
    QComboBox* m_comboMeasures = nullptr;
    QLabel* m_gramsLabel = nullptr;
    QTableView* m_nutrientGrid = nullptr;
    QTreeWidget* m_tree = nullptr;
    DataSetModel* m_foodModel = nullptr;
    DataSetModel* m_nutrientModel = nullptr;

    NodePath m_lastFoodNode;
    bool m_treeQuiet = false; // while a branch is rebuilt, selections run nothing
};
