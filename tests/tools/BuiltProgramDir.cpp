#include "BuiltProgramDir.h"

#include "tools/DatabaseBuilder.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <zlib.h>

namespace {
template <typename F> void withConnection(const QString& path, F f)
{
    const QString name = "kl_makedata_" + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        if (db.open())
            f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

BuiltProgramDir::BuiltProgramDir(const QString& usdaDir, bool buildNow)
{
    if (buildNow)
        m_ok = build(usdaDir, false, &m_error);
}

bool BuiltProgramDir::build(const QString& usdaDir, bool force, QString* error) const
{
    DatabaseBuilder::Options options;
    options.usdaDir = usdaDir;
    options.force = force;
    return DatabaseBuilder::build(m_dir.path(), options, error);
}

QVariant BuiltProgramDir::scalar(const QString& sql) const
{
    const QList<QVariantList> all = rows(sql);
    return all.isEmpty() || all.first().isEmpty() ? QVariant() : all.first().first();
}

QList<QVariantList> BuiltProgramDir::rows(const QString& sql) const
{
    QList<QVariantList> out;
    withConnection(databasePath(), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(sql))
            return;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            out << row;
        }
    });
    return out;
}

bool BuiltProgramDir::exec(const QString& sql) const
{
    bool ok = false;
    const QString name = "kl_makedata_" + QUuid::createUuid().toString(QUuid::Id128);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(databasePath());
        ok = db.open() && QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QString BuiltProgramDir::fixture(const QString& name)
{
    return QStringLiteral(KELORA_TEST_DATA_DIR) + "/" + name;
}

bool BuiltProgramDir::copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString& f : QDir(from).entryList(QDir::Files))
        if (!QFile::copy(from + "/" + f, to + "/" + f))
            return false;
    return true;
}

bool BuiltProgramDir::replaceLine(const QString& file, int lineNumber, const QByteArray& line)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    if (lineNumber < 1 || lineNumber > lines.size())
        return false;
    lines[lineNumber - 1] = line + "\r";
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(lines.join('\n')) >= 0;
}

bool BuiltProgramDir::gzip(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    in.close();
    gzFile out = gzopen(QFile::encodeName(path + ".gz").constData(), "wb");
    if (!out)
        return false;
    const bool written = gzwrite(out, data.constData(), unsigned(data.size())) == data.size();
    return gzclose(out) == Z_OK && written && QFile::remove(path);
}
