#include "app/Startup.h"

#include "app/Imagecontainer.h"
#include "app/Mainscreen.h"
#include "app/MessageBoxPrompter.h"
#include "app/QtDesktopOpener.h"
#include "app/QtFileChooser.h"
#include "app/SystemClock.h"
#include "foods/Advancedsearchdialog.h"
#include "foods/Advancedsearchlistdialog.h"
#include "foods/Databasefoods.h"
#include "foods/Fooddialog.h"
#include "foods/Foodgroupeditdialog.h"
#include "foods/Foodgroupsdialog.h"
#include "foods/Foodspage.h"
#include "foods/Simplesearchdialog.h"
#include "personal/Databasepersonal.h"
#include "preferences/Preferencedialog.h"
#include "recipes/Databaserecipes.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Prompter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <exception>

namespace {

bool confirmed(TFormTemplateDialog& dialog)
{
    return dialog.execDialog() == QDialog::Accepted;
}

} // namespace

// Dialogs created at start-up, in their order, hidden between showings.
struct Startup::Windows
{
    std::unique_ptr<TDialogFoodGroupEdit> foodGroupEdit;
    std::unique_ptr<TDialogFoodGroups> foodGroups;
    std::unique_ptr<TDialogFoodSimpleSearch> simpleSearch;
    std::unique_ptr<TDialogFoodAdvancedSearch> advancedSearch;
    std::unique_ptr<TDialogFoodAdvancedSearchList> advancedSearchList;
    std::unique_ptr<TDialogFood> foodWizard;
    std::unique_ptr<TDialogPreference> preferences;
};

Startup::Startup(const QString& programDir, const Seams& seams)
    : m_programDir(programDir), m_seams(seams)
{}

Startup::~Startup()
{
    // Windows go before the modules whose data sets they show.
    m_windows.reset();
    m_mainWindow.reset();
    m_images.reset();
    m_personal.reset();
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

    // The food data module comes first: it defines the database name for Data/ beside the
    // program and opens the food tables.
    m_foods = std::make_unique<TDataModuleFoods>(m_seams.prompter);
    m_foods->DataModuleCreate(m_programDir);
    m_recipes = std::make_unique<TDataModuleRecipes>(*m_foods);
    m_recipes->DataModuleCreate(m_programDir);

    // The skin's pictures are needed to build the main window, so the image store is made just
    // before it.
    m_images = std::make_unique<TFormImageContainer>();
    m_mainWindow = std::make_unique<TFormMain>(*m_images, m_seams.desktop, m_programDir);

    m_foodsPage = new TFoodsPage(*m_foods, *m_images, m_seams.prompter);
    for (QWidget* button : m_foodsPage->headerButtons())
        m_mainWindow->addPageHeaderButton("Foods", button);
    m_mainWindow->setPageHeaderLabel("Foods", m_foodsPage->headerLabel());
    m_foodsPage->hideOwnHeader();
    m_mainWindow->installPage("Foods", m_foodsPage);

    // The dialogs, in their order: food groups, food searches, the food wizard, the recipe
    // dialogs, the preferences dialog, the personal-information wizard; then the personal data
    // module and the intake and people dialogs.
    m_windows = std::make_unique<Windows>();
    Windows& w = *m_windows;
    TDataModuleFoods& foods = *m_foods;
    const TFormImageContainer& images = *m_images;
    Prompter& prompter = m_seams.prompter;
    QWidget* owner = m_mainWindow.get();
    w.foodGroupEdit = std::make_unique<TDialogFoodGroupEdit>(foods, images, prompter, owner);
    w.foodGroups = std::make_unique<TDialogFoodGroups>(foods, *w.foodGroupEdit, images, owner);
    w.simpleSearch = std::make_unique<TDialogFoodSimpleSearch>(foods, images, owner);
    w.advancedSearch = std::make_unique<TDialogFoodAdvancedSearch>(foods, images, prompter, owner);
    w.advancedSearchList =
        std::make_unique<TDialogFoodAdvancedSearchList>(foods, *w.advancedSearch, images, owner);
    w.foodWizard = std::make_unique<TDialogFood>(foods, images, prompter, owner);
    w.preferences = std::make_unique<TDialogPreference>(foods, images, prompter, owner);

    TFoodsPage::DialogRunners runners;
    runners.foodWizard = [&w] { return confirmed(*w.foodWizard); };
    runners.foodGroupEdit = [&w] { return confirmed(*w.foodGroupEdit); };
    runners.foodGroups = [&w] {
        w.foodGroups->setEditButtonsVisible(true);
        return confirmed(*w.foodGroups);
    };
    runners.simpleSearch = [&w] { return confirmed(*w.simpleSearch); };
    runners.advancedSearch = [&w] { return confirmed(*w.advancedSearch); };
    runners.advancedSearchList = [&w] { return confirmed(*w.advancedSearchList); };
    m_foodsPage->setDialogRunners(runners);

    // "Preference": the list is stored when the dialog is confirmed (shown again while the store
    // refuses it, so nothing chosen is lost) and restored when it is cancelled.
    QObject::connect(m_mainWindow.get(), &TFormMain::preferenceRequested, m_mainWindow.get(),
                     [&w, &foods] {
                         while (confirmed(*w.preferences)) {
                             if (foods.SavePreferences())
                                 return;
                         }
                         foods.DiscardPreferences();
                     });

    m_personal = std::make_unique<TDataModulePersonal>();
    m_personal->DataModuleCreate(m_programDir);

    // Start-up steps of the main window, after it is first shown.
    m_mainWindow->addStartupStep(2, [this] { m_foodsPage->FormShow(); });
    return true;
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
        startup.mainWindow().show();
        return app.exec();
    } catch (const std::exception& e) {
        prompter.error(QString::fromUtf8(e.what()));
        return 1;
    }
}
