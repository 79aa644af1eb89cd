#pragma once

#include "app/Templatedialog.h"

class DataSetModel;
class FieldEditBinding;
class Prompter;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QStackedWidget;
class QTableView;
class TDataModuleFoods;

// The Advanced Search dialog: the name and the rules of the current row of the search table
// (a new search or one being edited). Rules are added from one of three pages: a word in the
// food description, a food group, or a nutrient compared with a value per 100 g. Every change
// stays pending; whoever opened the dialog posts or cancels the search row.
class TDialogFoodAdvancedSearch : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // The kinds of rule, in the order of the radio group.
    enum ConditionKind { ByKeyword = 0, ByFoodGroup = 1, ByNutrient = 2 };

    TDialogFoodAdvancedSearch(TDataModuleFoods& foods, const TFormImageContainer& images,
                              Prompter& prompter, QWidget* owner = nullptr);

    // OK: the search needs a name and at least one rule.
    void btnOkClick() override;
    // Adds a rule from the page shown, after checking its input.
    void btnAddConditionClick();
    // Removes the rule selected in the rules grid, without a question.
    void btnRemoveClick();

    // The chosen radio item; choosing one shows its rule page. The choice is kept between
    // showings.
    void setConditionKind(ConditionKind kind);
    ConditionKind conditionKind() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildKeywordPage();
    QWidget* buildFoodGroupPage();
    QWidget* buildNutrientPage();
    void fillFoodGroups();
    void addKeywordRule();
    void addFoodGroupRule();
    void addNutrientRule();
    void refuse(const QString& message, QWidget* focus);

    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    FieldEditBinding* m_nameBinding = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_word = nullptr;
    QComboBox* m_foodGroup = nullptr;
    QTableView* m_nutrients = nullptr;
    QComboBox* m_condition = nullptr;
    QLineEdit* m_value = nullptr;
    QTableView* m_rules = nullptr;
};
