#include "BenchSupport.h"

#include "store/Database.h"
#include "tools/DatabaseBuilder.h"
#include "tools/FdcImport.h"
#include "tools/SqliteConnection.h"
#include "tools/UsdaImporter.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

void BenchSupport::message(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool BenchSupport::question(const QString&, const QString&, Icon, Preset)
{
    return false;
}

void BenchSupport::error(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

QString BenchSupport::openFileName(const QString&, const QString&, const QString&)
{
    return {};
}

QString BenchSupport::saveFileName(const QString&, const QString&, const QString&)
{
    return {};
}

bool BenchSupport::open(const QString&)
{
    return true;
}

QDate BenchSupport::today() const
{
    return QDate::currentDate();
}

QString BenchSupport::findUsdaDir()
{
    QStringList candidates;
    if (!qEnvironmentVariableIsEmpty("KELORA_USDA_DIR"))
        candidates << qEnvironmentVariable("KELORA_USDA_DIR");
    candidates << QStringLiteral(KELORA_SOURCE_DIR "/resources/usda-sr28");
    for (const QString& dir : candidates)
        if (UsdaImporter::missingFiles(dir).isEmpty())
            return QDir(dir).absolutePath();
    return QString();
}

int BenchSupport::scale()
{
    bool number = false;
    const int n = qEnvironmentVariableIntValue("KELORA_BENCH_SCALE", &number);
    return number && n > 1 ? n : 1;
}

namespace {

// Multiplies the SR28 foods of the database in programDir to scale times as many (see
// buildUsdaDatabase), in one transaction; false after the error went to stderr.
bool multiplyFoods(const QString& programDir, int scale, const char* benchmark)
{
    SqliteConnection db;
    QString error;
    const QString copies = QStringLiteral(
        "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < %1) ");
    const QStringList statements = {
        "PRAGMA journal_mode=OFF",
        "PRAGMA synchronous=OFF",
        "PRAGMA cache_size=-262144",
        "BEGIN",
        copies.arg(scale - 1) +
            "INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") SELECT f.NDB_No + "
            "k.i * 100000, f.FdGrp_Cd, f.\"Desc\" || ', lot ' || k.i FROM k, "
            "(SELECT * FROM \"FOOD_DES.DB\" WHERE NDB_No < 100000) AS f",
        copies.arg(scale - 1) +
            "INSERT INTO \"NUT_DATA.DB\" (NDB_No, Nutr_No, Nutr_Val) SELECT n.NDB_No + "
            "k.i * 100000, n.Nutr_No, n.Nutr_Val FROM k, (SELECT * FROM \"NUT_DATA.DB\" WHERE "
            "NDB_No < 100000) AS n",
        copies.arg(scale - 1) +
            "INSERT INTO \"WEIGHT.DB\" (NDB_No, Amount, Msre_Desc, Gm_Wgt) SELECT w.NDB_No + "
            "k.i * 100000, w.Amount, w.Msre_Desc, w.Gm_Wgt FROM k, (SELECT * FROM \"WEIGHT.DB\" "
            "WHERE NDB_No < 100000) AS w",
        "COMMIT",
        "ANALYZE",
        "PRAGMA journal_mode=WAL",
    };
    if (!db.openExisting(Database::databasePath(programDir), &error) ||
        !Database::installFunctions(db.handle(), &error)) {
        std::fprintf(stderr, "%s: %s\n", benchmark, qPrintable(error));
        return false;
    }
    for (const QString& sql : statements)
        if (!db.exec(sql, &error)) {
            std::fprintf(stderr, "%s: %s\n%s\n", benchmark, qPrintable(error), qPrintable(sql));
            return false;
        }
    return true;
}

} // namespace

std::optional<int> BenchSupport::buildUsdaDatabase(const QString& programDir, const char* benchmark)
{
    const QString usdaDir = findUsdaDir();
    if (usdaDir.isEmpty()) {
        std::printf("%s: no USDA SR data found (set KELORA_USDA_DIR); skipped.\n", benchmark);
        return 0;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror(benchmark);
        return 1;
    }
    if (child == 0) {
        DatabaseBuilder::Options options;
        options.usdaDir = usdaDir;
        QString error;
        bool built = DatabaseBuilder::build(programDir, options, &error);
        if (!built)
            std::fprintf(stderr, "%s: %s\n", benchmark, qPrintable(error));
        else if (scale() > 1)
            built = multiplyFoods(programDir, scale(), benchmark);
        // A FoodData Central release imported on top, as a user would.
        const QString release = qEnvironmentVariable("KELORA_BENCH_FDC_IMPORT");
        if (built && !release.isEmpty()) {
            built = FdcImport::intoDatabase(Database::databasePath(programDir), {release}, {}, {},
                                            nullptr, &error);
            if (!built)
                std::fprintf(stderr, "%s: %s\n", benchmark, qPrintable(error));
        }
        std::fflush(nullptr);
        ::_exit(built ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    return std::nullopt;
}
