#pragma once

#include "widgets/FormListDialog.h"

#include <functional>

class SearchTables;

// The Advanced Search List dialog of a subject (foods, recipes): every stored search of its
// search tables, with buttons to create, edit and delete searches in the subject's Advanced
// Search dialog. Changes stay pending in the two search tables; whoever opened the dialog stores
// them when it is confirmed and drops them when it is cancelled. Deleting a search confirms the
// dialog, whatever the answer to the question was.
class TFormSearchListDialog : public TFormListDialog
{
    Q_OBJECT

public:
    void BtnCreateClick();
    void BtnEditClick();
    void BtnDeleteClick();

    // For a menu that fills a list: shows the dialog; confirmed, the changes made in it are
    // stored (a save the store refuses shows the dialog again, so nothing is lost) and run gets
    // the name of the search the list stands on, if any; cancelled, the changes are dropped.
    // Returns the name run gets; a null text when nothing ran.
    QString runChosenSearch(const std::function<void(const QString& name)>& run);

protected:
    TFormSearchListDialog(SearchTables& searches, TFormTemplateDialog& searchDialog,
                          const TFormImageContainer& images, QWidget* owner);

private:
    // The search dialog over the row begun or put into edit: confirmed, the row is posted;
    // otherwise its insert or edit is dropped.
    void editSearch();

    SearchTables& m_searches;
    TFormTemplateDialog& m_searchDialog;
};
