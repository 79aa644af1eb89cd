#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodDataImport.h"
#include "foods/FoodsPage.h"
#include "foods/FoodsSubject.h"
#include "store/Database.h"
#include "support/FoodsPageProbe.h"
#include "support/ModalDialogDriver.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/WidgetInput.h"
#include "tools/FdcImport.h"
#include "tools/FdcImporter.h"
#include "widgets/FormImageContainer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace WidgetInput;

namespace {

const QString Release = QStringLiteral(KELORA_TEST_DATA_DIR) + "/fdc-release";

class FoodDataImportDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        subject.setFoodDataImport(service());
        page()->resize(1000, 700);
        page()->show();
        page()->FormShow();
    }

    TFoodsPage* page() const { return subject.page(); }

    // The import start-up gives the page, writing this test's database.
    FoodDataImport service() const
    {
        FoodDataImport s;
        s.chooseFolder = [](const QString&, const QString&) { return QString(); };
        s.preview = [](const QString& folder, QMap<QString, qint64>* counts, QString* error) {
            const QStringList missing = FdcImporter::missingFiles(folder);
            if (!missing.isEmpty()) {
                *error = "The folder lacks " + missing.join(", ") + ".";
                return false;
            }
            return FdcImporter::countRecords(folder, counts, error);
        };
        s.importedTypes = FdcImporter::importedTypes();
        s.run = [path = dir.databasePath()](const QString& folder,
                                            const FoodDataImport::Progress& progress,
                                            const FoodDataImport::Cancelled& cancelled,
                                            QStringList* report, QString* error) {
            return FdcImport::intoDatabase(path, {folder}, progress, cancelled, report, error);
        };
        return s;
    }

    // Clicks the page's import button, as a user does.
    void clickImport() { PictureButtons::click(page(), "BtnImportFoodData"); }

    static TDialogFoodDataImport* importDialog(QWidget* dialog)
    {
        auto* d = qobject_cast<TDialogFoodDataImport*>(dialog);
        EXPECT_NE(d, nullptr);
        return d;
    }

    static bool waitFor(TDialogFoodDataImport* d, TDialogFoodDataImport::State state)
    {
        return QTest::qWaitFor([&] { return d->state() == state; }, 20000);
    }

    TempProgramDir dir{"sr-small"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TFormImageContainer images;
    TFoodsSubject subject{foods, images, prompter, nullptr};
    ModalDialogDriver driver;
};

} // namespace

TEST_F(FoodDataImportDialog, TypedFolderIsCountedThenImportedAndThePageListsTheNewFoods)
{
    QString preview, report;
    driver.whenShown([&](QWidget* dialog) {
        TDialogFoodDataImport* d = importDialog(dialog);
        ASSERT_NE(d, nullptr);
        // The folder typed and Enter: its records are counted, by data type.
        QTest::keyClicks(d->editFolder(), Release);
        QTest::keyClick(d->editFolder(), Qt::Key_Return);
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Ready));
        preview = d->memoReport()->toPlainText();
        // OK imports; the progress bar follows; OK again closes.
        PictureButtons::click(dialog, "BtnOk");
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Done));
        report = d->memoReport()->toPlainText();
        EXPECT_EQ(d->labelStep()->text(), "Done");
        PictureButtons::click(dialog, "BtnOk");
        EXPECT_FALSE(dialog->isVisible());
    });
    clickImport();
    EXPECT_EQ(driver.pending(), 0);

    EXPECT_TRUE(preview.contains("    sr_legacy_food: 2 (imported)\n")) << preview.toStdString();
    EXPECT_TRUE(preview.contains("    sample_food: 1 (skipped)\n")) << preview.toStdString();
    EXPECT_TRUE(preview.contains("Press OK to import 6 records.")) << preview.toStdString();
    EXPECT_TRUE(report.contains("Added 4 foods (2 branded_food, 1 foundation_food, "
                                "1 survey_fndds_food)\nUpdated 2 foods (2 sr_legacy_food)"))
        << report.toStdString();

    // The page reads everything again from "View All Foods": the new foods and groups show.
    EXPECT_EQ(FoodsPageProbe::current(*page()), "View All Foods");
    EXPECT_TRUE(FoodsPageProbe::listed(foods).contains("PEANUT BUTTER, CREAMY (NUTTY FARMS)"));
    EXPECT_TRUE(FoodsPageProbe::entries(*page(), "Food Groups").contains("Branded: Other"));
    EXPECT_TRUE(prompter.entries().isEmpty());
}

TEST_F(FoodDataImportDialog, AFolderThatIsNoReleaseIsRefusedAndCancelGoesBack)
{
    QTemporaryDir empty;
    QString shown;
    driver.whenShown([&](QWidget* dialog) {
        TDialogFoodDataImport* d = importDialog(dialog);
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(d->editFolder(), empty.path());
        QTest::keyClick(d->editFolder(), Qt::Key_Return);
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Choosing));
        shown = d->memoReport()->toPlainText();
        // OK counts the folder again, and refuses it again; it never imports.
        PictureButtons::click(dialog, "BtnOk");
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Choosing));
        QTest::keyClick(d->editFolder(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    });
    const QString before = FoodsPageProbe::current(*page());
    clickImport();
    EXPECT_EQ(shown, "This folder cannot be imported:\nThe folder lacks food.csv, nutrient.csv, "
                     "food_nutrient.csv.");
    // The page shows what it showed; nothing was imported.
    EXPECT_EQ(FoodsPageProbe::current(*page()), before);
    EXPECT_EQ(dir.scalar("SELECT count(*) FROM \"FDC_FOOD.DB\"").toInt(), 0);
}

TEST_F(FoodDataImportDialog, EscapeWhileImportingCancelsAndNothingChanges)
{
    // An import that runs until it is cancelled, then fails as the real one does.
    std::atomic<bool> started{false};
    FoodDataImport slow = service();
    slow.run = [&started](const QString&, const FoodDataImport::Progress& progress,
                          const FoodDataImport::Cancelled& cancelled, QStringList*,
                          QString* error) {
        progress("food.csv", 40);
        started = true;
        while (!cancelled())
            QThread::msleep(5);
        *error = "The import was cancelled; nothing was changed";
        return false;
    };
    subject.setFoodDataImport(slow);
    QString report;
    driver.whenShown([&](QWidget* dialog) {
        TDialogFoodDataImport* d = importDialog(dialog);
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(d->editFolder(), Release);
        QTest::keyClick(d->editFolder(), Qt::Key_Return);
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Ready));
        QTest::keyClick(d->editFolder(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return d->progressBar()->value() == 40; }, 5000));
        EXPECT_EQ(d->labelStep()->text(), "food.csv");
        // Escape asks the import to stop; the dialog stays until it has.
        QTest::keyClick(d->editFolder(), Qt::Key_Escape);
        ASSERT_TRUE(waitFor(d, TDialogFoodDataImport::State::Done));
        EXPECT_TRUE(dialog->isVisible());
        report = d->memoReport()->toPlainText();
        QTest::keyClick(d->editFolder(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
    });
    clickImport();
    EXPECT_EQ(report, "Nothing was imported; the database is as it was.\n\nThe import was "
                      "cancelled; nothing was changed");
}
