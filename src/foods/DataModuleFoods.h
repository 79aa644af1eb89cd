#pragma once

#include "foods/FoodList.h"
#include "foods/Measure.h"
#include "store/KeyAllocator.h"
#include "store/LookupList.h"
#include "store/SearchTables.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>

class DataSetModel;
class Prompter;
class QueryView;
class TableView;

// The food data module: the food reference tables, the "My Nutrients" list and the food search
// tables; the one food list, measure list and gram amount of the program; and the operations on
// them. Pages and dialogs read and write foods only through it.
class TDataModuleFoods : public QObject
{
    Q_OBJECT

public:
    explicit TDataModuleFoods(Prompter& prompter, QObject* parent = nullptr);
    ~TDataModuleFoods() override;

    // Defines the database name (unless defined) and opens every data set in order. A data set
    // that cannot be opened is reported; it and the ones after it stay closed.
    bool DataModuleCreate(const QString& programDir);
    bool isOpen() const { return m_open; }

    // The food groups, edited in their list and name dialogs.
    LookupList& foodGroups() const { return *m_groups; }
    // The data sets the food wizard's bound boxes, grids and value dialogs work on (every other
    // view stays inside the module): the food being created or edited, its values and measures.
    TableView& tblFoodDesc() const { return *m_foodDesc; }
    TableView& tblNutrData() const { return *m_nutrData; }
    TableView& tblWeight() const { return *m_weight; }
    // The food search tables with their operations, which the search dialogs and the food
    // tree share with the recipe searches.
    SearchTables& foodSearches() { return m_searches; }
    // The current food's nutrients as the Foods page shows them: description, value per 100 g,
    // value per measure ("##.##") and units.
    DataSetModel* newNutrientValuesModel(QObject* parent) const;

    // The two lists nutrients are picked from: every nutrient defined, and "My Nutrients".
    enum class NutrientList { All, Mine };
    // A grid model of a list: the description titled title, and the units.
    DataSetModel* newNutrientListModel(NutrientList list, const QString& title,
                                       QObject* parent) const;
    // The current nutrient of a list (the row its grid shows as current): its number (0 when
    // the list is empty) and description.
    int currentNutrient(NutrientList list) const;
    QString currentNutrientName(NutrientList list) const;

    QStringList GetFoodGroupNames();

    // The food list: a statement ending with its ORDER BY, read a screen at a time as it is
    // scrolled. With a count statement (cheap: an index counts) the list's length is known at
    // once; without one (a search) the foods come in as the list is scrolled to its end.
    bool SetFoodListStatement(const QString& sql, const QVariantList& params = {},
                              const QString& countSql = {}, const QVariantList& countParams = {});
    void ShowAllFoods();
    // The food list empty (a tree entry that lists nothing is selected).
    void ShowNoFoods();
    void ShowFoodsByGroup(const QString& groupDescription);
    // The number of the food on the food list's current row; 0 when the list is empty.
    int currentFoodNumber() const { return m_list->currentNumber(); }
    // The one food list with its measures and gram amount, which the food displays follow.
    TFoodList& foodList() const { return *m_list; }

    // Measures of the current food and the grams of the chosen amount.
    const MeasuresT& BuildMeasureList() { return m_list->buildMeasures(); }
    double SetMeasureAmount(int index, double amount)
    {
        return m_list->chooseMeasureAmount(index, amount);
    }
    double MeasureGrams() const { return m_list->grams(); }

    // Reads the nutrient definitions again after another writer (a recipe import) added some.
    void RereadNutrientDefinitions();
    // After an import of food data into the database: groups, nutrients and foods are read
    // again, and the food lists counted again.
    void FoodDataImported();

    // "My Nutrients": the filter of the nutrient displays.
    void ApplyNutrientFilter();
    QString nutrientFilter() const;
    // The recipe module's nutrient display, filtered like the food one once it exists.
    void setRecipeNutrientDisplay(TableView* view);
    // Adds a nutrient to the list (pending); false when it is there already.
    bool AddPreferredNutrient(int nutrientNumber);
    void RemovePreferredNutrient();
    bool SavePreferences();
    void DiscardPreferences();

    // Foods.
    void DeleteFood();
    // Prepares tblFoodDesc for the food wizard: a new row numbered by NewFoodID, or the
    // current food of the list in edit. False (after the message) when there is nothing to edit.
    bool BeginNewFood();
    bool BeginEditFood();
    // Saves the wizard's food, values and measures in one transaction; on failure the store's
    // message is shown and everything stays pending.
    bool SaveFood();
    void DiscardFood();
    // The wizard's food: its group, whether it has a value of a nutrient (pending rows
    // included), a new value row of a nutrient and a new measure row, each begun for the food
    // and left for the value or measure dialog to post or cancel.
    void SetFoodGroup(const QVariant& code);
    // The wizard's food's group code; a null value when no stored group has it.
    QVariant FoodGroupOfFood() const;
    bool FoodHasValue(int nutrientNumber) const;
    void BeginNewFoodValue(int nutrientNumber);
    void BeginNewMeasure();

    int NewFoodID();
    int NewFoodGroupID();
    int NewNutrientID();

    // Food groups. BeginNewFoodGroup inserts a row with a new code; false (after the message)
    // when no code could be read, and then nothing was begun. DeleteFoodGroup refuses a group
    // that foods belong to. Posting, saving and the rest are those of foodGroups().
    bool BeginNewFoodGroup() { return m_groups->beginNew(); }
    void DeleteFoodGroup() { m_groups->deleteCurrent(); }

    // Food search.
    QStringList GetSimpleSearchHistory();
    QStringList GetAdvancedSearchNames();
    void AddSimpleSearchKeyword(const QString& keyword);
    void ClearSimpleSearchHistory();
    void RunSimpleSearch(const QString& keyword);
    void RunAdvancedSearch(const QString& name);
    int NewAdvancedSearchID();
    void DeleteAdvancedSearch();
    // The rest of the search operations (storing or dropping pending changes, one search as the
    // search dialogs edit it, its rules) are those of foodSearches().
    static const QStringList& nutrientOperators();

signals:
    // The wizard's food moved, changed or went into or out of edit.
    void wizardFoodChanged();

private:
    void report(const QString& message);
    void foodTableMoved();
    QVariant calculate(int row, int field) const;
    bool locateListedFood(const QString& operation);
    // Whether the condition (one value bound) holds for names often enough among the first names
    // of the name index for a page of its foods to be found soonest by reading names in order.
    bool namesInOrderFindFoodsSoon(const QString& condition, const QVariant& value) const;

    Prompter& m_prompter;
    bool m_open = false;
    TableView* m_foodGroups;
    LookupList* m_groups;
    TableView* m_foodDesc;
    TableView* m_nutrData;
    TableView* m_nutrDef;
    TableView* m_nutrPref;
    TableView* m_weight;
    SearchTables m_searches;
    QueryView* m_foodList;
    TableView* m_nutrDataDisplay;
    TableView* m_weightDisplay;
    QPointer<TableView> m_recipeNutrDisplay;
    TFoodList* m_list;

    QStringList m_groupNames;
    bool m_followFoodTable = false;
    // The food list holds the rows read when the module was created, not read again since.
    bool m_listAsOpened = false;

    KeyAllocator m_foodKeys{"FOOD_DES.DB", "NDB_No"};
    KeyAllocator m_groupKeys{"FD_GROUP.DB", "FdGrp_Cd"};
    KeyAllocator m_nutrientKeys{"NUTR_DEF.DB", "Nutr_No"};
};
