#include "tools/MakedataCommand.h"

#include "store/DataFolderLock.h"
#include "tools/DatabaseBuilder.h"
#include "tools/DatabaseCheck.h"
#include "tools/DatabaseUpgrade.h"
#include "tools/FdcImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

QString MakedataCommand::usage()
{
    return QStringLiteral(
        "Usage: kelora-makedata [--usda DIR] [--fdc DIR]... [--force] PROGRAM_DIR\n"
        "       kelora-makedata --check PROGRAM_DIR\n"
        "       kelora-makedata --upgrade PROGRAM_DIR\n"
        "\n"
        "Creates PROGRAM_DIR/Data/kelora.db with every table of Kelora and the lists of\n"
        "genders and measurement systems.\n"
        "\n"
        "Options:\n"
        "  --usda DIR   load the food composition data from the USDA SR ASCII files in DIR\n"
        "               (FD_GROUP.txt, FOOD_DES.txt, NUTR_DEF.txt, NUT_DATA.txt, WEIGHT.txt;\n"
        "               any of them may be gzipped as NAME.txt.gz). Without it the food\n"
        "               tables stay empty.\n"
        "  --fdc DIR    import a USDA FoodData Central CSV release folder (food.csv,\n"
        "               nutrient.csv, food_nutrient.csv and the files its data types\n"
        "               need). May be given more than once: SR Legacy before Foundation\n"
        "               before Branded. Into a new database after --usda; into an\n"
        "               existing one (without --force) in one transaction that keeps\n"
        "               the user's own foods, recipes and logs as they are.\n"
        "  --force      replace an existing database (refused while Kelora runs on it)\n"
        "  --check      check PROGRAM_DIR/Data/kelora.db instead, with Kelora's own SQL\n"
        "               functions and name collation: layout version, table structure,\n"
        "               name collation and SQLite's integrity check. Changes nothing.\n"
        "               Exits with 0 when it is sound, 3 when it has an older layout\n"
        "               (see --upgrade), 1 otherwise.\n"
        "  --upgrade    bring PROGRAM_DIR/Data/kelora.db from an older layout up to\n"
        "               date, keeping every row: adds the tables and indexes it lacks,\n"
        "               rebuilds the name indexes and sets the layout version, in one\n"
        "               transaction, after keeping a copy of the old file beside it\n"
        "               (kelora.db.layoutN.bak). Refused while Kelora runs on it, for\n"
        "               a damaged file or a table whose fields differ, and for a newer\n"
        "               layout; a database already up to date is left untouched.\n"
        "  -h, --help   show this text\n");
}

int MakedataCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err,
                         bool interactive)
{
    DatabaseBuilder::Options options;
    bool check = false;
    bool upgrade = false;
    QStringList positional;
    bool optionsEnded = false;
    const auto usageError = [&](const QString& message) {
        err << "kelora-makedata: " << message << "\nTry 'kelora-makedata --help'.\n";
        err.flush();
        return UsageError;
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            positional << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out << usage();
            out.flush();
            return Success;
        } else if (arg == QLatin1String("--force")) {
            options.force = true;
        } else if (arg == QLatin1String("--check")) {
            check = true;
        } else if (arg == QLatin1String("--upgrade")) {
            upgrade = true;
        } else if (arg == QLatin1String("--fdc")) {
            if (i + 1 >= arguments.size())
                return usageError(QStringLiteral("--fdc needs a folder"));
            options.fdcDirs << arguments.at(++i);
        } else if (arg.startsWith(QLatin1String("--fdc="))) {
            options.fdcDirs << arg.mid(6);
            if (options.fdcDirs.last().isEmpty())
                return usageError(QStringLiteral("--fdc needs a folder"));
        } else if (arg == QLatin1String("--usda")) {
            if (i + 1 >= arguments.size())
                return usageError(QStringLiteral("--usda needs a folder"));
            options.usdaDir = arguments.at(++i);
        } else if (arg.startsWith(QLatin1String("--usda="))) {
            options.usdaDir = arg.mid(7);
            if (options.usdaDir.isEmpty())
                return usageError(QStringLiteral("--usda needs a folder"));
        } else {
            return usageError(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (positional.isEmpty())
        return usageError(QStringLiteral("no program directory given"));
    if (positional.size() > 1)
        return usageError(QStringLiteral("only one program directory may be given"));
    const bool foodData = !options.usdaDir.isEmpty() || !options.fdcDirs.isEmpty();
    if (check && (upgrade || options.force || foodData))
        return usageError(QStringLiteral("--check takes no other option"));
    if (upgrade && (options.force || foodData))
        return usageError(QStringLiteral("--upgrade takes no other option"));

    if (check) {
        QString error;
        const DatabaseCheck::Verdict verdict = DatabaseCheck::run(positional.first(), out, &error);
        if (!error.isEmpty()) {
            err << "kelora-makedata: " << error << '\n';
            err.flush();
        }
        switch (verdict) {
        case DatabaseCheck::Verdict::Sound:
            return Success;
        case DatabaseCheck::Verdict::OlderLayout:
            return OlderLayout;
        case DatabaseCheck::Verdict::Faulty:
            break;
        }
        return Failure;
    }
    if (upgrade) {
        QString error;
        const DatabaseUpgrade::Result result =
            DatabaseUpgrade::run(positional.first(), out, &error);
        if (result == DatabaseUpgrade::Result::Refused) {
            out.flush();
            err << "kelora-makedata: " << error << ".\n";
            err.flush();
            return Failure;
        }
        return Success;
    }

    const QString programDir = positional.first();
    const QString target = QDir::toNativeSeparators(
        QDir(QFileInfo(programDir).absoluteFilePath()).filePath(QStringLiteral("Data/kelora.db")));
    const bool intoExisting = QFileInfo::exists(target) && !options.force;
    if (intoExisting && !options.fdcDirs.isEmpty() && !options.usdaDir.isEmpty())
        return usageError(QStringLiteral("--usda builds a new database; give --force to replace "
                                         "%1, or leave out --usda to import into it")
                              .arg(target));
    if (intoExisting && options.fdcDirs.isEmpty()) {
        err << "kelora-makedata: " << target
            << " already exists; it was left unchanged. Use --force to replace it.\n";
        err.flush();
        return Failure;
    }

    // On a terminal one line per step is rewritten in place; in a log every quarter is a line.
    QString lastStep;
    int lastPercent = -1;
    options.progress = [&](const QString& step, int percent) {
        if (interactive) {
            if (step != lastStep && !lastStep.isEmpty())
                out << '\n';
            out << '\r' << qSetFieldWidth(20) << Qt::left << step << qSetFieldWidth(0) << ' '
                << qSetFieldWidth(3) << Qt::right << percent << qSetFieldWidth(0) << '%';
            out.flush();
        } else if (step != lastStep || percent / 25 != lastPercent / 25) {
            out << step << ' ' << percent << "%\n";
            out.flush();
        }
        lastStep = step;
        lastPercent = percent;
    };

    const auto endProgress = [&] {
        if (interactive && !lastStep.isEmpty())
            out << '\n';
        lastStep.clear();
    };
    QElapsedTimer timer;
    timer.start();
    QString error;
    QStringList report;
    options.fdcReport = &report;

    if (intoExisting) {
        // Nobody else may write the database while the import runs.
        const QString dataDir = QFileInfo(target).absolutePath();
        DataFolderLock lock(dataDir);
        if (lock.tryLock() == DataFolderLock::Result::InUse) {
            err << "kelora-makedata: " << DatabaseBuilder::folderInUseMessage(dataDir)
                << "; the database was left unchanged.\n";
            err.flush();
            return Failure;
        }
        out << "Importing into " << target << '\n';
        out.flush();
        const bool ok =
            FdcImport::intoDatabase(target, options.fdcDirs, options.progress, {}, &report, &error);
        endProgress();
        if (!ok) {
            out.flush();
            err << "kelora-makedata: " << error << '\n';
            err << "kelora-makedata: the database was left unchanged.\n";
            err.flush();
            return Failure;
        }
        for (const QString& line : std::as_const(report))
            out << line << '\n';
        out << "Imported into " << target << " in "
            << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s\n";
        out.flush();
        return Success;
    }

    QStringList sources;
    if (!options.usdaDir.isEmpty())
        sources << QDir::toNativeSeparators(options.usdaDir);
    for (const QString& dir : std::as_const(options.fdcDirs))
        sources << QDir::toNativeSeparators(dir);
    out << "Building " << target
        << (sources.isEmpty() ? QStringLiteral(" without food data")
                              : QStringLiteral(" from %1").arg(sources.join(QStringLiteral(", "))))
        << '\n';
    out.flush();

    const bool ok = DatabaseBuilder::build(programDir, options, &error);
    endProgress();
    if (!ok) {
        out.flush();
        err << "kelora-makedata: " << error << '\n';
        err << "kelora-makedata: no database was created.\n";
        err.flush();
        return Failure;
    }
    for (const QString& line : std::as_const(report))
        out << line << '\n';
    out << "Created " << target << " in " << QString::number(timer.elapsed() / 1000.0, 'f', 1)
        << " s\n";
    out.flush();
    return Success;
}
