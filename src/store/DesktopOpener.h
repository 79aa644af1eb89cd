#pragma once

#include <QString>

// Asks the desktop to open a file or web address with its default handler. The result is not
// checked by the callers: a missing file or handler shows nothing.
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;

    // path: an absolute file path or an address.
    virtual bool open(const QString& path) = 0;
};
