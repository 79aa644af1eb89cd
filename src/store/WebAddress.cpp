#include "store/WebAddress.h"

#include <QUrl>

QString WebAddress::openable(const QString& link)
{
    const QString trimmed = link.trimmed();
    if (trimmed.isEmpty())
        return QString();
    const QString address = trimmed.contains(QLatin1Char(':')) ? trimmed : "http://" + trimmed;
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    const bool web = (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
                     !url.host().isEmpty();
    return web || scheme == QLatin1String("mailto") ? address : QString();
}
