#include "app/Startup.h"

#include "app/FormMain.h"
#include "app/MessageBoxPrompter.h"
#include "app/QtDesktopOpener.h"
#include "app/QtFileChooser.h"
#include "app/SystemClock.h"
#include "foods/DataModuleFoods.h"
#include "foods/DialogFood.h"
#include "foods/DialogFoodAdvancedSearch.h"
#include "foods/DialogFoodAdvancedSearchList.h"
#include "foods/DialogFoodGroupEdit.h"
#include "foods/DialogFoodGroups.h"
#include "foods/DialogFoodSimpleSearch.h"
#include "foods/FoodMenu.h"
#include "foods/FoodsPage.h"
#include "personal/DailyIntakePage.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogAddDailyIntakeFood.h"
#include "personal/DialogAddDailyIntakeRecipe.h"
#include "personal/DialogDailyIntake.h"
#include "personal/DialogPeopleList.h"
#include "personal/DialogPersonalInfo.h"
#include "personal/PersonalInfoPage.h"
#include "personal/ReportsPage.h"
#include "preferences/DialogPreference.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipe.h"
#include "recipes/DialogRecipeAdvancedSearch.h"
#include "recipes/DialogRecipeAdvancedSearchList.h"
#include "recipes/DialogRecipeCuisineEdit.h"
#include "recipes/DialogRecipeCuisines.h"
#include "recipes/DialogRecipeIngredientLink.h"
#include "recipes/DialogRecipeSimpleSearch.h"
#include "recipes/DialogRecipeTypeEdit.h"
#include "recipes/DialogRecipeTypes.h"
#include "recipes/DialogSaveHTM.h"
#include "recipes/RecipeFiles.h"
#include "recipes/RecipeMenu.h"
#include "recipes/RecipesPage.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Prompter.h"
#include "widgets/FormImageContainer.h"
#include "widgets/Lazy.h"

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

// The dialogs, each made when it is first needed (a dialog made before another that it opens
// makes that one first), hidden between showings, kept until the end.
struct Startup::Windows
{
    TLazy<TDialogFoodGroupEdit> foodGroupEdit;
    TLazy<TDialogFoodGroups> foodGroups;
    TLazy<TDialogFoodSimpleSearch> simpleSearch;
    TLazy<TDialogFoodAdvancedSearch> advancedSearch;
    TLazy<TDialogFoodAdvancedSearchList> advancedSearchList;
    TLazy<TDialogFood> foodWizard;
    TLazy<TDialogRecipeCuisineEdit> recipeCuisineEdit;
    TLazy<TDialogRecipeCuisines> recipeCuisines;
    TLazy<TDialogRecipeTypeEdit> recipeTypeEdit;
    TLazy<TDialogRecipeTypes> recipeTypes;
    TLazy<TDialogRecipeIngredientLink> ingredientLink;
    TLazy<TDialogRecipe> recipeWizard;
    TLazy<TDialogRecipeSimpleSearch> recipeSimpleSearch;
    TLazy<TDialogRecipeAdvancedSearch> recipeAdvancedSearch;
    TLazy<TDialogRecipeAdvancedSearchList> recipeAdvancedSearchList;
    TLazy<TDialogSaveHTM> saveHtm;
    TLazy<TDialogPreference> preferences;
    TLazy<TDialogPersonalInfo> personalInfo;
    TLazy<TDialogDailyIntake> dailyIntake;
    TLazy<TDialogAddDailyIntakeFood> addIntakeFood;
    TLazy<TDialogAddDailyIntakeRecipe> addIntakeRecipe;
    TLazy<TDialogPeopleList> peopleList;
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

    // The food data module comes first: it defines the database name for Data/ beside the
    // program and opens the food tables.
    m_foods = std::make_unique<TDataModuleFoods>(m_seams.prompter);
    m_foods->DataModuleCreate(m_programDir);
    m_recipes = std::make_unique<TDataModuleRecipes>(*m_foods, m_seams.prompter);
    m_recipes->DataModuleCreate(m_programDir);
    m_recipeFiles =
        std::make_unique<TRecipeFiles>(*m_recipes, *m_foods, m_seams.prompter, m_seams.fileChooser);

    // The skin's pictures are needed to build the main window, so the image store is made just
    // before it.
    m_images = std::make_unique<TFormImageContainer>();
    m_mainWindow = std::make_unique<TFormMain>(*m_images, m_seams.desktop, m_programDir);

    m_foodsPage = new TFoodsPage(*m_foods, *m_images, m_seams.prompter);
    hostPage("Foods", m_foodsPage);

    m_recipesPage =
        new TRecipesPage(*m_recipes, *m_recipeFiles, *m_images, m_seams.prompter, m_seams.desktop);
    hostPage("Recipes", m_recipesPage);
    m_recipesPage->setFoodTree(m_foodsPage->tree());

    // The dialogs, each made when first needed, from the modules and windows made above.
    m_windows = std::make_unique<Windows>();
    Windows& w = *m_windows;
    TDataModuleFoods& foods = *m_foods;
    TDataModuleRecipes& recipes = *m_recipes;
    const TFormImageContainer& images = *m_images;
    Prompter& prompter = m_seams.prompter;
    QWidget* owner = m_mainWindow.get();
    TFoodsPage* foodsPage = m_foodsPage;
    TRecipesPage* recipesPage = m_recipesPage;
    // A search or listing made from a dialog's food menu shows in the Foods page's tree and
    // header, as one made there.
    auto followFoodMenu = [foodsPage](TFoodMenu* menu) {
        QObject::connect(menu, &TFoodMenu::searchDialogClosed, foodsPage,
                         &TFoodsPage::refreshSearchNodes);
        QObject::connect(menu, &TFoodMenu::listed, foodsPage, &TFoodsPage::showMenuListing);
    };

    w.foodGroupEdit.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFoodGroupEdit>(foods, images, prompter, owner);
    });
    w.foodGroups.setFactory([&w, &foods, &images, owner] {
        return std::make_unique<TDialogFoodGroups>(foods, *w.foodGroupEdit, images, owner);
    });
    w.simpleSearch.setFactory([&foods, &images, owner] {
        return std::make_unique<TDialogFoodSimpleSearch>(foods, images, owner);
    });
    w.advancedSearch.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFoodAdvancedSearch>(foods, images, prompter, owner);
    });
    w.advancedSearchList.setFactory([&w, &foods, &images, owner] {
        return std::make_unique<TDialogFoodAdvancedSearchList>(foods, *w.advancedSearch, images,
                                                               owner);
    });
    w.foodWizard.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFood>(foods, images, prompter, owner);
    });
    w.recipeCuisineEdit.setFactory([&recipes, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeCuisineEdit>(recipes, images, prompter, owner);
    });
    w.recipeCuisines.setFactory([&w, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeCuisines>(recipes, *w.recipeCuisineEdit, images,
                                                       owner);
    });
    w.recipeTypeEdit.setFactory([&recipes, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeTypeEdit>(recipes, images, prompter, owner);
    });
    w.recipeTypes.setFactory([&w, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeTypes>(recipes, *w.recipeTypeEdit, images, owner);
    });
    w.ingredientLink.setFactory([&w, &recipes, &foods, &images, owner, followFoodMenu] {
        auto link = std::make_unique<TDialogRecipeIngredientLink>(
            recipes, foods, *w.foodGroups, *w.simpleSearch, *w.advancedSearchList, images, owner);
        followFoodMenu(link->foodMenuButton());
        return link;
    });
    w.recipeWizard.setFactory([&w, &recipes, &foods, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipe>(recipes, foods, *w.recipeTypes, *w.ingredientLink,
                                               images, prompter, owner);
    });
    w.recipeSimpleSearch.setFactory([&recipes, &images, owner] {
        return std::make_unique<TDialogRecipeSimpleSearch>(recipes, images, owner);
    });
    w.recipeAdvancedSearch.setFactory([&recipes, &foods, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeAdvancedSearch>(recipes, foods, images, prompter,
                                                             owner);
    });
    w.recipeAdvancedSearchList.setFactory([&w, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeAdvancedSearchList>(recipes, *w.recipeAdvancedSearch,
                                                                 images, owner);
    });
    w.saveHtm.setFactory([this, &images, &prompter, owner] {
        return std::make_unique<TDialogSaveHTM>(*m_recipeFiles, m_seams.fileChooser, prompter,
                                                m_programDir, images, owner);
    });
    w.preferences.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogPreference>(foods, images, prompter, owner);
    });

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

    TRecipesPage::DialogRunners recipeRunners;
    recipeRunners.recipeWizard = [&w] { return confirmed(*w.recipeWizard); };
    recipeRunners.cuisineEdit = [&w] { return confirmed(*w.recipeCuisineEdit); };
    recipeRunners.cuisines = [&w] {
        w.recipeCuisines->setListButtonsVisible(true);
        return confirmed(*w.recipeCuisines);
    };
    recipeRunners.typeEdit = [&w] { return confirmed(*w.recipeTypeEdit); };
    recipeRunners.types = [&w] {
        w.recipeTypes->setListButtonsVisible(true);
        return confirmed(*w.recipeTypes);
    };
    recipeRunners.htmlView = [&w] { w.saveHtm->execDialog(); };
    recipeRunners.simpleSearch = [&w] { return confirmed(*w.recipeSimpleSearch); };
    recipeRunners.advancedSearch = [&w] { return confirmed(*w.recipeAdvancedSearch); };
    recipeRunners.advancedSearchList = [&w] { return confirmed(*w.recipeAdvancedSearchList); };
    m_recipesPage->setDialogRunners(recipeRunners);

    // "Preference": the list is stored when the dialog is confirmed (shown again while the store
    // refuses it, so nothing chosen is lost) and restored when it is cancelled. The main window's
    // link and the user wizard's link both run it.
    auto runPreferences = [&w, &foods] {
        while (confirmed(*w.preferences)) {
            if (foods.SavePreferences())
                return;
        }
        foods.DiscardPreferences();
    };
    QObject::connect(m_mainWindow.get(), &TFormMain::preferenceRequested, m_mainWindow.get(),
                     runPreferences);

    // The personal data module is opened before the user wizard, whose boxes are bound to its
    // views; then the intake dialogs and the people dialogs.
    m_personal = std::make_unique<TDataModulePersonal>(prompter, m_seams.clock);
    m_personal->DataModuleCreate(m_programDir);
    TDataModulePersonal& personal = *m_personal;
    w.personalInfo.setFactory([&personal, &foods, &images, &prompter, owner, runPreferences] {
        auto wizard =
            std::make_unique<TDialogPersonalInfo>(personal, foods, images, prompter, owner);
        wizard->setPreferenceRunner(runPreferences);
        return wizard;
    });
    w.dailyIntake.setFactory([this, &w, &personal, &foods, &recipes, &images, owner, followFoodMenu,
                              recipesPage] {
        auto intake = std::make_unique<TDialogDailyIntake>(
            personal, foods, recipes, *w.foodGroups, *w.simpleSearch, *w.advancedSearchList,
            *w.recipeTypes, *w.recipeCuisines, m_seams.clock, images, owner);
        followFoodMenu(intake->foodMenu());
        // The recipe menu's search entries: the keyword just entered is searched; searches made
        // in the list are stored when it is confirmed (and the chosen one runs) or dropped when
        // it is cancelled. The Recipes page's tree then shows the new keyword or searches, and
        // follows what the menu listed.
        intake->recipeMenu()->setSearchRunners({[&w, &recipes, recipesPage] {
                                                    QString keyword;
                                                    if (confirmed(*w.recipeSimpleSearch)) {
                                                        keyword = w.recipeSimpleSearch->keyword();
                                                        recipes.ShowRecipesByName(keyword);
                                                    }
                                                    recipesPage->refreshSearchNodes();
                                                    return keyword;
                                                },
                                                [&w, &recipes, recipesPage] {
                                                    QString ran;
                                                    w.recipeAdvancedSearchList->runChosenSearch(
                                                        [&recipes, &ran](const QString& name) {
                                                            recipes.RunRecipeAdvancedSearch(name);
                                                            ran = name;
                                                        });
                                                    recipesPage->refreshSearchNodes();
                                                    return ran;
                                                }});
        QObject::connect(intake->recipeMenu(), &TRecipeMenu::listed, recipesPage,
                         &TRecipesPage::showMenuListing);
        return intake;
    });
    w.addIntakeFood.setFactory([&foods, &prompter, &images, owner] {
        return std::make_unique<TDialogAddDailyIntakeFood>(foods, prompter, images, owner);
    });
    w.addIntakeRecipe.setFactory([&recipes, &prompter, &images, owner] {
        return std::make_unique<TDialogAddDailyIntakeRecipe>(recipes, prompter, images, owner);
    });
    w.peopleList.setFactory([&personal, &images, owner] {
        return std::make_unique<TDialogPeopleList>(personal, images, owner);
    });

    m_personalInfoPage = new TPersonalInfoPage(personal, images);
    hostPage("PersonalInfo", m_personalInfoPage);
    TPersonalInfoPage::DialogRunners people;
    people.personalInfo = [&w] { return confirmed(*w.personalInfo); };
    people.peopleList = [&w] { return confirmed(*w.peopleList); };
    m_personalInfoPage->setDialogRunners(people);

    m_dailyIntakePage = new TDailyIntakePage(personal, foods, recipes, w.dailyIntake,
                                             w.addIntakeFood, w.addIntakeRecipe, prompter, images);
    hostPage("DailyIntake", m_dailyIntakePage);
    // The add food dialog changes the program's one gram amount; the Foods page gets its own
    // back afterwards.
    m_dailyIntakePage->setFoodsMeasureRestorer([this] { m_foodsPage->ComboBoxMeasuresChange(); });
    // Another user chosen: the day list is the new user's.
    QObject::connect(m_personalInfoPage, &TPersonalInfoPage::userSelected, m_dailyIntakePage,
                     &TDailyIntakePage::DailyIntakeDateChange);
    // The Reports page; the report views are open only while it is shown.
    m_reportsPage = new TReportsPage(personal, images);
    hostPage("Reports", m_reportsPage);
    // Start-up step 7: the report period of the 31 days ending today, on "Weight Trend".
    m_mainWindow->addStartupStep(7, [this] { m_reportsPage->FormShow(m_seams.clock.today()); });

    // Start-up steps of the main window, after it is first shown.
    m_mainWindow->addStartupStep(2, [this] { m_foodsPage->FormShow(); });
    m_mainWindow->addStartupStep(3, [this] { m_recipesPage->FormShow(); });
    m_mainWindow->addStartupStep(5, [this] { m_dailyIntakePage->setDate(m_seams.clock.today()); });
    m_mainWindow->addStartupStep(6, [this] { m_recipesPage->ShowFirstTab(); });
    m_mainWindow->addStartupStep(8, [this] { m_personalInfoPage->ChooseUserAtStart(); });
    return true;
}

void Startup::hostPage(const QString& name, TContentPage* page)
{
    for (QWidget* button : page->headerButtons())
        m_mainWindow->addPageHeaderButton(name, button);
    m_mainWindow->setPageHeaderLabel(name, page->headerLabel());
    page->hideOwnHeader();
    m_mainWindow->installPage(name, page);
}

TDialogSaveHTM& Startup::saveHtmDialog() const
{
    return *m_windows->saveHtm;
}

TDialogRecipe& Startup::recipeWizard() const
{
    return *m_windows->recipeWizard;
}

TDialogDailyIntake& Startup::dailyIntakeDialog() const
{
    return *m_windows->dailyIntake;
}

void Startup::makeAllDialogs() const
{
    Windows& w = *m_windows;
    w.foodGroupEdit.get();
    w.foodGroups.get();
    w.simpleSearch.get();
    w.advancedSearch.get();
    w.advancedSearchList.get();
    w.foodWizard.get();
    w.recipeCuisineEdit.get();
    w.recipeCuisines.get();
    w.recipeTypeEdit.get();
    w.recipeTypes.get();
    w.ingredientLink.get();
    w.recipeWizard.get();
    w.recipeSimpleSearch.get();
    w.recipeAdvancedSearch.get();
    w.recipeAdvancedSearchList.get();
    w.saveHtm.get();
    w.preferences.get();
    w.personalInfo.get();
    w.dailyIntake.get();
    w.addIntakeFood.get();
    w.addIntakeRecipe.get();
    w.peopleList.get();
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
