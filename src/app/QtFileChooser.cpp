#include "app/QtFileChooser.h"

#include <QApplication>
#include <QFileDialog>

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
