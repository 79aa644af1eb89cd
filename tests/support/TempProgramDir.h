#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program directory with a fresh Data/kelora.db (every table, lookup rows, and the
// food data of a small SR-format fixture when one is named). The database name is dropped when
// the directory goes away, so every test starts unconnected.
class TempProgramDir
{
public:
    // usdaFixture: a folder under tests/data holding SR-format files, or empty for empty food
    // tables.
    explicit TempProgramDir(const QString& usdaFixture = QString());
    ~TempProgramDir();

    bool isValid() const { return m_ok; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString databasePath() const;

    // Runs SQL directly on the database file through a private connection (fixtures, checks).
    bool exec(const QString& sql) const;
    QVariant scalar(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};
