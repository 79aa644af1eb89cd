#include "widgets/LabelSetup.h"

#include "widgets/ElidedLabel.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>

QLabel* LabelSetup::create(const QString& text, QWidget* parent, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLabel* LabelSetup::create(const QString& text, QWidget* parent, const QRect& place, bool bold)
{
    QLabel* label = create(text, parent, bold);
    label->setGeometry(place);
    return label;
}

QLabel* LabelSetup::value(const QString& objectName, QWidget* parent)
{
    auto* label = new TElidedLabel(QString(), parent);
    label->setObjectName(objectName);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}
