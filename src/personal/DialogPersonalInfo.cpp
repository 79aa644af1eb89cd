#include "personal/DialogPersonalInfo.h"

#include "foods/DataModuleFoods.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogNutrientGoalValue.h"
#include "personal/WeightHistoryGrid.h"
#include "store/DataSetModel.h"
#include "store/DateFormat.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/LabelSetup.h"
#include "widgets/NutrientPickTabs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableView>
#include <cmath>

namespace {

constexpr int PagesWidth = TWizardDialog::pagesWidth();
constexpr int PagesHeight = TWizardDialog::pagesHeight();

} // namespace

TDialogPersonalInfo::TDialogPersonalInfo(TDataModulePersonal& personal, TDataModuleFoods& foods,
                                         const TFormImageContainer& images, Prompter& prompter,
                                         QWidget* owner)
    : TWizardDialog(images, prompter, "nbPersonalInfoPages", owner), m_personal(personal),
      m_foods(foods)
{
    setObjectName("DialogPersonalInfo");
    setDialogTitle("Add/Edit User's Information");

    const QList<OverviewLine> overview = {
        {"First, use the Menu/Wizard Links on the left side panel to  navigate the various "
         "components required for  User's Information: ",
         16, 48},
        {"User's General Profile:  Name, Age, Height, etc.", 76, 32},
        {"Weight Goal: Simply set your target weight and current weight.", 110, 32},
        {"Diet and Nutritional Goals: Set your goals for each nutrient (e.g. Calories, "
         "Protein,etc).",
         144, 32},
    };
    addWizardPage("lblOverview", "Overview", overviewPage(overview),
                  "Welcome to Personal Info Wizard.",
                  "This wizard will guide step by step to add/edit Personal Information and "
                  "Goals");
    addWizardPage("lblGeneralProfile", "User's General Profile", buildGeneralProfilePage(),
                  "User's General Profile.",
                  "Enter Full Name, Date of Birth, Select Gender and your preferred Measurement "
                  "System then enter the height in that system");
    addWizardPage("lblWeightGoal", "Weight Goal", buildWeightGoalPage(), "Weight Goal.",
                  "Enter your current and desired weights");
    addWizardPage("lblDietGoals", "Diet and Nutritional Goals", buildDietGoalsPage(),
                  "Diet and Nutritional Goals.",
                  "Set goals for the nutrients that you wish to track.");

    m_goalDialog = new TDialogNutrientGoalValue(personal, images, prompter, this);

    connect(&personal, &TDataModulePersonal::shownUserChanged, this,
            &TDialogPersonalInfo::showUser);
    connect(&personal, &TDataModulePersonal::choiceListsChanged, this,
            &TDialogPersonalInfo::fillLists);
    fillLists();

    // Once when it is created, like every time it is shown.
    ShowOverviewPage();
}

// --- Building ---------------------------------------------------------------------------------

QLineEdit* TDialogPersonalInfo::makeNumberBox(const QString& name, const QString& field,
                                              QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    // Number fields take only the characters of a number (the binding's validator).
    m_bindings.append(new FieldEditBinding(box, &m_personal.tblPersonalInfo(), field));
    return box;
}

QWidget* TDialogPersonalInfo::buildGeneralProfilePage()
{
    auto* page = new QWidget;
    page->setObjectName("GeneralProfile");

    QLabel* nameLabel = LabelSetup::create("Name:", page, QRect(0, 10, 200, 18));
    m_editName = new QLineEdit(page);
    m_editName->setObjectName("DBEditName");
    m_editName->setGeometry(0, 29, PagesWidth - 10, 24);
    nameLabel->setBuddy(m_editName);
    m_bindings.append(new FieldEditBinding(m_editName, &m_personal.tblPersonalInfo(), "Name"));

    QLabel* birthLabel = LabelSetup::create("Date of Birth:", page, QRect(0, 66, 160, 18));
    m_dateOfBirth = new QDateEdit(QDate(1970, 1, 6), page);
    m_dateOfBirth->setObjectName("DateofBirth");
    m_dateOfBirth->setDisplayFormat(DateFormat::shortPattern());
    m_dateOfBirth->setCalendarPopup(true);
    m_dateOfBirth->setGeometry(0, 85, 150, 24);
    birthLabel->setBuddy(m_dateOfBirth);
    connect(m_dateOfBirth, &QDateEdit::dateChanged, this, &TDialogPersonalInfo::birthDateChanged);

    QLabel* genderLabel = LabelSetup::create("Gender:", page, QRect(180, 66, 160, 18));
    m_comboGender = new QComboBox(page);
    m_comboGender->setObjectName("DBLookupComboBoxGender");
    m_comboGender->setGeometry(180, 85, 160, 24);
    genderLabel->setBuddy(m_comboGender);
    connect(m_comboGender, &QComboBox::activated, this, &TDialogPersonalInfo::chooseGender);

    QLabel* systemLabel =
        LabelSetup::create("Preferred Measurement System:", page, QRect(0, 122, 300, 18));
    m_comboMeasureSystem = new QComboBox(page);
    m_comboMeasureSystem->setObjectName("DBLookupComboBoxMeasureSystem");
    m_comboMeasureSystem->setGeometry(0, 141, 200, 24);
    systemLabel->setBuddy(m_comboMeasureSystem);
    connect(m_comboMeasureSystem, &QComboBox::activated, this,
            &TDialogPersonalInfo::chooseMeasureSystem);

    QLabel* heightLabel = LabelSetup::create("Height:", page, QRect(0, 178, 160, 18));
    m_editHeight = makeNumberBox("DBEditHeight", "Height", page);
    m_editHeight->setGeometry(0, 197, 110, 24);
    heightLabel->setBuddy(m_editHeight);
    m_heightUnit = LabelSetup::create(QString(), page, QRect(116, 197, 80, 24));
    m_heightUnit->setObjectName("lblHeightUnit");
    return page;
}

QWidget* TDialogPersonalInfo::buildWeightGoalPage()
{
    auto* page = new QWidget;
    page->setObjectName("WeightGoal");

    QLabel* weightLabel = LabelSetup::create("Current Weight:", page, QRect(0, 10, 160, 18));
    m_editWeight = makeNumberBox("DBEditWeight", "Weight", page);
    m_editWeight->setGeometry(0, 29, 110, 24);
    weightLabel->setBuddy(m_editWeight);
    m_weightUnit = LabelSetup::create(QString(), page, QRect(116, 29, 60, 24));
    m_weightUnit->setObjectName("lblWeightUnit");

    QLabel* targetLabel = LabelSetup::create("Target Weight:", page, QRect(200, 10, 160, 18));
    m_editTargetWeight = makeNumberBox("DBEditTargetWeight", "TargetWeight", page);
    m_editTargetWeight->setGeometry(200, 29, 110, 24);
    targetLabel->setBuddy(m_editTargetWeight);
    m_targetWeightUnit = LabelSetup::create(QString(), page, QRect(316, 29, 60, 24));
    m_targetWeightUnit->setObjectName("lblTargetWeightUnit");

    LabelSetup::create("Weight History:", page, QRect(0, 66, 160, 18));
    m_gridWeightHistory = makeGrid("DBGridWeightHistory", page);
    m_gridWeightHistory->setGeometry(0, 85, 310, PagesHeight - 85);
    // Read only, and the Tab key passes it by.
    m_gridWeightHistory->setFocusPolicy(Qt::NoFocus);
    WeightHistoryGrid::show(m_gridWeightHistory,
                            m_personal.newWeightHistoryModel(m_gridWeightHistory), 80, 50);
    return page;
}

QWidget* TDialogPersonalInfo::buildDietGoalsPage()
{
    auto* page = new QWidget;
    page->setObjectName("DietGoals");
    // Below the "My Nutrients" list, the link to the preferences that make that list.
    m_preferenceLink = new QLabel("Click Here to Set My Nutrients Preference");
    m_preferenceLink->setObjectName("lblSetPreference");
    m_preferenceLink->setTextFormat(Qt::PlainText);
    m_preferenceLink->setWordWrap(true);
    m_preferenceLink->setAlignment(Qt::AlignCenter);
    QFont linkFont = m_preferenceLink->font();
    linkFont.setItalic(true);
    linkFont.setUnderline(true);
    m_preferenceLink->setFont(linkFont);
    setTextColor(m_preferenceLink, QColor(0x00, 0x00, 0x80));
    m_preferenceLink->setCursor(Qt::PointingHandCursor);
    m_preferenceLink->installEventFilter(this);
    m_nutrientTabs = new TNutrientPickTabs(m_foods, *this, page, m_preferenceLink);
    connect(m_nutrientTabs, &TNutrientPickTabs::picked, this,
            &TDialogPersonalInfo::btnAddNutrientClick);

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    m_gridGoals = makeValueGrid("DBGridNutrientGoals", page, m_personal.tblPersonalNutrGoals(),
                                {{"Nutrients", "Nutrients"},
                                 {"Goal", "Goal", DataSetModel::Form::General, right},
                                 {"Units", "Units"}},
                                56, 40);
    placeNutrientColumns(
        page, m_nutrientTabs,
        moveButtons([this] { btnAddNutrientClick(); }, [this] { btnRemoveNutrientClick(); }),
        m_gridGoals);
    return page;
}

// --- The menu ---------------------------------------------------------------------------------

void TDialogPersonalInfo::ShowOverviewPage()
{
    showWizardPage(Overview);
}

void TDialogPersonalInfo::ShowGeneralProfilePage()
{
    if (showWizardPage(GeneralProfile))
        m_editName->setFocus();
}

void TDialogPersonalInfo::ShowWeightGoalPage()
{
    if (showWizardPage(WeightGoal))
        m_editWeight->setFocus();
}

void TDialogPersonalInfo::ShowDietGoalsPage()
{
    showWizardPage(DietGoals);
}

void TDialogPersonalInfo::menuEntryClicked(int page)
{
    switch (page) {
    case GeneralProfile:
        ShowGeneralProfilePage();
        break;
    case WeightGoal:
        ShowWeightGoalPage();
        break;
    default:
        showWizardPage(page);
        break;
    }
}

bool TDialogPersonalInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preferenceLink && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_preferenceLink->rect().contains(mouse->position().toPoint()) && m_runPreferences)
            m_runPreferences();
        return true;
    }
    return TWizardDialog::eventFilter(watched, event);
}

void TDialogPersonalInfo::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        fillLists();
        for (FieldEditBinding* binding : std::as_const(m_bindings))
            binding->reload();
        // Each showing starts on the Overview page. Becoming the active window again (after
        // one of its own dialogs closed) keeps the page the user is working on.
        ShowOverviewPage();
        // A stored date of birth is shown; without one the picker keeps what it showed last.
        const QDate birthDay = m_personal.currentPerson().BirthDay;
        if (birthDay.isValid()) {
            m_showingDate = true;
            m_dateOfBirth->setDate(birthDay);
            m_showingDate = false;
        }
    }
    TWizardDialog::showEvent(event);
}

// --- The user's profile -----------------------------------------------------------------------

void TDialogPersonalInfo::fillLists()
{
    {
        const QSignalBlocker quietGender(m_comboGender);
        const QSignalBlocker quietSystem(m_comboMeasureSystem);
        m_comboGender->clear();
        m_comboGender->addItems(m_personal.genders());
        m_comboMeasureSystem->clear();
        for (const auto& [description, key] : m_personal.measurementSystems())
            m_comboMeasureSystem->addItem(description, key);
    }
    showUser();
}

void TDialogPersonalInfo::showUser()
{
    const PersonRecord person = m_personal.currentPerson();
    // The lists show the user's gender and system, or nothing when the user has none (or one
    // that is not offered).
    const int gender =
        person.Gender.isEmpty() ? -1 : m_comboGender->findText(person.Gender, Qt::MatchExactly);
    if (m_comboGender->currentIndex() != gender)
        m_comboGender->setCurrentIndex(gender);
    const int system = person.MeasurementSystem_ID.isNull()
                           ? -1
                           : m_comboMeasureSystem->findData(person.MeasurementSystem_ID);
    if (m_comboMeasureSystem->currentIndex() != system)
        m_comboMeasureSystem->setCurrentIndex(system);
    m_heightUnit->setText(person.HeightUnit);
    m_weightUnit->setText(person.WeightUnit);
    m_targetWeightUnit->setText(person.WeightUnit);
}

void TDialogPersonalInfo::chooseGender(int index)
{
    if (index >= 0)
        m_personal.SetUserGender(m_comboGender->itemText(index));
}

void TDialogPersonalInfo::chooseMeasureSystem(int index)
{
    // Only the key changes: the stored height and weights keep their numbers.
    if (index >= 0)
        m_personal.SetUserMeasurementSystem(m_comboMeasureSystem->itemData(index));
}

void TDialogPersonalInfo::birthDateChanged()
{
    if (!m_showingDate)
        m_personal.SetUserBirthDay(m_dateOfBirth->date());
}

// --- Goals ------------------------------------------------------------------------------------

void TDialogPersonalInfo::btnAddNutrientClick()
{
    // An empty list offers no nutrient: a goal without one would be meaningless.
    if (!m_personal.BeginNewGoal(m_nutrientTabs->chosenNutrient()))
        return;
    if (m_goalDialog->execDialog() == QDialog::Accepted)
        m_personal.PostGoal();
    else
        m_personal.CancelGoal();
}

void TDialogPersonalInfo::btnRemoveNutrientClick()
{
    if (askToRemove(m_personal.tblPersonalNutrGoals(), "Nutrients"))
        m_personal.RemoveGoal();
}

// --- Closing ----------------------------------------------------------------------------------

bool TDialogPersonalInfo::refuse(const QString& message, Page page, QWidget* control)
{
    // The wizard stays open with its data; the page of the control is shown and it has the
    // focus.
    prompter().message(message);
    showWizardPage(page);
    control->setFocus();
    return false;
}

bool TDialogPersonalInfo::checkNumber(QLineEdit* box, TDataModulePersonal::BodyNumber field,
                                      const QString& name, Page page)
{
    double value = 0;
    if (!NumberFormat::isNumber(box->text(), &value)) {
        refuse("Please enter a number for the " + name, page, box);
        box->selectAll();
        return false;
    }
    // Heights and weights are above 0, and stay finite in every unit they are shown in.
    if (!(value > 0) || !std::isfinite(value * 1000)) {
        refuse("The " + name + " must be a number above 0", page, box);
        box->selectAll();
        return false;
    }
    // The row holds exactly the number that was checked.
    m_personal.SetUserNumber(field, value);
    return true;
}

bool TDialogPersonalInfo::canClose()
{
    if (m_editName->text().isEmpty())
        return refuse("Missing User Name, Please Enter a name", GeneralProfile, m_editName);
    if (m_comboGender->currentIndex() < 0)
        return refuse("Missing User's Gender, Please Select Gender", GeneralProfile, m_comboGender);
    if (m_comboMeasureSystem->currentIndex() < 0)
        return refuse("Missing Measurement System, Please Select Your Prefered System",
                      GeneralProfile, m_comboMeasureSystem);
    if (m_editHeight->text().isEmpty())
        return refuse("Missing Height, Please Enter the Height", GeneralProfile, m_editHeight);
    if (!checkNumber(m_editHeight, TDataModulePersonal::BodyNumber::Height, "Height",
                     GeneralProfile))
        return false;
    if (m_editWeight->text().isEmpty())
        return refuse("Missing Current Weight, Please Enter Current Weight", WeightGoal,
                      m_editWeight);
    if (!checkNumber(m_editWeight, TDataModulePersonal::BodyNumber::Weight, "Current Weight",
                     WeightGoal))
        return false;
    if (m_editTargetWeight->text().isEmpty())
        return refuse("Missing Target Weight, Please Enter Target Weight", WeightGoal,
                      m_editTargetWeight);
    return checkNumber(m_editTargetWeight, TDataModulePersonal::BodyNumber::TargetWeight,
                       "Target Weight", WeightGoal);
}
