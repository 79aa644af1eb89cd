#include "app/QtFileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

QtFileChooser::QtFileChooser(QWidget* parent) : m_parent(parent) {}

QWidget* QtFileChooser::owner() const
{
    if (m_parent)
        return m_parent;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString QtFileChooser::openFileName(const QString& caption, const QString& directory,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(owner(), caption, directory, filter);
}

QString QtFileChooser::saveFileName(const QString& caption, const QString& directory,
                                    const QString& filter)
{
    return QFileDialog::getSaveFileName(owner(), caption, directory, filter);
}

QString QtFileChooser::existingFolder(const QString& caption, const QString& directory)
{
    return QFileDialog::getExistingDirectory(owner(), caption, directory);
}

QString QtFileChooser::openFile(const Request& request)
{
    return run(request, false);
}

QString QtFileChooser::saveFile(const Request& request)
{
    return run(request, true);
}

QString QtFileChooser::run(const Request& request, bool save)
{
    QFileDialog dialog(owner(), request.caption, startPath(request), dialogFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}
