#pragma once

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
class TFormImageContainer;
class TFormMain;
class TPersonalInfoPage;
class TRecipeFiles;
class TRecipesPage;
class TDialogRecipe;
class TReportsPage;

// Start-up: creates the data modules and the windows once each, in their fixed order, hands
// each what it needs, and registers the main window's start-up steps. Everything lives until the
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
    TFoodsPage& foodsPage() const { return *m_foodsPage; }
    TRecipesPage& recipesPage() const { return *m_recipesPage; }
    TPersonalInfoPage& personalInfoPage() const { return *m_personalInfoPage; }
    TDailyIntakePage& dailyIntakePage() const { return *m_dailyIntakePage; }
    const TFormImageContainer& images() const { return *m_images; }
    TReportsPage& reportsPage() const { return *m_reportsPage; }

    // The program: the real seams, the main window shown, the event loop until it closes.
    static int run(QApplication& app, const QString& programDir);

private:
    struct Windows;

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
    TReportsPage* m_reportsPage = nullptr;           // owned by the main window
    TFoodsPage* m_foodsPage = nullptr;               // owned by the main window
    TRecipesPage* m_recipesPage = nullptr;           // owned by the main window
    TPersonalInfoPage* m_personalInfoPage = nullptr; // owned by the main window
    TDailyIntakePage* m_dailyIntakePage = nullptr;   // owned by the main window
    std::unique_ptr<Windows> m_windows;
};
