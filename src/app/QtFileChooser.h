#pragma once

#include "store/FileChooser.h"

#include <QPointer>
#include <QWidget>

// The desktop's open and save file dialogs and its folder dialog.
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget* parent = nullptr);

    QString openFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;
    // The desktop's dialogs with the request's default extension; the save dialog asks before
    // replacing a file.
    QString openFile(const Request& request) override;
    QString saveFile(const Request& request) override;
    QString existingFolder(const QString& caption, const QString& directory) override;

private:
    QString run(const Request& request, bool save);
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
};
