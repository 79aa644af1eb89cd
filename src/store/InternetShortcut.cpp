#include "store/InternetShortcut.h"

#include <QFile>
#include <QList>
#include <QUrl>

namespace {

// Shortcut files are small; anything larger is not one.
constexpr qint64 MaximumSize = 64 * 1024;

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() &&
           (scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto");
}

} // namespace

QString InternetShortcut::addressIn(const QByteArray& contents)
{
    QByteArray text = contents;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    bool inSection = true; // lines before any section header count as the shortcut's own
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inSection = line.toLower() == "[internetshortcut]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0 || line.left(equals).trimmed().toLower() != "url")
            continue;
        const QUrl url(QString::fromUtf8(line.mid(equals + 1).trimmed()), QUrl::StrictMode);
        return isWebAddress(url) ? url.toString() : QString();
    }
    return QString();
}

QString InternetShortcut::address(const QString& path)
{
    QFile file(path);
    if (file.size() > MaximumSize || !file.open(QIODevice::ReadOnly))
        return QString();
    return addressIn(file.readAll());
}

QString InternetShortcut::target(const QString& path)
{
    const QString web = address(path);
    return web.isEmpty() ? path : web;
}
