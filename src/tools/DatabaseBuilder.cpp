#include "tools/DatabaseBuilder.h"

#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "tools/FdcImport.h"
#include "tools/FdcImporter.h"
#include "tools/LookupRows.h"
#include "tools/SqliteConnection.h"
#include "tools/SqliteStatement.h"
#include "tools/UsdaImporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
const QString DataFolder = QStringLiteral("Data");
const QString DatabaseFile = QStringLiteral("kelora.db");
const QStringList SideFiles = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                               QStringLiteral("-shm")};

// Flushes a file or folder to the disk, so the database is complete before its name is
// published by the rename.
void syncToDisk(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

void removeWithSideFiles(const QString& path)
{
    QFile::remove(path);
    for (const QString& suffix : SideFiles)
        QFile::remove(path + suffix);
}

// The temporary files of a build that was killed before it could clean up.
void removeLeftovers(const QString& dataDir)
{
    const QDir dir(dataDir);
    for (const QString& name :
         dir.entryList({DatabaseFile + QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden))
        removeWithSideFiles(dir.filePath(name));
}

// Creates the tables and fills them inside one transaction. The file is a fresh temporary one
// that nobody else sees, so the journal and disk syncs are off while it is filled; a failure
// simply throws the file away.
bool fill(const QString& path, const DatabaseBuilder::Options& options, QString* error)
{
    const auto progress = [&](const QString& step, int percent) {
        if (options.progress)
            options.progress(step, percent);
    };

    SqliteConnection db;
    if (!db.open(path, error) || !Database::installFunctions(db.handle(), error))
        return false;
    if (!db.exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
                                "PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY; BEGIN"),
                 error))
        return false;

    progress(QStringLiteral("Creating tables"), 0);
    for (const QString& statement : Schema::createStatements()) {
        if (!db.exec(statement, error)) {
            *error = QStringLiteral("Cannot create the tables: %1").arg(*error);
            return false;
        }
    }
    if (!LookupRows::insert(db, error)) {
        *error = QStringLiteral("Cannot store the lookup rows: %1").arg(*error);
        return false;
    }
    progress(QStringLiteral("Creating tables"), 100);

    if (!options.usdaDir.isEmpty()) {
        UsdaImporter importer(db, progress);
        if (!importer.run(options.usdaDir, error))
            return false;
    }
    if (!options.fdcDirs.isEmpty() &&
        !FdcImport::importFolders(db, options.fdcDirs, progress, {}, options.fdcReport, error))
        return false;

    progress(QStringLiteral("Finishing"), 0);
    for (const QString& statement : Schema::orderingIndexStatements()) {
        if (!db.exec(statement, error)) {
            *error = QStringLiteral("Cannot index the food names: %1").arg(*error);
            return false;
        }
    }
    // The word index of the names: the table, filled once, then the triggers that keep it.
    const QList<Schema::StoredIndex> nameIndex = Schema::nameIndexObjects();
    QStringList wordIndex{nameIndex.first().statement, Schema::nameIndexRebuildStatement()};
    for (const Schema::StoredIndex& trigger : nameIndex.mid(1))
        wordIndex << trigger.statement;
    for (const QString& statement : std::as_const(wordIndex)) {
        if (!db.exec(statement, error)) {
            *error = QStringLiteral("Cannot index the words of the food names: %1").arg(*error);
            return false;
        }
    }
    // From here on, a food written, changed or deleted is the user's.
    for (const Schema::StoredIndex& trigger : Schema::userFoodTriggers()) {
        if (!db.exec(trigger.statement, error)) {
            *error = QStringLiteral("Cannot mark the user's foods: %1").arg(*error);
            return false;
        }
    }
    // The ordering indexes were built with this version of the name collation.
    SqliteStatement collation(db, QStringLiteral(R"(INSERT INTO "KL_Info.DB" ("Item", "Value"))"
                                                 R"( VALUES ('Collation', ?))"));
    const QByteArray version = Database::collationVersion().toUtf8();
    if (collation.isValid())
        collation.bindText(1, std::string_view(version.constData(), size_t(version.size())));
    if (!collation.isValid() || !collation.run()) {
        *error = QStringLiteral("Cannot record the collation: %1").arg(collation.error());
        return false;
    }
    if (!db.exec(QStringLiteral("COMMIT"), error) ||
        !db.exec(QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion), error) ||
        !db.exec(QStringLiteral("PRAGMA journal_mode=WAL"), error)) {
        *error = QStringLiteral("Cannot complete the database: %1").arg(*error);
        return false;
    }
    db.close();
    syncToDisk(path);
    progress(QStringLiteral("Finishing"), 100);
    return true;
}
} // namespace

QString DatabaseBuilder::folderInUseMessage(const QString& dataDir)
{
    return QStringLiteral("The folder %1 is in use by a running Kelora or another "
                          "kelora-makedata; close it and try again")
        .arg(QDir::toNativeSeparators(dataDir));
}

bool DatabaseBuilder::build(const QString& programDir, const Options& options, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    error->clear();

    if (programDir.isEmpty()) {
        *error = QStringLiteral("No program directory given");
        return false;
    }
    const QDir program(QFileInfo(programDir).absoluteFilePath());
    const QString dataDir = program.filePath(DataFolder);
    const QString target = QDir(dataDir).filePath(DatabaseFile);
    const QString shownTarget = QDir::toNativeSeparators(target);

    if (QFileInfo::exists(target) && !options.force) {
        *error = QStringLiteral("The database %1 already exists; it was left unchanged")
                     .arg(shownTarget);
        return false;
    }
    if (!options.usdaDir.isEmpty()) {
        const QString shownUsda = QDir::toNativeSeparators(options.usdaDir);
        if (!QFileInfo(options.usdaDir).isDir()) {
            *error = QStringLiteral("The USDA data folder %1 does not exist").arg(shownUsda);
            return false;
        }
        const QStringList missing = UsdaImporter::missingFiles(options.usdaDir);
        if (!missing.isEmpty()) {
            *error = QStringLiteral("The USDA data folder %1 lacks %2")
                         .arg(shownUsda, missing.join(QStringLiteral(", ")));
            return false;
        }
    }

    for (const QString& dir : options.fdcDirs) {
        const QString shownFdc = QDir::toNativeSeparators(dir);
        if (!QFileInfo(dir).isDir()) {
            *error = QStringLiteral("The FoodData Central folder %1 does not exist").arg(shownFdc);
            return false;
        }
        const QStringList missing = FdcImporter::missingFiles(dir);
        if (!missing.isEmpty()) {
            *error = QStringLiteral("The FoodData Central folder %1 lacks %2")
                         .arg(shownFdc, missing.join(QStringLiteral(", ")));
            return false;
        }
    }

    const bool programDirIsNew = !QFileInfo::exists(program.path());
    const bool dataDirIsNew = !QFileInfo::exists(dataDir);
    if (!QDir().mkpath(dataDir) || !QFileInfo(dataDir).isDir()) {
        *error =
            QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(dataDir));
        return false;
    }

    // Folders made by a build that then failed are removed again (only when still empty).
    const auto removeNewFolders = [&] {
        if (dataDirIsNew)
            QDir().rmdir(dataDir);
        if (programDirIsNew)
            QDir().rmdir(program.path());
    };

    // Nobody else may use the folder while the database is built or replaced: not the program,
    // whose later saves would go into the replaced file, nor another build.
    // (A file system without locks is used all the same.)
    DataFolderLock lock(dataDir);
    if (lock.tryLock() == DataFolderLock::Result::InUse) {
        *error = folderInUseMessage(dataDir);
        removeNewFolders();
        return false;
    }
    removeLeftovers(dataDir);

    // The file is created here, not by QTemporaryFile, so it gets the usual permissions of a
    // new file rather than owner-only ones.
    QString building;
    for (int attempt = 0; building.isEmpty(); ++attempt) {
        const QString candidate = QDir(dataDir).filePath(
            QStringLiteral("%1.%2.tmp")
                .arg(DatabaseFile)
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        QFile file(candidate);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            building = candidate;
        } else if (attempt >= 10) {
            *error = QStringLiteral("Cannot create a file in %1: %2")
                         .arg(QDir::toNativeSeparators(dataDir), file.errorString());
            removeNewFolders();
            return false;
        }
    }

    const auto discard = [&] {
        removeWithSideFiles(building);
        removeNewFolders();
    };

    if (!fill(building, options, error)) {
        discard();
        return false;
    }

    // A journal left by the replaced database would be replayed into the new one.
    for (const QString& suffix : SideFiles)
        QFile::remove(target + suffix);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(building).toStdString(),
                            QFile::encodeName(target).toStdString(), ec);
    if (ec) {
        *error = QStringLiteral("Cannot move the new database into place as %1: %2")
                     .arg(shownTarget, QString::fromStdString(ec.message()));
        discard();
        return false;
    }
    syncToDisk(dataDir);
    return true;
}
