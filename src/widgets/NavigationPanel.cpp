#include "widgets/NavigationPanel.h"

#include "widgets/NavigationTree.h"

#include <QLabel>
#include <QVBoxLayout>

TNavigationPanel::TNavigationPanel(const QString& caption, const Names& names, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(names.panel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 4, 4);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, this);
    label->setObjectName(names.caption);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet("font-weight: bold; color: white; background: #0145B6; padding: 3px;");
    layout->addWidget(label);
    m_tree = new TNavigationTree(this);
    m_tree->setObjectName(names.tree);
    layout->addWidget(m_tree, 1);
}
