#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QVariant>
#include <functional>

class FieldEditBinding;
class Prompter;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QStackedWidget;
class QTableView;
class TDataModuleFoods;
class SearchTables;
class TGraphicButton;

// The Advanced Search dialog of a subject (foods, recipes): the name and the rules of the
// current row of its search table (a new search or one being edited). A radio group " Condition
// Selection:" chooses the kind of rule and shows its page; btnAddCondition (or Enter in the
// page's input) adds a rule from it, btnRemove removes the rule selected in the rules grid.
// Every change stays pending; whoever opened the dialog posts or cancels the search row.
//
// A subject's dialog is configuration: it adds its kinds of rule in radio order, each one of
//  - a word typed in an edit box (the rule's value), required or not;
//  - a name chosen in a drop-down list filled anew on each showing (the shown text is the
//    rule's value; the item's key, when the subject wants it, its ExtraInfo), required or not;
//  - a nutrient of the nutrient table compared with a number per 100 g ("=", "<", ">", "<=",
//    ">=", "<>" only), the rule's ExtraInfo being the nutrient number.
class TFormSearchRulesDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // The texts and keys a drop-down list offers, in order.
    using Choices = std::function<QList<QPair<QString, QVariant>>()>;

    // OK: the search needs a name and at least one rule.
    void btnOkClick() override;
    // Adds a rule from the page shown, after checking its input.
    void btnAddConditionClick();
    // Removes the rule selected in the rules grid, without a question.
    void btnRemoveClick();

    // The chosen radio item (0 for the first); choosing one shows its rule page. The choice is
    // kept between showings.
    void setRuleKind(int kind);
    int ruleKind() const;

protected:
    TFormSearchRulesDialog(SearchTables& searches, const TFormImageContainer& images,
                           Prompter& prompter, QWidget* owner);

    // The kinds of rule, in radio order. name names the radio button ("Radio" + name) and the
    // page ("Page" + name); prompt is the text above the page's input.
    QLineEdit* addWordKind(const QString& item, const QString& name, const QString& prompt,
                           const QString& editName, const QString& field, bool required);
    QComboBox* addChoiceKind(const QString& item, const QString& name, const QString& prompt,
                             const QString& listName, const QString& field, Choices choices,
                             const QString& refusal, bool keyIsExtraInfo);
    void addNutrientKind(const QString& item, const QString& name, TDataModuleFoods& foods);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kind
    {
        std::function<void()> add;
        std::function<void()> refill;
    };

    // A radio item with its (empty) page; the caller fills the page and says what its kind does.
    QWidget* addKind(const QString& item, const QString& name);
    void placeControls();
    void refuse(const QString& message, QWidget* focus);
    void fill(QComboBox* list, const Choices& choices);
    void watchEnter(QWidget* input);

    SearchTables& m_searches;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    FieldEditBinding* m_nameBinding = nullptr;
    QGroupBox* m_kindsBox = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QStackedWidget* m_pages = nullptr;
    TGraphicButton* m_add = nullptr;
    TGraphicButton* m_remove = nullptr;
    QTableView* m_rules = nullptr;
    QList<Kind> m_kindList;
    QSet<QObject*> m_inputs;
};
