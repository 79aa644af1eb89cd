#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QString>

class FileChooser;
class Prompter;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class TRecipeFiles;

// "Save Recipe (Export to HTM) Dialog": the selected recipe rendered through a template chosen
// from the files of "SaveHTML Templates", previewed from "TEMP.%%%/abfws3244.htm" in an
// embedded viewer that neither runs scripts nor reaches the network, and saved on OK under the
// name chosen with the "..." button. A file that cannot be written is reported and the dialog
// stays open.
//
// The template chosen is kept between showings; the file name is asked for again each time.
class TDialogSaveHTM : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogSaveHTM(TRecipeFiles& files, FileChooser& chooser, Prompter& prompter,
                   const QString& programDir, const TFormImageContainer& images,
                   QWidget* owner = nullptr);

    static QString templateDirectory(const QString& programDir);
    static QString previewDirectory(const QString& programDir);
    static QString previewFile(const QString& programDir);
    // What the file name box shows until a name is chosen.
    static QString noFileName();

    // The path of the template selected in the list; empty when none is.
    QString selectedTemplate() const;

    void btnOkClick() override;
    void btnFileChooseClick();
    // Renders the selected template into the preview file and shows it.
    void FileListBox1Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the template folder again, keeping the template selected (the first one when none
    // is).
    void fillTemplateList();

    TRecipeFiles& m_files;
    FileChooser& m_chooser;
    Prompter& m_prompter;
    QString m_programDir;
    // The folder of the last page saved, where the file dialog opens next.
    QString m_folder;
    QLineEdit* m_editFileName;
    QPushButton* m_btnFileChoose;
    QListWidget* m_templates;
    QTextBrowser* m_browser;
};
