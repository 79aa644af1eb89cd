#pragma once

#include "recipes/Recipe.h"
#include "store/FileChooser.h"

#include <QObject>
#include <QString>

class Prompter;
class QIODevice;
class TDataModuleFoods;
class TDataModuleRecipes;

// The recipe data module's files: the recipe exchange file (.rpf), written from and read into
// the recipe tables, and the HTML page of a recipe rendered through a template. Export and HTML
// work on the selected recipe, the current row of the recipe list.
//
// Import stores a recipe with its new cuisine, types and nutrient definitions in one transaction
// and then announces it (recipeImported), so that the Recipes page can rebuild its tree; the
// recipe list has been run again by then.
class TRecipeFiles : public QObject
{
    Q_OBJECT

public:
    TRecipeFiles(TDataModuleRecipes& recipes, TDataModuleFoods& foods, Prompter& prompter,
                 FileChooser& files, QObject* parent = nullptr);

    // The file dialogs.
    static FileChooser::Request exportRequest();
    static FileChooser::Request importRequest();

    // Asks for a file name and writes the selected recipe to it. False when cancelled or when
    // the file could not be written (said in a message naming the file and the reason).
    bool ExportRecipe();
    // Asks for a file, reads it, asks when the recipe seems to be stored already, and adds it
    // as a new recipe. Returns the new recipe's number, or 0 when nothing was added.
    int ImportRecipe();
    // The same without the file dialogs.
    bool ExportRecipeTo(const QString& path);
    int ImportRecipeFrom(const QString& path);

    // Reads a recipe file into recipe, showing the reader's message when it fails.
    bool ReadRecipeFile(QIODevice& in, const QString& fileName, RecipeT& recipe);
    // True when a stored recipe has the name (in any case) and has no ingredients, or the file
    // has none, or one of its ingredients agrees with one of the file's in name, quantity or
    // unit.
    bool IsDuplicateRecipe(const RecipeT& recipe);
    // Adds the cuisine, types and nutrient definitions the recipe names that are not stored yet,
    // then the recipe with its type links, ingredients and nutrients, all in one transaction;
    // fills in the keys of recipe. Returns the new recipe's number, or 0 after showing the
    // store's message (nothing is then added).
    int StoreImportedRecipe(RecipeT& recipe);

    // Which nutrients the current recipe is read with: every stored one (the exchange file), or
    // those the recipe nutrient display shows ("My Nutrients").
    enum class Nutrients { All, Displayed };
    // The selected recipe of the recipe list with its rows; an empty recipe when the list is.
    RecipeT CurrentRecipe(Nutrients nutrients);

    // Renders the selected recipe through the template file into outputPath, replacing it. A
    // template that cannot be read gives the page of a template without a body. False, with
    // *error holding the reason, when the output file cannot be written; nothing is written
    // then.
    bool RenderRecipeHtml(const QString& templatePath, const QString& outputPath,
                          QString* error = nullptr);

signals:
    // A recipe was added by an import.
    void recipeImported(int recipeId);

private:
    void refreshAfterImport();

    TDataModuleRecipes& m_recipes;
    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    FileChooser& m_files;
    // The folder of the last file chosen, where the next dialog opens.
    QString m_folder;
};
