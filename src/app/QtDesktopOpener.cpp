#include "app/QtDesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool QtDesktopOpener::open(const QString& path)
{
    // An address with a scheme (https:, mailto:, file:) goes as it is; anything else is a file.
    const QUrl address(path, QUrl::StrictMode);
    if (address.isValid() && address.scheme().size() > 1)
        return QDesktopServices::openUrl(address);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
