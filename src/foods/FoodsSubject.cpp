#include "foods/FoodsSubject.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFood.h"
#include "foods/DialogFoodAdvancedSearch.h"
#include "foods/DialogFoodAdvancedSearchList.h"
#include "foods/DialogFoodDataImport.h"
#include "foods/DialogFoodGroupEdit.h"
#include "foods/DialogFoodGroups.h"
#include "foods/DialogFoodSimpleSearch.h"
#include "foods/FoodMenu.h"
#include "foods/FoodsPage.h"
#include "store/Prompter.h"

#include <QLineEdit>

TFoodsSubject::TFoodsSubject(TDataModuleFoods& foods, const TFormImageContainer& images,
                             Prompter& prompter, QWidget* owner)
    : m_foods(foods), m_page(new TFoodsPage(foods, images, prompter))
{
    // Each list dialog after the dialog it opens.
    m_foodGroupEdit.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFoodGroupEdit>(foods, images, prompter, owner);
    });
    m_foodGroups.setFactory([this, &foods, &images, owner] {
        return std::make_unique<TDialogFoodGroups>(foods, *m_foodGroupEdit, images, owner);
    });
    m_simpleSearch.setFactory([&foods, &images, owner] {
        return std::make_unique<TDialogFoodSimpleSearch>(foods, images, owner);
    });
    m_advancedSearch.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFoodAdvancedSearch>(foods, images, prompter, owner);
    });
    m_advancedSearchList.setFactory([this, &foods, &images, owner] {
        return std::make_unique<TDialogFoodAdvancedSearchList>(foods, *m_advancedSearch, images,
                                                               owner);
    });
    m_foodWizard.setFactory([&foods, &images, &prompter, owner] {
        return std::make_unique<TDialogFood>(foods, images, prompter, owner);
    });
    m_foodDataImport.setFactory([this, &images, owner] {
        return std::make_unique<TDialogFoodDataImport>(m_importService, images, owner);
    });

    TFoodsPage::DialogRunners runners;
    runners.foodWizard = [this] { return m_foodWizard->execConfirmed(); };
    runners.foodGroupEdit = [this] { return m_foodGroupEdit->execConfirmed(); };
    runners.foodGroups = [this] {
        m_foodGroups->setEditButtonsVisible(true);
        return m_foodGroups->execConfirmed();
    };
    runners.simpleSearch = [this] { return m_simpleSearch->execConfirmed(); };
    runners.advancedSearch = [this] { return m_advancedSearch->execConfirmed(); };
    runners.advancedSearchList = [this] { return m_advancedSearchList->execConfirmed(); };
    runners.foodDataImport = [this, &prompter] {
        if (!m_importService.isSet()) {
            prompter.message("Importing USDA food data is not available here.");
            return false;
        }
        m_foodDataImport->reset();
        m_foodDataImport->execDialog();
        return m_foodDataImport->imported();
    };
    m_page->setDialogRunners(runners);
}

TFoodsSubject::~TFoodsSubject() = default;

void TFoodsSubject::setFoodDataImport(const FoodDataImport& service)
{
    m_importService = service;
}

void TFoodsSubject::makeAllDialogs()
{
    m_foodGroupEdit.get();
    m_foodGroups.get();
    m_simpleSearch.get();
    m_advancedSearch.get();
    m_advancedSearchList.get();
    m_foodWizard.get();
    m_foodDataImport.get();
}

void TFoodsSubject::followFoodMenu(TFoodMenu* menu)
{
    // The keyword just entered is searched; searches made in the list are stored when it is
    // confirmed (and the chosen one runs) or dropped when it is cancelled. Either way the Foods
    // page's tree then shows the keywords and searches as they are now.
    menu->setSearchRunners(
        {[this] {
             QString keyword;
             if (m_simpleSearch->execDialog() == QDialog::Accepted) {
                 keyword = m_simpleSearch->editSearchSimple()->text();
                 m_foods.RunSimpleSearch(keyword);
             }
             m_page->refreshSearchNodes();
             return keyword;
         },
         [this] {
             const QString ran = m_advancedSearchList->runChosenSearch(
                 [this](const QString& name) { m_foods.RunAdvancedSearch(name); });
             m_page->refreshSearchNodes();
             return ran;
         }});
    QObject::connect(menu, &TFoodMenu::listed, m_page, &TFoodsPage::showMenuListing);
}

TDialogFoodGroups& TFoodsSubject::foodGroups()
{
    return *m_foodGroups;
}
