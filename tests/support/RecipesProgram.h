#pragma once

#include "app/Startup.h"
#include "support/FakeSeams.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

class QTableView;
class TDataModuleRecipes;
class TDialogRecipe;
class TRecipesPage;

// The program started on the recipe food fixture ("Cheese, cheddar", "Milk, whole" with a cup of
// 240 g, "Apples, raw" with a sliced cup of 109 g; Protein, Total lipid (fat) and Energy, all
// three in "My Nutrients"), with the cuisines Italian and Thai, the types Main and Breakfast and
// two stored recipes:
//  - "Pancakes" (R_ID 1): Italian, 4 serves, 10 and 15 minutes, types Breakfast and Main, two
//    linked ingredients (2 cups milk, 1 cup apple slices) and their calculated totals, a web
//    link;
//  - "Apple Pie" (R_ID 2): no cuisine, no serves, no type, no ingredient, Energy 1000, no web
//    link.
// The window is shown, its start-up steps have run (the new-user wizard cancelled) and the
// Recipes page is shown.
class RecipesProgram : public ::testing::Test
{
public:
    // A control of window by its name; a failure when there is none.
    template <typename T> static T* control(const QWidget* window, const char* name)
    {
        auto* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

protected:
    void SetUp() override;

    TRecipesPage& page() const;
    TDialogRecipe& wizard() const;
    TDataModuleRecipes& recipes() const;

    // Presses a picture button of the main window (the Recipes page's header buttons).
    void press(const char* name) const;
    // Every row of a grid as the grid shows it, cells joined by " | ".
    static QStringList rows(const QTableView* grid);
    // Clicks a grid's row in its viewport.
    static void clickRow(QTableView* grid, int row);
    // The names in the recipe list, in their order.
    QStringList listed() const;
    // Every row of a table, in key order, for comparisons.
    QString dump(const QString& table, const QString& columns, const QString& key) const;

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock;
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
};

// Uses the wizard's left menu: clicks the link of a page.
void clickMenu(QWidget* wizard, const char* label);
// Replaces the text of a box as the user does: select everything, type.
void typeInto(QWidget* box, const QString& text);
