#pragma once

#include "store/Clock.h"
#include "store/DesktopOpener.h"
#include "store/FileChooser.h"

#include <QList>
#include <QStringList>

// Test doubles of the file dialogs, the desktop opener and the clock.
class FakeFileChooser : public FileChooser
{
public:
    // Requests are recorded (openRequests, saveRequests) and answered like the plain calls.
    QString openFile(const Request& request) override
    {
        openRequests << request;
        return FileChooser::openFile(request);
    }
    QString saveFile(const Request& request) override
    {
        saveRequests << request;
        return FileChooser::saveFile(request);
    }

    QString openFileName(const QString&, const QString&, const QString&) override
    {
        ++openCalls;
        return nextOpen;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override
    {
        ++saveCalls;
        return nextSave;
    }
    QString nextOpen;
    QString nextSave;
    int openCalls = 0;
    int saveCalls = 0;
    QList<Request> openRequests;
    QList<Request> saveRequests;
};

class FakeDesktopOpener : public DesktopOpener
{
public:
    bool open(const QString& path) override
    {
        opened << path;
        return true;
    }
    QStringList opened;
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDate d = QDate(2026, 12, 10)) : day(d) {}
    QDate today() const override { return day; }
    QDate day;
};
