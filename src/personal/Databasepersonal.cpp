#include "personal/Databasepersonal.h"

#include "store/Database.h"

TDataModulePersonal::TDataModulePersonal(QObject* parent) : QObject(parent)
{
    setObjectName("DataModulePersonal");
}

bool TDataModulePersonal::DataModuleCreate(const QString& programDir)
{
    // A database that could not be opened was reported by the food module already.
    QString error;
    m_open = Database::define(programDir, &error);
    return m_open;
}
