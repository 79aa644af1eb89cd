#pragma once

#include <QByteArray>
#include <QString>

// An internet shortcut file (".url"): INI-style text whose [InternetShortcut] section names a
// web address in its URL= line. Most desktops other than Windows do not know the format, so the
// program opens the address the file holds rather than the file.
class InternetShortcut
{
public:
    // The web address (http, https, ftp or mailto) of the URL= line in the [InternetShortcut]
    // section (or before any section); empty when there is none. Section and key names are
    // compared without regard to case; blanks around them and a UTF-8 byte order mark are
    // ignored; the first URL= line counts.
    static QString addressIn(const QByteArray& contents);
    // The address held by the file at path; empty when the file cannot be read or holds none.
    static QString address(const QString& path);
    // What to ask the desktop to open for the file at path: its address, else the file itself.
    static QString target(const QString& path);
};
