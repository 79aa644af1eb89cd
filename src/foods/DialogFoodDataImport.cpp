#include "foods/DialogFoodDataImport.h"

#include "widgets/GraphicButton.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

namespace {
const QString Title = QStringLiteral("Import USDA Food Data");
} // namespace

TDialogFoodDataImport::TDialogFoodDataImport(const FoodDataImport& service,
                                             const TFormImageContainer& images, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_service(service)
{
    setObjectName("DialogFoodDataImport");
    setDialogTitle(Title);
    setDialogSize(580, 400);

    QWidget* area = contentArea();
    auto* folderLabel =
        new QLabel("FoodData Central release folder (the unpacked CSV download):", area);
    folderLabel->setObjectName("LabelFolder");
    folderLabel->setGeometry(10, 6, 540, 16);
    m_folder = new QLineEdit(area);
    m_folder->setObjectName("EditFolder");
    m_folder->setGeometry(10, 24, 460, 22);
    folderLabel->setBuddy(m_folder);
    bindEditKeys(m_folder);

    m_browse = new QPushButton("Browse...", area);
    m_browse->setObjectName("BtnBrowse");
    m_browse->setFlat(true);
    m_browse->setCursor(Qt::PointingHandCursor);
    m_browse->setStyleSheet("QPushButton { color: white; border: none; text-decoration: underline; "
                            "text-align: left; padding: 0px 2px; }"
                            "QPushButton:hover { color: #84D1FB; }"
                            "QPushButton:focus { color: #D6F0FE; }");
    m_browse->setGeometry(478, 24, 80, 22);
    connect(m_browse, &QPushButton::clicked, this, &TDialogFoodDataImport::browse);

    auto* reportLabel = new QLabel("What the folder holds, and what the import did:", area);
    reportLabel->setObjectName("LabelReport");
    reportLabel->setGeometry(10, 54, 540, 16);
    m_report = new QPlainTextEdit(area);
    m_report->setObjectName("MemoReport");
    m_report->setReadOnly(true);
    m_report->setGeometry(10, 72, 548, 210);
    reportLabel->setBuddy(m_report);

    m_step = new QLabel(area);
    m_step->setObjectName("LabelStep");
    m_step->setTextFormat(Qt::PlainText);
    m_step->setGeometry(10, 290, 420, 18);
    m_progress = new QProgressBar(area);
    m_progress->setObjectName("ProgressImport");
    m_progress->setRange(0, 100);
    m_progress->setGeometry(10, 310, 420, 20);
    placeOkCancel(QPoint(454, 300), QPoint(506, 300));
    btnOk()->setToolTip("Import");

    setTabOrder(m_folder, m_browse);
    setTabOrder(m_browse, m_report);
    reset();
}

TDialogFoodDataImport::~TDialogFoodDataImport()
{
    // A dialog closed with the program stops its worker first.
    m_cancel = true;
    if (m_worker)
        m_worker->wait();
}

void TDialogFoodDataImport::reset()
{
    m_imported = false;
    m_counted.clear();
    m_folder->clear();
    m_report->setPlainText(
        "Choose the folder of a FoodData Central release, as the USDA's CSV download unpacks "
        "(food.csv, nutrient.csv, food_nutrient.csv and the files of its data types). SR Legacy "
        "first, then Foundation, then Branded.\n\nFoods you made or changed, recipes, logs and "
        "goals stay as they are.");
    m_step->clear();
    m_progress->setValue(0);
    setState(State::Choosing);
}

void TDialogFoodDataImport::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    m_folder->setFocus();
}

void TDialogFoodDataImport::setState(State state)
{
    m_state = state;
    const bool idle = state == State::Choosing || state == State::Ready;
    m_folder->setReadOnly(!idle);
    m_browse->setEnabled(idle);
    btnOk()->setEnabled(state == State::Ready || state == State::Done || state == State::Choosing);
    m_progress->setVisible(state == State::Importing || state == State::Done);
}

void TDialogFoodDataImport::browse()
{
    if (!m_service.chooseFolder)
        return;
    const QString folder = m_service.chooseFolder(Title, m_folder->text());
    if (!folder.isEmpty())
        chooseFolder(folder);
}

void TDialogFoodDataImport::chooseFolder(const QString& folder)
{
    if (m_state != State::Choosing && m_state != State::Ready)
        return;
    m_folder->setText(QDir::toNativeSeparators(folder));
    m_counted.clear();
    if (!m_service.preview) {
        setState(State::Choosing);
        return;
    }
    m_report->setPlainText("Counting the records of food.csv...");
    setState(State::Counting);
    auto counts = std::make_shared<QMap<QString, qint64>>();
    auto error = std::make_shared<QString>();
    auto ok = std::make_shared<bool>(false);
    const QString path = QDir::fromNativeSeparators(folder);
    runWorker([this, path, counts, error,
               ok] { *ok = m_service.preview(path, counts.get(), error.get()); },
              [this, path, counts, error, ok] {
                  if (*ok)
                      m_counted = path;
                  showCounts(*ok, *counts, *error);
              });
}

void TDialogFoodDataImport::showCounts(bool ok, const QMap<QString, qint64>& counts,
                                       const QString& error)
{
    if (!ok) {
        m_report->setPlainText("This folder cannot be imported:\n" + error);
        setState(State::Choosing);
        return;
    }
    const QLocale locale;
    QStringList lines{"Records in food.csv by data type:"};
    qint64 imported = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const bool taken = m_service.importedTypes.contains(it.key());
        if (taken)
            imported += it.value();
        lines << QStringLiteral("    %1: %2 (%3)")
                     .arg(it.key(), locale.toString(it.value()),
                          taken ? QStringLiteral("imported") : QStringLiteral("skipped"));
    }
    if (imported == 0) {
        lines << QString() << "None of them is of a data type the import takes.";
        m_report->setPlainText(lines.join('\n'));
        setState(State::Choosing);
        return;
    }
    lines << QString()
          << QStringLiteral("Press OK to import %1 records. It may take minutes for a large "
                            "release; Cancel stops it and leaves the database as it was.")
                 .arg(locale.toString(imported));
    m_report->setPlainText(lines.join('\n'));
    setState(State::Ready);
}

void TDialogFoodDataImport::btnOkClick()
{
    switch (m_state) {
    case State::Choosing:
    case State::Ready: {
        const QString typed = QDir::fromNativeSeparators(m_folder->text().trimmed());
        if (typed.isEmpty()) {
            browse();
        } else if (typed != m_counted) {
            chooseFolder(typed);
        } else {
            startImport();
        }
        break;
    }
    case State::Done:
        confirmDialog();
        break;
    case State::Counting:
    case State::Importing:
        break;
    }
}

void TDialogFoodDataImport::closeEvent(QCloseEvent* event)
{
    // Cancel, the exit button and Escape close the dialog only when no work runs: an import is
    // asked to stop, and the dialog stays until it has (with nothing changed).
    if (m_state == State::Importing || m_state == State::Counting) {
        if (m_state == State::Importing) {
            m_cancel = true;
            m_step->setText("Cancelling...");
        }
        event->ignore();
        return;
    }
    TFormTemplateDialog::closeEvent(event);
}

bool TDialogFoodDataImport::canClose()
{
    return m_state != State::Counting && m_state != State::Importing;
}

void TDialogFoodDataImport::startImport()
{
    if (!m_service.run)
        return;
    m_cancel = false;
    m_report->appendPlainText(QStringLiteral("\nImporting..."));
    m_step->setText("Starting");
    m_progress->setValue(0);
    setState(State::Importing);
    auto report = std::make_shared<QStringList>();
    auto error = std::make_shared<QString>();
    auto ok = std::make_shared<bool>(false);
    const QString folder = m_counted;
    runWorker(
        [this, folder, report, error, ok] {
            const auto progress = [this](const QString& step, int percent) {
                QMetaObject::invokeMethod(
                    this,
                    [this, step, percent] {
                        if (m_state != State::Importing || m_cancel)
                            return;
                        m_step->setText(step);
                        m_progress->setValue(percent);
                    },
                    Qt::QueuedConnection);
            };
            *ok = m_service.run(
                folder, progress, [this] { return m_cancel.load(); }, report.get(), error.get());
        },
        [this, report, error, ok] { finishImport(*ok, *report, *error); });
}

void TDialogFoodDataImport::finishImport(bool ok, const QStringList& report, const QString& error)
{
    m_imported = m_imported || ok;
    m_step->setText(ok ? "Done" : "Nothing was imported");
    m_progress->setValue(ok ? 100 : 0);
    if (ok)
        m_report->setPlainText("The import is done.\n\n" + report.join('\n'));
    else
        m_report->setPlainText("Nothing was imported; the database is as it was.\n\n" + error);
    setState(State::Done);
    btnOk()->setFocus();
}

void TDialogFoodDataImport::runWorker(std::function<void()> work, std::function<void()> done)
{
    m_worker = QThread::create(std::move(work));
    connect(m_worker, &QThread::finished, this, [this, done = std::move(done)] {
        m_worker->deleteLater();
        m_worker = nullptr;
        done();
        emit workFinished();
    });
    m_worker->start();
}
