#pragma once

#include "foods/FoodDataImport.h"
#include "widgets/FormTemplateDialog.h"

#include <QMap>
#include <atomic>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QThread;

// "Import USDA Food Data": the user picks a FoodData Central release folder, sees what its
// food.csv holds (records per data type, and which are imported), then imports it with OK. The
// counting and the import run on a worker thread: the progress bar shows each step, Cancel (or
// Escape) stops the import and nothing changes. At the end the report says what was added,
// updated and skipped, and OK closes the dialog.
class TDialogFoodDataImport : public TFormTemplateDialog
{
    Q_OBJECT

public:
    enum class State { Choosing, Counting, Ready, Importing, Done };

    TDialogFoodDataImport(const FoodDataImport& service, const TFormImageContainer& images,
                          QWidget* owner = nullptr);
    ~TDialogFoodDataImport() override;

    // Empties the dialog for a new import.
    void reset();
    // The folder as if chosen: its records are counted.
    void chooseFolder(const QString& folder);
    // True after an import that changed the database.
    bool imported() const { return m_imported; }
    State state() const { return m_state; }

    // OK: imports when the folder is counted; closes when the import is done.
    void btnOkClick() override;

    QLineEdit* editFolder() const { return m_folder; }
    QPushButton* btnBrowse() const { return m_browse; }
    QPlainTextEdit* memoReport() const { return m_report; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* labelStep() const { return m_step; }

signals:
    // The worker finished (counting or importing).
    void workFinished();

protected:
    void showEvent(QShowEvent* event) override;
    bool canClose() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void browse();
    void showCounts(bool ok, const QMap<QString, qint64>& counts, const QString& error);
    void startImport();
    void finishImport(bool ok, const QStringList& report, const QString& error);
    void setState(State state);
    // Runs work on a worker thread; then done on this thread.
    void runWorker(std::function<void()> work, std::function<void()> done);

    FoodDataImport m_service;
    State m_state = State::Choosing;
    bool m_imported = false;
    std::atomic<bool> m_cancel{false};
    QThread* m_worker = nullptr;
    QString m_counted; // the folder whose records were counted
    QLineEdit* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_step = nullptr;
};
