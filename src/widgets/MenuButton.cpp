#include "widgets/MenuButton.h"

#include <QAction>
#include <QMenu>

TMenuButton::TMenuButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setColors(Qt::white, QColor(0x84, 0xD1, 0xFB), QColor(0xD6, 0xF0, 0xFE));
    setFixedHeight(22);
    m_menu = new QMenu(this);
    connect(this, &QPushButton::clicked, this, &TMenuButton::showMenu);
}

void TMenuButton::setColors(const QColor& rest, const QColor& hover, const QColor& focus)
{
    setStyleSheet(QStringLiteral("QPushButton { color: %1; border: none; text-decoration: "
                                 "underline; text-align: left; padding: 0px 2px; }"
                                 "QPushButton:hover { color: %2; }"
                                 "QPushButton:focus { color: %3; }")
                      .arg(rest.name(), hover.name(), focus.name()));
    adjustSize();
}

QAction* TMenuButton::addEntry(const QString& text, std::function<void()> action)
{
    QAction* entry = m_menu->addAction(text);
    connect(entry, &QAction::triggered, this, [action = std::move(action)] { action(); });
    return entry;
}

void TMenuButton::showMenu()
{
    m_menu->popup(mapToGlobal(QPoint(0, height())));
}
