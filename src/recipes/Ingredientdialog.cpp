#include "recipes/Ingredientdialog.h"

#include "app/Fieldeditbinding.h"
#include "recipes/Databaserecipes.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TDialogRecipeIngredientEdit::TDialogRecipeIngredientEdit(TDataModuleRecipes& recipes,
                                                         const TFormImageContainer& images,
                                                         Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter)
{
    setObjectName("DialogRecipeIngredientEdit");
    setDialogTitle("Add/Edit Ingredients");
    setDialogSize(399, 177);

    QWidget* area = contentArea();
    auto addLabel = [area](const QString& text, int x, int y, int width) {
        auto* label = new QLabel(text, area);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(x, y, width, 18);
        return label;
    };
    auto addEdit = [this, area](const QString& name, int x, int y, int width) {
        auto* edit = new QLineEdit(area);
        edit->setObjectName(name);
        edit->setGeometry(x, y, width, 24);
        bindEditKeys(edit);
        return edit;
    };
    const int width = area->width() - 20;
    addLabel("Quantity:", 10, 8, 110)
        ->setBuddy(m_editQuantity = addEdit("DBEditQuantity", 10, 27, 110));
    addLabel("Unit:", 132, 8, width - 122)
        ->setBuddy(m_editUnit = addEdit("DBEditUnit", 132, 27, width - 122));
    addLabel("Ingredient Name:", 10, 60, width)
        ->setBuddy(m_editName = addEdit("DBEditIngredientName", 10, 79, width));

    placeOkCancel(QPoint(area->width() - 116, area->height() - 54),
                  QPoint(area->width() - 58, area->height() - 54));
    bindBoxes(recipes);
}

void TDialogRecipeIngredientEdit::bindBoxes(TDataModuleRecipes& recipes)
{
    // Every box of the dialog and its field; the bindings take the field's length from the
    // table.
    TableView* ingredient = &recipes.tblRecipeIngredientsAddEditOnly();
    const std::pair<QLineEdit*, const char*> boxes[] = {
        {m_editQuantity, "Quantity"}, {m_editUnit, "Unit"}, {m_editName, "Ingredient Name"}};
    for (const auto& [edit, field] : boxes)
        m_bindings.append(new FieldEditBinding(edit, ingredient, field));
}

void TDialogRecipeIngredientEdit::showEvent(QShowEvent* event)
{
    for (FieldEditBinding* binding : std::as_const(m_bindings))
        binding->reload();
    TFormTemplateDialog::showEvent(event);
    m_editQuantity->setFocus();
    m_editQuantity->selectAll();
}

void TDialogRecipeIngredientEdit::refuse(QLineEdit* edit, const QString& message)
{
    // The dialog stays open with what was typed; the box concerned takes the focus.
    m_prompter.message(message);
    edit->setFocus();
    edit->selectAll();
}

void TDialogRecipeIngredientEdit::btnOkClick()
{
    if (m_editQuantity->text().isEmpty()) {
        refuse(m_editQuantity, "Please Enter the amount of Quantity");
        return;
    }
    if (m_editUnit->text().isEmpty()) {
        refuse(m_editUnit, "Please Enter the Unit");
        return;
    }
    if (m_editName->text().isEmpty()) {
        refuse(m_editName, "Please Enter the Ingredient Name");
        return;
    }
    // A quantity that is no number would be stored as an empty one.
    if (!NumberFormat::isNumber(m_editQuantity->text())) {
        refuse(m_editQuantity, "Please enter a number for the Quantity");
        return;
    }
    confirmDialog();
}
