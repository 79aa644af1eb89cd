#pragma once

#include <QString>

// Marks a Data folder as in use, by a running program or by a database build: an exclusive
// lock on the folder itself, held while the object lives and released by the system when the
// process ends, however it ends. It needs no file of its own, so a read-only folder can be
// locked too.
class DataFolderLock
{
public:
    enum class Result {
        Locked,   // the lock is ours
        InUse,    // someone else holds it
        NoFolder, // the folder does not exist
        Failed,   // the system refused; *error says why
    };

    explicit DataFolderLock(const QString& folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // Takes the lock without waiting.
    Result tryLock(QString* error = nullptr);
    bool isLocked() const { return m_fd >= 0; }
    void unlock();
    QString folder() const { return m_folder; }

private:
    QString m_folder;
    int m_fd = -1;
};
