#pragma once

#include "widgets/FormTemplateDialog.h"

class QLineEdit;
class SearchTables;

// The Simple Search dialog of a subject (foods, recipes): one keyword. Confirming records the
// keyword in the subject's search history; the search itself is run by whoever opened the
// dialog (the navigation tree runs the newest keyword, a menu the keyword just entered).
class TFormKeywordSearchDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // The search button: an empty keyword is ignored; otherwise the keyword joins the history
    // and the dialog confirms.
    void btnOkClick() override;

    QLineEdit* editSearchSimple() const { return m_edit; }
    // The keyword last entered.
    QString keyword() const;

protected:
    TFormKeywordSearchDialog(SearchTables& searches, const TFormImageContainer& images,
                             QWidget* owner);

    void showEvent(QShowEvent* event) override;

private:
    SearchTables& m_searches;
    QLineEdit* m_edit = nullptr;
};
