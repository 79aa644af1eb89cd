#pragma once

#include <QString>

// Open and save file dialogs. An empty result means the user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    virtual QString openFileName(const QString& caption, const QString& directory,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& directory,
                                 const QString& filter) = 0;
};
