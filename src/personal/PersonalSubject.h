#pragma once

#include "widgets/Lazy.h"

#include <QWidget>
#include <functional>

class Clock;
class Prompter;
class TDailyIntakePage;
class TDataModuleFoods;
class TDataModulePersonal;
class TDataModuleRecipes;
class TDialogAddDailyIntakeFood;
class TDialogAddDailyIntakeRecipe;
class TDialogDailyIntake;
class TDialogPeopleList;
class TDialogPersonalInfo;
class TFoodsSubject;
class TFormImageContainer;
class TPersonalInfoPage;
class TRecipesSubject;
class TReportsPage;

// The personal subject put together: the Personal Info, Daily Intake and Reports pages and their
// dialogs (the user wizard, Select User, the daily intake dialog with its food and recipe menus,
// the two add dialogs), each dialog made when first needed. The intake dialog's menus are the
// foods and recipes subjects'. Start-up makes it once, after those two, and hosts its pages.
class TPersonalSubject
{
public:
    struct Services
    {
        Prompter& prompter;
        Clock& clock;
        // Runs the "My Nutrients" preference dialog (the user wizard's link opens it).
        std::function<void()> runPreferences;
    };

    TPersonalSubject(TDataModulePersonal& personal, TDataModuleFoods& foods,
                     TDataModuleRecipes& recipes, TFoodsSubject& foodsSubject,
                     TRecipesSubject& recipesSubject, const TFormImageContainer& images,
                     const Services& services, QWidget* owner);
    ~TPersonalSubject();
    TPersonalSubject(const TPersonalSubject&) = delete;
    TPersonalSubject& operator=(const TPersonalSubject&) = delete;

    // The pages, to be hosted by the main window (which then owns them).
    TPersonalInfoPage* personalInfoPage() const { return m_personalInfoPage; }
    TDailyIntakePage* dailyIntakePage() const { return m_dailyIntakePage; }
    TReportsPage* reportsPage() const { return m_reportsPage; }

    TDialogDailyIntake& dailyIntakeDialog();
    // Makes every dialog now.
    void makeAllDialogs();

private:
    TLazy<TDialogPersonalInfo> m_personalInfo;
    TLazy<TDialogDailyIntake> m_dailyIntake;
    TLazy<TDialogAddDailyIntakeFood> m_addIntakeFood;
    TLazy<TDialogAddDailyIntakeRecipe> m_addIntakeRecipe;
    TLazy<TDialogPeopleList> m_peopleList;
    TPersonalInfoPage* m_personalInfoPage = nullptr;
    TDailyIntakePage* m_dailyIntakePage = nullptr;
    TReportsPage* m_reportsPage = nullptr;
};
