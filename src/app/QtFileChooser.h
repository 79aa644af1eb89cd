#pragma once

#include "store/FileChooser.h"

#include <QPointer>
#include <QWidget>

// The desktop's open and save file dialogs.
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget* parent = nullptr);

    QString openFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> m_parent;
};
