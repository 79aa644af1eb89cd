#pragma once

#include "foods/FoodDataImport.h"

#include <QString>
#include <memory>

class Clock;
class DataFolderLock;
class DesktopOpener;
class FileChooser;
class Prompter;
class QApplication;
class TContentPage;
class TDailyIntakePage;
class TDialogDailyIntake;
class TDataModuleFoods;
class TDataModulePersonal;
class TDataModuleRecipes;
class TDialogSaveHTM;
class TFoodsPage;
class TFoodsSubject;
class TPersonalSubject;
class TRecipesSubject;
class TDialogPreference;
template <class T> class TLazy;
class TFormImageContainer;
class TFormMain;
class TPersonalInfoPage;
class TRecipeFiles;
class TRecipesPage;
class TDialogRecipe;
class TReportsPage;

// Start-up: creates the data modules, the main window and the subjects (foods, recipes,
// personal; each puts its own page and dialogs together) once each, in their fixed order, hosts
// the subjects' pages and registers the main window's start-up steps. Everything lives until the
// object is destroyed (the end of the program). Tests create it with a temporary program
// directory and fake seams.
class Startup
{
public:
    struct Seams
    {
        Prompter& prompter;
        FileChooser& fileChooser;
        DesktopOpener& desktop;
        Clock& clock;
    };

    Startup(const QString& programDir, const Seams& seams);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Creates every module and window, in order. Failures of a data module are reported through
    // the prompter and leave the program usable. First the program's Data folder is locked for
    // as long as the object lives: when another copy of the program holds it, that is said and
    // nothing is created (false).
    bool create();

    TDataModuleFoods& foods() const { return *m_foods; }
    TDataModuleRecipes& recipes() const { return *m_recipes; }
    // The recipe exchange file and HTML page of the recipe data module, and the HTML dialog.
    TRecipeFiles& recipeFiles() const { return *m_recipeFiles; }
    TDialogSaveHTM& saveHtmDialog() const;
    TDialogRecipe& recipeWizard() const;
    TDialogDailyIntake& dailyIntakeDialog() const;
    // Dialogs are made when first needed; this makes every one now (for checks that look at all
    // of them).
    void makeAllDialogs() const;
    TDataModulePersonal& personal() const { return *m_personal; }
    TFormMain& mainWindow() const { return *m_mainWindow; }
    TFoodsPage& foodsPage() const;
    TRecipesPage& recipesPage() const;
    TPersonalInfoPage& personalInfoPage() const;
    TDailyIntakePage& dailyIntakePage() const;
    const TFormImageContainer& images() const { return *m_images; }
    TReportsPage& reportsPage() const;

    // The program: the real seams, the main window shown, the event loop until it closes.
    static int run(QApplication& app, const QString& programDir);

private:
    // "Preference": the "My Nutrients" dialog, from the main window's link or the user wizard's.
    void runPreferences();
    // The import of USDA food data the Foods page offers.
    FoodDataImport foodDataImport() const;

    // Hosts page as the main window's page name: its header buttons and description label go
    // onto the window's page header (its own strip is hidden) and the page fills the rest.
    void hostPage(const QString& name, TContentPage* page);

    QString m_programDir;
    Seams m_seams;
    std::unique_ptr<DataFolderLock> m_lock;
    std::unique_ptr<TDataModuleFoods> m_foods;
    std::unique_ptr<TDataModuleRecipes> m_recipes;
    std::unique_ptr<TRecipeFiles> m_recipeFiles;
    std::unique_ptr<TDataModulePersonal> m_personal;
    std::unique_ptr<TFormImageContainer> m_images;
    std::unique_ptr<TFormMain> m_mainWindow;
    // The subjects, each with its page (owned by the main window) and its dialogs.
    std::unique_ptr<TFoodsSubject> m_foodsSubject;
    std::unique_ptr<TRecipesSubject> m_recipesSubject;
    std::unique_ptr<TPersonalSubject> m_personalSubject;
    std::unique_ptr<TLazy<TDialogPreference>> m_preferences;
};
