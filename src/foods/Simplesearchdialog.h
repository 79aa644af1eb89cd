#pragma once

#include "app/Templatedialog.h"

class QLineEdit;
class TDataModuleFoods;

// The Simple Search dialog: one keyword. Confirming records the keyword in the search history;
// the search itself is run by whoever opened the dialog (the food tree runs the newest keyword).
class TDialogFoodSimpleSearch : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogFoodSimpleSearch(TDataModuleFoods& foods, const TFormImageContainer& images,
                            QWidget* owner = nullptr);

    // The search button: an empty keyword is ignored; otherwise the keyword joins the history
    // and the dialog confirms.
    void btnOkClick() override;

    QLineEdit* editSearchSimple() const { return m_edit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModuleFoods& m_foods;
    QLineEdit* m_edit = nullptr;
};
