#include "personal/FormAddIntakeDialog.h"

#include "personal/DataModulePersonal.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

TFormAddIntakeDialog::TFormAddIntakeDialog(Prompter& prompter, const TFormImageContainer& images,
                                           QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter)
{
    QWidget* area = contentArea();
    m_mealGroup = new QGroupBox(" Select Meal Type:", area);
    m_mealGroup->setObjectName("RadioGroupMealType");
    auto* layout = new QVBoxLayout(m_mealGroup);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(2);
    m_meals = new QButtonGroup(this);
    for (const QString& meal : TDataModulePersonal::mealTypes()) {
        auto* button = new QRadioButton(meal, m_mealGroup);
        button->setObjectName("RadioButton" + meal);
        layout->addWidget(button);
        m_meals->addButton(button);
        m_mealButtons.append(button);
    }

    m_editAmount = new QLineEdit(area);
    m_editAmount->setObjectName("EditAmount");
    bindEditKeys(m_editAmount);
}

void TFormAddIntakeDialog::placeMealGroup(const QRect& area)
{
    m_mealGroup->setGeometry(area);
}

QLabel* TFormAddIntakeDialog::placeAmount(const QString& caption, const QRect& captionArea,
                                          const QRect& boxArea)
{
    auto* label = new QLabel(caption, contentArea());
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(captionArea);
    label->setBuddy(m_editAmount);
    m_editAmount->setGeometry(boxArea);
    return label;
}

void TFormAddIntakeDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (m_meals->checkedButton())
        m_editAmount->setFocus();
    else
        m_mealButtons.first()->setFocus();
}

QString TFormAddIntakeDialog::mealType() const
{
    QAbstractButton* chosen = m_meals->checkedButton();
    return chosen ? chosen->text() : QString();
}

double TFormAddIntakeDialog::amount() const
{
    return NumberFormat::leadingNumber(m_editAmount->text());
}

void TFormAddIntakeDialog::clearInputs()
{
    {
        // Quietly: what depends on the amount is worked out again when the dialog is shown.
        const QSignalBlocker quiet(m_editAmount);
        m_editAmount->clear();
    }
    // An exclusive group never lets its last choice go.
    m_meals->setExclusive(false);
    for (QRadioButton* button : std::as_const(m_mealButtons))
        button->setChecked(false);
    m_meals->setExclusive(true);
}

bool TFormAddIntakeDialog::checkMealAndAmount()
{
    if (mealType().isEmpty()) {
        m_prompter.message("Please Select a Meal type");
        m_mealButtons.first()->setFocus();
        return false;
    }
    const QString text = m_editAmount->text();
    QString refusal;
    if (text.isEmpty())
        refusal = "Please Enter the Amount Value";
    else if (text == QLatin1String("0"))
        refusal = "Can't have Zero value for Amount";
    else if (const double value = amount(); !(value > 0) || !std::isfinite(value))
        refusal = "Invalid number for amount";
    if (refusal.isEmpty())
        return true;
    m_prompter.message(refusal);
    m_editAmount->setFocus();
    return false;
}
