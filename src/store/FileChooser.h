#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Open and save file dialogs, and the folder dialog. An empty result means the user cancelled.
class FileChooser
{
public:
    // One showing of a file dialog.
    struct Request
    {
        QString caption;
        // Pairs of description and pattern separated by "|", as in
        // "Recipe Portable Format(*.rpf)|*.rpf".
        QString filter;
        // Added to a name typed without an extension ("rpf").
        QString defaultSuffix;
        // The folder the dialog opens in (empty: the dialog's own choice) and the name it
        // starts with.
        QString directory;
        QString fileName;
    };

    virtual ~FileChooser() = default;

    virtual QString openFileName(const QString& caption, const QString& directory,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& directory,
                                 const QString& filter) = 0;

    // A folder dialog starting in directory; empty when cancelled (or without a desktop's
    // dialogs).
    virtual QString existingFolder(const QString& caption, const QString& directory)
    {
        Q_UNUSED(caption);
        Q_UNUSED(directory);
        return QString();
    }

    // The dialogs of a request. A save dialog asks before an existing file is replaced.
    virtual QString openFile(const Request& request)
    {
        return openFileName(request.caption, startPath(request), dialogFilter(request.filter));
    }
    virtual QString saveFile(const Request& request)
    {
        return saveFileName(request.caption, startPath(request), dialogFilter(request.filter));
    }

    // "Description|pattern|..." in the form the toolkit's dialogs take: "Description (pattern)"
    // entries separated by ";;". A description that already ends with its pattern in brackets
    // is kept as it is.
    static QString dialogFilter(const QString& filter)
    {
        const QStringList parts = filter.split('|');
        QStringList entries;
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
            const QString& description = parts[i];
            const QString& pattern = parts[i + 1];
            if (description.endsWith("(" + pattern + ")"))
                entries << description;
            else
                entries << description + " (" + pattern + ")";
        }
        return entries.join(";;");
    }
    // The folder and the starting name as one path.
    static QString startPath(const Request& request)
    {
        if (request.directory.isEmpty())
            return request.fileName;
        return QDir(request.directory).filePath(request.fileName);
    }
};
