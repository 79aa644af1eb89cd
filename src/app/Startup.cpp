#include "app/Startup.h"

#include "app/FormMain.h"
#include "app/MessageBoxPrompter.h"
#include "app/QtDesktopOpener.h"
#include "app/QtFileChooser.h"
#include "app/SystemClock.h"
#include "foods/DataModuleFoods.h"
#include "foods/FoodsPage.h"
#include "foods/FoodsSubject.h"
#include "personal/DailyIntakePage.h"
#include "personal/DataModulePersonal.h"
#include "personal/PersonalInfoPage.h"
#include "personal/PersonalSubject.h"
#include "personal/ReportsPage.h"
#include "preferences/DialogPreference.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipeFiles.h"
#include "recipes/RecipesPage.h"
#include "recipes/RecipesSubject.h"
#include "store/Clock.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Prompter.h"
#include "tools/FdcImport.h"
#include "tools/FdcImporter.h"
#include "widgets/FormImageContainer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>

Startup::Startup(const QString& programDir, const Seams& seams)
    : m_programDir(programDir), m_seams(seams)
{}

Startup::~Startup()
{
    // Windows go before the modules whose data sets they show.
    m_preferences.reset();
    m_personalSubject.reset();
    m_recipesSubject.reset();
    m_foodsSubject.reset();
    m_mainWindow.reset();
    m_images.reset();
    m_personal.reset();
    m_recipeFiles.reset();
    m_recipes.reset();
    m_foods.reset();
    m_lock.reset();
}

bool Startup::create()
{
    // One program at a time works on a Data folder: a second would save over the first's changes
    // and keep using a database that kelora-makedata --force replaces.
    m_lock = std::make_unique<DataFolderLock>(Database::dataDirectory(m_programDir));
    if (m_lock->tryLock() == DataFolderLock::Result::InUse) {
        m_seams.prompter.error(
            QStringLiteral("Kelora is already running with the data in \"%1\".")
                .arg(QDir::toNativeSeparators(QFileInfo(m_lock->folder()).absoluteFilePath())));
        return false;
    }
    // A folder that is missing is reported by the food module; one that cannot be locked (a
    // file system without locks) is used all the same.
    Prompter& prompter = m_seams.prompter;

    // The order of start-up, in one place:
    // 1. The food data module defines the database name for Data/ beside the program and opens
    //    the food tables; the recipe module and its files follow.
    m_foods = std::make_unique<TDataModuleFoods>(prompter);
    m_foods->DataModuleCreate(m_programDir);
    m_recipes = std::make_unique<TDataModuleRecipes>(*m_foods, prompter);
    m_recipes->DataModuleCreate(m_programDir);
    m_recipeFiles =
        std::make_unique<TRecipeFiles>(*m_recipes, *m_foods, prompter, m_seams.fileChooser);

    // 2. The image store, which the main window's skin needs, then the main window.
    m_images = std::make_unique<TFormImageContainer>();
    m_mainWindow = std::make_unique<TFormMain>(*m_images, m_seams.desktop, m_programDir);
    QWidget* owner = m_mainWindow.get();

    // 3. The foods and recipes subjects with their pages (their dialogs are made when first
    //    needed) and the preference dialog the main window's link opens.
    m_foodsSubject = std::make_unique<TFoodsSubject>(*m_foods, *m_images, prompter, owner);
    m_foodsSubject->setFoodDataImport(foodDataImport());
    hostPage("Foods", m_foodsSubject->page());
    m_recipesSubject = std::make_unique<TRecipesSubject>(
        *m_recipes, *m_recipeFiles, *m_foods, *m_foodsSubject, *m_images,
        TRecipesSubject::Services{prompter, m_seams.fileChooser, m_seams.desktop, m_programDir},
        owner);
    hostPage("Recipes", m_recipesSubject->page());
    m_preferences = std::make_unique<TLazy<TDialogPreference>>();
    m_preferences->setFactory([this, owner] {
        return std::make_unique<TDialogPreference>(*m_foods, *m_images, m_seams.prompter, owner);
    });
    QObject::connect(m_mainWindow.get(), &TFormMain::preferenceRequested, m_mainWindow.get(),
                     [this] { runPreferences(); });

    // 4. The personal data module, then the personal subject, whose user wizard is bound to it.
    m_personal = std::make_unique<TDataModulePersonal>(prompter, m_seams.clock);
    m_personal->DataModuleCreate(m_programDir);
    m_personalSubject = std::make_unique<TPersonalSubject>(
        *m_personal, *m_foods, *m_recipes, *m_foodsSubject, *m_recipesSubject, *m_images,
        TPersonalSubject::Services{prompter, m_seams.clock, [this] { runPreferences(); }}, owner);
    hostPage("PersonalInfo", m_personalSubject->personalInfoPage());
    hostPage("DailyIntake", m_personalSubject->dailyIntakePage());
    hostPage("Reports", m_personalSubject->reportsPage());

    // 5. The main window's start-up steps, run in their numbers' order once it is first shown
    //    (it adds 1 and 4 itself).
    m_mainWindow->addStartupStep(2, [this] { foodsPage().FormShow(); });
    m_mainWindow->addStartupStep(3, [this] { recipesPage().FormShow(); });
    m_mainWindow->addStartupStep(5, [this] { dailyIntakePage().setDate(m_seams.clock.today()); });
    m_mainWindow->addStartupStep(6, [this] { recipesPage().ShowFirstTab(); });
    // The report period of the 31 days ending today, on "Weight Trend".
    m_mainWindow->addStartupStep(7, [this] { reportsPage().FormShow(m_seams.clock.today()); });
    m_mainWindow->addStartupStep(8, [this] { personalInfoPage().ChooseUserAtStart(); });
    return true;
}

FoodDataImport Startup::foodDataImport() const
{
    // The import writes the database through a connection of its own, on the dialog's worker
    // thread, in one transaction; the program's connection reads the result afterwards.
    FoodDataImport service;
    FileChooser& chooser = m_seams.fileChooser;
    service.chooseFolder = [&chooser](const QString& caption, const QString& start) {
        return chooser.existingFolder(caption, start);
    };
    service.preview = [](const QString& folder, QMap<QString, qint64>* counts, QString* error) {
        if (!QFileInfo(folder).isDir()) {
            *error = QStringLiteral("The folder %1 does not exist.")
                         .arg(QDir::toNativeSeparators(folder));
            return false;
        }
        const QStringList missing = FdcImporter::missingFiles(folder);
        if (!missing.isEmpty()) {
            *error = QStringLiteral("The folder lacks %1: it is no FoodData Central release.")
                         .arg(missing.join(QStringLiteral(", ")));
            return false;
        }
        return FdcImporter::countRecords(folder, counts, error);
    };
    service.importedTypes = FdcImporter::importedTypes();
    const QString database = Database::databasePath(m_programDir);
    service.run = [database](const QString& folder, const FoodDataImport::Progress& progress,
                             const FoodDataImport::Cancelled& cancelled, QStringList* report,
                             QString* error) {
        QStringList lines;
        const bool ok =
            FdcImport::intoDatabase(database, {folder}, progress, cancelled, &lines, error);
        // The folder's name heads the lines of a report over several folders; here it is one.
        if (report)
            *report = lines.mid(1);
        return ok;
    };
    return service;
}

void Startup::runPreferences()
{
    // The list is stored when the dialog is confirmed (shown again while the store refuses it,
    // so nothing chosen is lost) and restored when it is cancelled.
    while ((*m_preferences)->execConfirmed()) {
        if (m_foods->SavePreferences())
            return;
    }
    m_foods->DiscardPreferences();
}

void Startup::hostPage(const QString& name, TContentPage* page)
{
    for (QWidget* button : page->headerButtons())
        m_mainWindow->addPageHeaderButton(name, button);
    m_mainWindow->setPageHeaderLabel(name, page->headerLabel());
    page->hideOwnHeader();
    m_mainWindow->installPage(name, page);
}

TFoodsPage& Startup::foodsPage() const
{
    return *m_foodsSubject->page();
}

TRecipesPage& Startup::recipesPage() const
{
    return *m_recipesSubject->page();
}

TPersonalInfoPage& Startup::personalInfoPage() const
{
    return *m_personalSubject->personalInfoPage();
}

TDailyIntakePage& Startup::dailyIntakePage() const
{
    return *m_personalSubject->dailyIntakePage();
}

TReportsPage& Startup::reportsPage() const
{
    return *m_personalSubject->reportsPage();
}

TDialogSaveHTM& Startup::saveHtmDialog() const
{
    return m_recipesSubject->saveHtmDialog();
}

TDialogRecipe& Startup::recipeWizard() const
{
    return m_recipesSubject->recipeWizard();
}

TDialogDailyIntake& Startup::dailyIntakeDialog() const
{
    return m_personalSubject->dailyIntakeDialog();
}

void Startup::makeAllDialogs() const
{
    m_foodsSubject->makeAllDialogs();
    m_recipesSubject->makeAllDialogs();
    m_preferences->get();
    m_personalSubject->makeAllDialogs();
}

int Startup::run(QApplication& app, const QString& programDir)
{
    // The application title is the caption of every message box (the prompter's); window titles
    // stay exactly as each window sets them.
    app.setApplicationName("Kelora");
    MessageBoxPrompter prompter;
    try {
        QtFileChooser fileChooser;
        QtDesktopOpener desktop;
        SystemClock clock;
        Startup startup(programDir, {prompter, fileChooser, desktop, clock});
        if (!startup.create())
            return 1;
        prompter.setMainWindow(&startup.mainWindow());
        startup.mainWindow().show();
        return app.exec();
    } catch (const std::exception& e) {
        prompter.error(QString::fromUtf8(e.what()));
        return 1;
    }
}
