#pragma once

#include <QObject>
#include <QString>

// The personal data module (people, weight history, goals and intake). For now it only joins the
// program's database, reusing the name the food module defined; its tables come with the
// personal pages.
class TDataModulePersonal : public QObject
{
    Q_OBJECT

public:
    explicit TDataModulePersonal(QObject* parent = nullptr);

    bool DataModuleCreate(const QString& programDir);
    bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};
