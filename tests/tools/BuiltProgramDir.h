#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A temporary program directory that the database builder lays out, with plain SQL access to
// the result; and helpers that make damaged copies of an SR fixture folder.
class BuiltProgramDir
{
public:
    // Builds at once; usdaDir empty leaves the food tables empty.
    explicit BuiltProgramDir(const QString& usdaDir = QString(), bool build = true);

    bool build(const QString& usdaDir, bool force, QString* error) const;
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString dataDir() const { return m_dir.path() + "/Data"; }
    QString databasePath() const { return dataDir() + "/kelora.db"; }

    QVariant scalar(const QString& sql) const;
    QList<QVariantList> rows(const QString& sql) const;
    bool exec(const QString& sql) const;

    // A fixture folder of tests/data.
    static QString fixture(const QString& name);
    // Copies the files of folder from into to.
    static bool copyFolder(const QString& from, const QString& to);
    // Replaces line lineNumber (from 1) of a CRLF file with the given bytes.
    static bool replaceLine(const QString& file, int lineNumber, const QByteArray& line);
    // Writes path + ".gz" and removes path.
    static bool gzip(const QString& path);

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};
