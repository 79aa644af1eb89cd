#pragma once

#include <QString>
#include <QWidget>

class TNavigationTree;

// The navigation panel of a page (the Foods and Recipes pages): a white, bold caption on a blue
// strip over the page's navigation tree, which fills the rest.
class TNavigationPanel : public QWidget
{
    Q_OBJECT

public:
    struct Names
    {
        QString panel;   // "PanelNavigation"
        QString caption; // "LabelNavigation"
        QString tree;    // "TreeViewFoods"
    };

    TNavigationPanel(const QString& caption, const Names& names, QWidget* parent = nullptr);

    TNavigationTree* tree() const { return m_tree; }

private:
    TNavigationTree* m_tree = nullptr;
};
