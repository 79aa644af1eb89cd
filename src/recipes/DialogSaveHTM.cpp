#include "recipes/DialogSaveHTM.h"

#include "recipes/RecipeFiles.h"
#include "store/FileChooser.h"
#include "store/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTextBrowser>
#include <QUrl>

namespace {

QLabel* caption(const QString& text, QWidget* parent, int x, int y, int width)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(x, y, width, 18);
    return label;
}

} // namespace

TDialogSaveHTM::TDialogSaveHTM(TRecipeFiles& files, FileChooser& chooser, Prompter& prompter,
                               const QString& programDir, const TFormImageContainer& images,
                               QWidget* owner)
    : TFormTemplateDialog(images, owner), m_files(files), m_chooser(chooser), m_prompter(prompter),
      m_programDir(programDir)
{
    setObjectName("DialogSaveHTM");
    setDialogTitle("Save Recipe (Export to HTM) Dialog");
    setDialogSize(800, 600);
    QWidget* area = contentArea();

    QLabel* fileCaption = caption("File Name:", area, 10, 6, 200);
    m_editFileName = new QLineEdit(area);
    m_editFileName->setObjectName("editFileName");
    m_editFileName->setReadOnly(true);
    m_editFileName->setGeometry(10, 24, 722, 24);
    fileCaption->setBuddy(m_editFileName);
    m_btnFileChoose = new QPushButton("...", area);
    m_btnFileChoose->setObjectName("btnFileChoose");
    m_btnFileChoose->setToolTip("Choose a file name");
    m_btnFileChoose->setGeometry(738, 24, 42, 24);
    connect(m_btnFileChoose, &QPushButton::clicked, this, &TDialogSaveHTM::btnFileChooseClick);

    QLabel* listCaption = caption("Choose HTML Template:", area, 10, 58, 200);
    m_templates = new QListWidget(area);
    m_templates->setObjectName("FileListBox1");
    m_templates->setGeometry(10, 76, 200, 410);
    listCaption->setBuddy(m_templates);
    bindEscape(m_templates);
    connect(m_templates, &QListWidget::currentRowChanged, this, [this] {
        if (isVisible())
            FileListBox1Change();
    });

    QLabel* previewCaption = caption("Saved HTML Preview", area, 220, 58, 300);
    m_browser = new QTextBrowser(area);
    m_browser->setObjectName("CppWebBrowser1");
    // A preview only: links are not followed, and nothing but the local page is loaded.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setGeometry(220, 76, 560, 410);
    previewCaption->setBuddy(m_browser);
    bindEscape(m_browser);

    placeOkCancel(QPoint(672, 496), QPoint(726, 496));

    fillTemplateList();
}

QString TDialogSaveHTM::templateDirectory(const QString& programDir)
{
    return QDir(programDir).filePath("SaveHTML Templates");
}

QString TDialogSaveHTM::previewDirectory(const QString& programDir)
{
    return QDir(programDir).filePath("TEMP.%%%");
}

QString TDialogSaveHTM::previewFile(const QString& programDir)
{
    return QDir(previewDirectory(programDir)).filePath("abfws3244.htm");
}

QString TDialogSaveHTM::noFileName()
{
    return QStringLiteral("[Click button on the right side to choose a filename for saving]");
}

QString TDialogSaveHTM::selectedTemplate() const
{
    const QListWidgetItem* item = m_templates->currentItem();
    if (!item)
        return QString();
    return QDir(templateDirectory(m_programDir)).filePath(item->text());
}

void TDialogSaveHTM::fillTemplateList()
{
    const QString kept = m_templates->currentItem() ? m_templates->currentItem()->text() : "";
    const QStringList names = QDir(templateDirectory(m_programDir))
                                  .entryList({"*.rht"}, QDir::Files | QDir::Readable, QDir::Name);
    const QSignalBlocker quiet(m_templates);
    m_templates->clear();
    m_templates->addItems(names);
    const qsizetype at = names.indexOf(kept);
    m_templates->setCurrentRow(names.isEmpty() ? -1 : int(std::max<qsizetype>(at, 0)));
}

void TDialogSaveHTM::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_editFileName->setText(noFileName());
    fillTemplateList();
    FileListBox1Change();
}

void TDialogSaveHTM::FileListBox1Change()
{
    const QString chosen = selectedTemplate();
    m_templates->setToolTip(QDir::toNativeSeparators(chosen));
    const QString folder = previewDirectory(m_programDir);
    const bool folderMade = QDir().mkpath(folder);
    if (!folderMade)
        m_prompter.message("Error Creating the Directory:\n" + QDir::toNativeSeparators(folder));
    if (chosen.isEmpty()) {
        m_browser->clear();
        return;
    }
    const QString page = previewFile(m_programDir);
    QString error;
    if (!m_files.RenderRecipeHtml(chosen, page, &error) || !QFileInfo::exists(page)) {
        // Without its folder the preview fails as said already; any other failure is told.
        if (folderMade)
            m_prompter.error(error);
        m_browser->clear();
        return;
    }
    const QUrl url = QUrl::fromLocalFile(page);
    if (m_browser->source() == url)
        m_browser->reload();
    else
        m_browser->setSource(url);
}

void TDialogSaveHTM::btnFileChooseClick()
{
    const QString path =
        m_chooser.saveFile({"Save Recipe (export to HTM) Dialog", "HTML Formatl (htm)|*.htm", "htm",
                            m_folder, "untitled.htm"});
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    m_editFileName->setText(path);
}

void TDialogSaveHTM::btnOkClick()
{
    const QString path = m_editFileName->text();
    if (path.startsWith('[')) {
        m_prompter.message("Please Choose a File Name first");
        m_editFileName->setFocus();
        return;
    }
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
        m_prompter.message("Invalid Path:" + path);
        m_editFileName->setFocus();
        return;
    }
    const QString chosen = selectedTemplate();
    if (chosen.isEmpty()) {
        m_prompter.message("Invalid Template File");
        return;
    }
    QString error;
    if (!m_files.RenderRecipeHtml(chosen, path, &error)) {
        m_prompter.error(error);
        return;
    }
    confirmDialog();
}
