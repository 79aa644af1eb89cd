#pragma once

#include "recipes/Nutrient.h"
#include "recipes/Recipe.h"
#include "store/KeyAllocator.h"
#include "store/LookupList.h"
#include "store/SearchTables.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <utility>

class DataSet;
class DataSetModel;
class Prompter;
class QueryView;
class TDataModuleFoods;
class TableView;

// The recipe data module: every recipe table, the views the recipe screens show, the one recipe
// list of the program (qryRecipeDescDisplay, shared by the Recipes page and the daily intake) and
// the operations on them. Pages and dialogs read and write recipes only through it.
//
// A recipe is edited against two working tables (Recipe_Ingredients_Add.DB and
// Recipe_NUT_DATA_Add.DB): BeginNewRecipe or BeginEditRecipe fills them, the editor changes the
// recipe row (tblRecipeDesc, pending), its type links (tblRecipeDesAndTypesAddEditOnly, pending)
// and the working rows, and then SaveNewRecipe / SaveEditedRecipe store everything in one
// transaction, or CancelRecipe drops the pending changes. The stored ingredient and nutrient rows
// are only ever written by the saves, so a cancelled edit leaves the stored recipe as it was.
//
// The recipe list re-runs its statement whenever tblRecipeDesc moves or its rows change, and
// then stands on its first row; the display views (types, ingredients, nutrients) follow the
// list's current row.
class TDataModuleRecipes : public QObject
{
    Q_OBJECT

public:
    TDataModuleRecipes(TDataModuleFoods& foods, Prompter& prompter, QObject* parent = nullptr);
    ~TDataModuleRecipes() override;

    // Joins the database the food module defined and opens every view in order (the recipe list
    // stays closed until a listing runs), then applies the "My Nutrients" filter to the recipe
    // nutrient display. A view that cannot be opened is reported; it and the ones after it stay
    // closed.
    bool DataModuleCreate(const QString& programDir);
    bool isOpen() const { return m_open; }

    // The data sets the wizard's bound boxes, grids and value dialogs work on (the other views
    // stay inside the module): the recipe being created or edited and its type links.
    TableView& tblRecipeDesc() const { return *m_recipeDesc; }
    TableView& tblRecipeDesAndTypesAddEditOnly() const { return *m_typesAddEdit; }
    // The working rows of the recipe being edited.
    TableView& tblRecipeIngredientsAddEditOnly() const { return *m_workIngredients; }
    TableView& tblRecipeNutrAddEditOnly() const { return *m_workNutrients; }
    // Cuisines and types, edited in their list and name dialogs (pending until saved).
    LookupList& cuisines() const { return *m_cuisineList; }
    LookupList& recipeTypes() const { return *m_typeList; }
    // Grid models of the recipe list (the name) and of what it shows of its current recipe:
    // the ingredients (quantity right-aligned, unit, name) and the nutrients (description,
    // total and per serve in "##.##" form, units; only the "My Nutrients" nutrients when that
    // list is not empty).
    DataSetModel* newRecipeListModel(QObject* parent) const;
    DataSetModel* newIngredientsModel(QObject* parent) const;
    DataSetModel* newNutrientsModel(QObject* parent) const;

    // Cuisine and type names in table order (for the navigation tree).
    QStringList GetCuisineNames();
    QStringList GetRecipeTypeNames();

    // The recipe list. A statement must give at least the columns of recipeListSelect(); the
    // list adds CuisineDesc itself. User text goes in params, bound to the "?" placeholders.
    // The statement ends with its ORDER BY: the list is read a screen at a time as it is
    // scrolled. With a count statement its length is known at once; without one (a search) the
    // recipes come in as the list is scrolled to its end.
    bool SetRecipeListStatement(const QString& sql, const QVariantList& params = {},
                                const QString& countSql = {});
    void ShowAllRecipes();
    // The recipe list empty (a tree entry that lists nothing is selected).
    void ShowNoRecipes();
    void ShowRecipesByCuisine(const QString& cuisine);
    void ShowRecipesByType(const QString& type);
    // Recipes whose name holds keyword in any case; % and _ in it act as wildcards.
    void ShowRecipesByName(const QString& keyword);
    // "SELECT <the list's columns> FROM "Recipe_Des.DB" AS r" and " ORDER BY <recipe name>",
    // for searches that add their own conditions between them.
    static QString recipeListSelect();
    static QString recipeListOrder();
    // The R_ID of the list's current recipe; 0 when the list is empty.
    int selectedRecipeID() const;
    // The list's current recipe as shown, with its types, its ingredients and the nutrient
    // totals the nutrient display shows ("My Nutrients" when that list is not empty). All empty
    // when the list has no recipe.
    bool hasShownRecipe() const;
    RecipeRecord shownRecipe() const;
    QList<RecipeTypeT> shownTypes() const;
    QList<IngredientT> shownIngredients() const;
    QList<NutrientT> shownNutrients() const;
    // Reads every recipe table and display again after another writer (a recipe import)
    // changed them; the nutrient definitions are the food module's.
    void RereadRecipes();

    // Recipe searches: the keyword history (12 at most, newest first, apart from the food one)
    // and the stored advanced searches, whose rules on the recipe name, ingredients, type,
    // cuisine and nutrient totals all have to be met. A recipe passes a type or cuisine rule when
    // the name of one of its types, or of its cuisine, contains the rule's text; a nutrient rule
    // only with a stored total that meets the comparison. The searches list by recipe name.
    QStringList GetRecipeSimpleSearchHistory();
    QStringList GetRecipeAdvancedSearchNames();
    void AddRecipeSimpleSearchKeyword(const QString& keyword);
    void ClearRecipeSimpleSearchHistory();
    void RunRecipeAdvancedSearch(const QString& name);
    int NewRecipeAdvancedSearchID();
    // Asks, then deletes the current search with its rules (pending).
    void DeleteRecipeAdvancedSearch();
    // The search tables with the operations the search dialogs and the recipe tree use (pending
    // changes stored or dropped, a search edited, its rules added and removed).
    SearchTables& recipeSearches() { return m_searches; }

    // The largest stored recipe number + 1; -1 after a reported failure.
    int NewRecipeID();
    // Moves tblRecipeDesc to the list's current recipe; when it is not stored, shows the
    // locate message for operation ("Recipe Edit", "Recipe Delete") and returns false.
    bool LocateSelectedRecipe(const QString& operation);
    // Asks, then deletes the list's current recipe with its nutrient, type and ingredient rows,
    // all in one transaction.
    void DeleteRecipe();

    // One edit of a recipe. BeginNewRecipe appends a recipe row numbered by NewRecipeID;
    // BeginEditRecipe puts the recipe tblRecipeDesc stands on into edit (the caller has moved
    // it there, for example with LocateSelectedRecipe) after copying its ingredients and
    // nutrients into the working tables. Both empty the working tables first and return false
    // (after a message) when that fails.
    bool BeginNewRecipe();
    bool BeginEditRecipe();
    // Stores the recipe row, its type links and the working rows in place of its stored
    // ingredients and nutrients, in one transaction. On failure the store's message is shown,
    // nothing is written and the edit stays pending, to be saved again or cancelled.
    bool SaveNewRecipe();
    bool SaveEditedRecipe();
    // The cancel steps: the recipe row's insert or edit and the pending changes of the recipe
    // and its type links are dropped.
    void CancelRecipe();

    // Links the current working ingredient to food foodNumber: quantity is the amount typed,
    // byGram whether it is in grams, weightId the household measure chosen (a null value keeps
    // the one stored for a link in grams) and grams the weight the ingredient stands for.
    // Nothing happens for food number 0 (an empty food list) or without a working ingredient.
    // A link by measure without a measure (a food with no household measures) is refused with
    // NoMeasuresMessage.
    // A quantity below 0, or whose grams are no finite number, is refused with this message.
    static inline const QString InvalidLinkQuantityMessage =
        QStringLiteral("Invalid number for the Quantity: it must be 0 or more");
    static inline const QString NoMeasuresMessage =
        QStringLiteral("This food has no household measures: link it In Grams.");
    bool LinkIngredient(int foodNumber, double quantity, bool byGram, const QVariant& weightId,
                        double grams);
    // Empties the link fields of the current working ingredient.
    bool UnlinkIngredient();
    // "YES" or "NO", the Linked field of row of an ingredient view.
    static QString linkedText(const DataSet& ingredients, int row);

    // Replaces the working nutrient rows by the totals of the linked working ingredients. With an
    // ingredient not linked it says so, changes nothing and stays on that ingredient.
    void CalculateRecipeNutrients();

    // The wizard's recipe: its cuisine and web page name (nothing without a recipe row); a type
    // linked to it (Already when it is linked, NoType for a type not yet stored, Failed after the
    // store's message); whether it has ingredients; a new ingredient row (posted for the recipe
    // by PostNewIngredient, which reports a refusal and drops the row); whether it has a total
    // of a nutrient; a new total row of a nutrient for the value dialog to post or cancel.
    void SetRecipeCuisine(const QVariant& cuisineId);
    void SetRecipeWebName(const QString& name);
    enum class TypeLink { Linked, Already, NoType, Failed };
    TypeLink LinkRecipeType(const QVariant& typeId);
    bool HasWorkingIngredients() const;
    void BeginNewIngredient();
    bool PostNewIngredient();
    bool RecipeHasNutrient(int nutrientNumber) const;
    void BeginNewRecipeNutrient(int nutrientNumber);

    // The stored nutrient totals of a recipe (number, amount), in stored order.
    QList<std::pair<int, double>> RecipeNutrientTotals(int recipeId);

    // Refused while a stored recipe uses the type or cuisine; otherwise asked, then deleted
    // (pending). The rest of their editing is that of recipeTypes() and cuisines().
    void DeleteRecipeType() { m_typeList->deleteCurrent(); }
    void DeleteCuisine() { m_cuisineList->deleteCurrent(); }

signals:
    // The shown recipe or its fields changed (another row, the list read again, a cuisine
    // renamed); its types changed.
    void shownRecipeChanged();
    void shownTypesChanged();

private:
    void report(const QString& message);
    bool ready();
    bool post(TableView& table);
    void recipeTableChanged();
    QVariant calculate(const DataSet& set, int row, int field) const;
    // Before a calculation: refuses grams that are no number, and unlinks and names the
    // ingredients whose food no longer exists. True when the links can be calculated.
    bool linksHoldTogether();
    // Runs sql with params inside the current transaction; false with *error set on failure.
    static bool exec(const QString& sql, const QVariantList& params, QString* error);
    bool emptyWorkingTables(QString* error);
    bool saveRecipe();
    void refreshStoredRows();

    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    bool m_open = false;

    TableView* m_recipeDesc;
    TableView* m_cuisines;
    TableView* m_types;
    LookupList* m_cuisineList;
    LookupList* m_typeList;
    TableView* m_allTypeLinks;
    TableView* m_typesAddEdit;
    TableView* m_ingredients;
    TableView* m_nutrients;
    TableView* m_workIngredients;
    TableView* m_workNutrients;
    TableView* m_ingredientNutrients;
    SearchTables m_searches;
    QueryView* m_list;
    TableView* m_typesDisplay;
    TableView* m_ingredientsDisplay;
    TableView* m_nutrientsDisplay;

    QStringList m_cuisineNames;
    QStringList m_typeNames;
    KeyAllocator m_recipeKeys{"Recipe_Des.DB", "R_ID"};
};
