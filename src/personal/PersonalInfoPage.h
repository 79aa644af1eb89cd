#pragma once

#include "widgets/ContentPage.h"

#include <functional>

class QLabel;
class QTableView;
class TDataModulePersonal;
class TFormImageContainer;

// The Personal Info page: the current user's profile (name, date of birth, gender, height), the
// current and target weight with the weight history, and the nutrient goals, all read-only and
// following the current user. Its header actions add, delete, edit and select users; the dialogs
// are run through the runners given by start-up, each returning true when it was confirmed.
class TPersonalInfoPage : public TContentPage
{
    Q_OBJECT

public:
    struct DialogRunners
    {
        std::function<bool()> personalInfo; // the user's information wizard
        std::function<bool()> peopleList;   // Select User
    };

    TPersonalInfoPage(TDataModulePersonal& personal, const TFormImageContainer& images,
                      QWidget* parent = nullptr);

    void setDialogRunners(const DialogRunners& runners) { m_dialogs = runners; }

    // Add New User: a new user in the wizard; confirmed, the user is stored and becomes current.
    void btnAddPersonClick();
    // Delete Current User, after the question.
    void btnDeletePersonClick();
    // Edit Current User in the wizard.
    void btnEditPersonClick();
    // Select Another User: the Select User dialog; afterwards userSelected() is emitted.
    void btnSelectUserClick();
    // Start-up: Add New User when no user is stored, otherwise Select Another User.
    void ChooseUserAtStart();

signals:
    // Select Another User closed: pages that list the current user's data read them again.
    void userSelected();

private:
    QWidget* buildProfile();
    QWidget* buildGoals();
    QTableView* makeGrid(const QString& name, QWidget* parent);
    void runWizard();
    void showUser();

    TDataModulePersonal& m_personal;
    DialogRunners m_dialogs;

    QLabel* m_name = nullptr;
    QLabel* m_birthDay = nullptr;
    QLabel* m_gender = nullptr;
    QLabel* m_height = nullptr;
    QLabel* m_weight = nullptr;
    QLabel* m_targetWeight = nullptr;
    QTableView* m_gridWeightHistory = nullptr;
    QTableView* m_gridGoals = nullptr;
};
