#include "store/DataFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

DataFolderLock::DataFolderLock(const QString& folder) : m_folder(folder) {}

DataFolderLock::~DataFolderLock()
{
    unlock();
}

DataFolderLock::Result DataFolderLock::tryLock(QString* error)
{
    if (isLocked())
        return Result::Locked;
    if (!QFileInfo(m_folder).isDir())
        return Result::NoFolder;
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("Cannot open the folder \"%1\": %2")
                         .arg(QDir::toNativeSeparators(m_folder),
                              QString::fromLocal8Bit(std::strerror(errno)));
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(fd);
        if (reason == EWOULDBLOCK)
            return Result::InUse;
        if (error)
            *error = QStringLiteral("Cannot lock the folder \"%1\": %2")
                         .arg(QDir::toNativeSeparators(m_folder),
                              QString::fromLocal8Bit(std::strerror(reason)));
        return Result::Failed;
    }
    m_fd = fd;
#else
    m_fd = 0;
#endif
    return Result::Locked;
}

void DataFolderLock::unlock()
{
    if (m_fd < 0)
        return;
#ifdef Q_OS_UNIX
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
#endif
    m_fd = -1;
}
