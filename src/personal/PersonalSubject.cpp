#include "personal/PersonalSubject.h"

#include "foods/FoodsSubject.h"
#include "personal/DailyIntakePage.h"
#include "personal/DialogAddDailyIntakeFood.h"
#include "personal/DialogAddDailyIntakeRecipe.h"
#include "personal/DialogDailyIntake.h"
#include "personal/DialogPeopleList.h"
#include "personal/DialogPersonalInfo.h"
#include "personal/PersonalInfoPage.h"
#include "personal/ReportsPage.h"
#include "recipes/RecipesSubject.h"

TPersonalSubject::TPersonalSubject(TDataModulePersonal& personal, TDataModuleFoods& foods,
                                   TDataModuleRecipes& recipes, TFoodsSubject& foodsSubject,
                                   TRecipesSubject& recipesSubject,
                                   const TFormImageContainer& images, const Services& services,
                                   QWidget* owner)
{
    Prompter& prompter = services.prompter;
    Clock& clock = services.clock;
    m_personalInfo.setFactory(
        [&personal, &foods, &images, &prompter, owner, run = services.runPreferences] {
            auto wizard =
                std::make_unique<TDialogPersonalInfo>(personal, foods, images, prompter, owner);
            wizard->setPreferenceRunner(run);
            return wizard;
        });
    m_dailyIntake.setFactory(
        [&personal, &foods, &recipes, &foodsSubject, &recipesSubject, &clock, &images, owner] {
            auto intake = std::make_unique<TDialogDailyIntake>(
                personal, foods, recipes, foodsSubject.foodGroups(), recipesSubject.recipeTypes(),
                recipesSubject.recipeCuisines(), clock, images, owner);
            foodsSubject.followFoodMenu(intake->foodMenu());
            recipesSubject.followRecipeMenu(intake->recipeMenu());
            return intake;
        });
    m_addIntakeFood.setFactory([&foods, &prompter, &images, owner] {
        return std::make_unique<TDialogAddDailyIntakeFood>(foods, prompter, images, owner);
    });
    m_addIntakeRecipe.setFactory([&recipes, &prompter, &images, owner] {
        return std::make_unique<TDialogAddDailyIntakeRecipe>(recipes, prompter, images, owner);
    });
    m_peopleList.setFactory([&personal, &images, owner] {
        return std::make_unique<TDialogPeopleList>(personal, images, owner);
    });

    m_personalInfoPage = new TPersonalInfoPage(personal, images);
    TPersonalInfoPage::DialogRunners people;
    people.personalInfo = [this] { return m_personalInfo->execConfirmed(); };
    people.peopleList = [this] { return m_peopleList->execConfirmed(); };
    m_personalInfoPage->setDialogRunners(people);

    m_dailyIntakePage = new TDailyIntakePage(personal, foods, recipes, m_dailyIntake,
                                             m_addIntakeFood, m_addIntakeRecipe, prompter, images);
    // Another user chosen: the day list is the new user's.
    QObject::connect(m_personalInfoPage, &TPersonalInfoPage::userSelected, m_dailyIntakePage,
                     &TDailyIntakePage::DailyIntakeDateChange);

    // The report views are open only while the Reports page is shown.
    m_reportsPage = new TReportsPage(personal, images);
}

TPersonalSubject::~TPersonalSubject() = default;

void TPersonalSubject::makeAllDialogs()
{
    m_personalInfo.get();
    m_dailyIntake.get();
    m_addIntakeFood.get();
    m_addIntakeRecipe.get();
    m_peopleList.get();
}

TDialogDailyIntake& TPersonalSubject::dailyIntakeDialog()
{
    return *m_dailyIntake;
}
