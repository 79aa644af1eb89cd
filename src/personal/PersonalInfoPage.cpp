#include "personal/PersonalInfoPage.h"

#include "personal/DataModulePersonal.h"
#include "personal/WeightHistoryGrid.h"
#include "store/DataSetModel.h"
#include "store/DateFormat.h"
#include "store/NumberFormat.h"
#include "store/TableView.h"
#include "widgets/GridSetup.h"
#include "widgets/LabelSetup.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

TPersonalInfoPage::TPersonalInfoPage(TDataModulePersonal& personal,
                                     const TFormImageContainer& images, QWidget* parent)
    : TContentPage("PersonalInfo", images, parent), m_personal(personal)
{
    setObjectName("PersonalInfoContent");
    addHeaderButton("btnAddPerson", "ImgCreate32", "Add New User", [this] { btnAddPersonClick(); });
    addHeaderButton("btnDeletePerson", "ImgDelete32", "Delete Current User",
                    [this] { btnDeletePersonClick(); });
    addHeaderButton("btnEditPerson", "ImgEdit32", "Edit Current User",
                    [this] { btnEditPersonClick(); });
    addHeaderButton("btnSelectUser", "ImgSelectUser32", "Select Another User",
                    [this] { btnSelectUserClick(); });
    setHeaderDescription("LabelHeaderDescriptionPersonalInfo", Description::Plain);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 8, 8, 8);
    body->setSpacing(14);
    body->addWidget(buildProfile(), 5);
    body->addWidget(buildGoals(), 4);
    pageLayout()->addLayout(body, 1);

    connect(&personal, &TDataModulePersonal::shownUserChanged, this, &TPersonalInfoPage::showUser);
    showUser();
}

QTableView* TPersonalInfoPage::makeGrid(const QString& name, QWidget* parent)
{
    return GridSetup::create(name, parent,
                             GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
}

QWidget* TPersonalInfoPage::buildProfile()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelProfile");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(6);
    m_name = LabelSetup::value("DBTextName", panel);
    m_birthDay = LabelSetup::value("DBTextBirthDay", panel);
    m_gender = LabelSetup::value("DBTextGender", panel);
    m_height = LabelSetup::value("DBTextHeight", panel);
    const std::pair<const char*, QLabel*> rows[] = {{"Name:", m_name},
                                                    {"Date of Birth:", m_birthDay},
                                                    {"Gender:", m_gender},
                                                    {"Height:", m_height}};
    int row = 0;
    for (const auto& [text, label] : rows) {
        form->addWidget(LabelSetup::create(text, panel, true), row, 0);
        form->addWidget(label, row, 1);
        ++row;
    }
    form->setColumnStretch(1, 1);
    layout->addLayout(form);

    auto* frame = new QFrame(panel);
    frame->setObjectName("PanelWeight");
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* weights = new QGridLayout(frame);
    weights->setContentsMargins(10, 8, 10, 10);
    weights->setHorizontalSpacing(12);
    weights->setVerticalSpacing(6);
    m_weight = LabelSetup::value("DBTextWeight", frame);
    m_targetWeight = LabelSetup::value("DBTextTargetWeight", frame);
    weights->addWidget(LabelSetup::create("Current Weight:", frame, true), 0, 0);
    weights->addWidget(m_weight, 0, 1);
    weights->addWidget(LabelSetup::create("Target Weight:", frame, true), 1, 0);
    weights->addWidget(m_targetWeight, 1, 1);
    weights->addWidget(LabelSetup::create("Weight History:", frame, true), 2, 0, 1, 2);
    m_gridWeightHistory = makeGrid("DBGridWeightHistory", frame);
    WeightHistoryGrid::show(m_gridWeightHistory,
                            m_personal.newWeightHistoryModel(m_gridWeightHistory), 80, 60);
    weights->addWidget(m_gridWeightHistory, 3, 0, 1, 2);
    weights->setRowStretch(3, 1);
    weights->setColumnStretch(1, 1);
    layout->addWidget(frame, 1);
    return panel;
}

QWidget* TPersonalInfoPage::buildGoals()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelGoals");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(LabelSetup::create("Nutrient Goals:", panel, true));
    m_gridGoals = makeGrid("DBGridNutrientGoals", panel);
    DataSetModel* goals = m_personal.newGoalsModel(m_gridGoals);
    m_gridGoals->setModel(goals);
    goals->setSelectionModel(m_gridGoals->selectionModel());
    m_gridGoals->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_gridGoals->setColumnWidth(1, 70);
    m_gridGoals->setColumnWidth(2, 50);
    layout->addWidget(m_gridGoals, 1);
    return panel;
}

void TPersonalInfoPage::showUser()
{
    const PersonRecord person = m_personal.currentPerson();
    m_name->setText(person.Name);
    m_birthDay->setText(DateFormat::shortDate(person.BirthDay));
    m_gender->setText(person.Gender);
    m_height->setText(NumberFormat::optionalWithUnit(person.Height, person.HeightUnit));
    m_weight->setText(NumberFormat::optionalWithUnit(person.Weight, person.WeightUnit));
    m_targetWeight->setText(NumberFormat::optionalWithUnit(person.TargetWeight, person.WeightUnit));
    setHeaderText(m_personal.hasCurrentPerson() ? "Personal Info for " + person.Name : QString());
}

void TPersonalInfoPage::runWizard()
{
    // A save the store refuses keeps everything pending; the wizard opens again so nothing
    // typed is lost.
    while (m_dialogs.personalInfo && m_dialogs.personalInfo()) {
        if (m_personal.SaveUser())
            return;
    }
    m_personal.DiscardUser();
}

void TPersonalInfoPage::btnAddPersonClick()
{
    if (m_personal.BeginNewUser())
        runWizard();
}

void TPersonalInfoPage::btnDeletePersonClick()
{
    m_personal.DeleteUser();
}

void TPersonalInfoPage::btnEditPersonClick()
{
    if (m_personal.BeginEditUser())
        runWizard();
}

void TPersonalInfoPage::btnSelectUserClick()
{
    if (m_dialogs.peopleList)
        m_dialogs.peopleList();
    emit userSelected();
}

void TPersonalInfoPage::ChooseUserAtStart()
{
    if (!m_personal.peopleOpen())
        return;
    if (m_personal.hasUsers())
        btnSelectUserClick();
    else
        btnAddPersonClick();
}
