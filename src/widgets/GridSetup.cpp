#include "widgets/GridSetup.h"

#include <QHeaderView>
#include <QTableView>

QTableView* GridSetup::create(const QString& objectName, QWidget* parent, Options options)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows are chosen, never cells: Tab leaves the grid for the next control instead of moving
    // from cell to cell, which would hold the keyboard inside the grid.
    grid->setTabKeyNavigation(false);
    grid->setAlternatingRowColors(options.testFlag(AlternatingRows));
    grid->setWordWrap(false);
    grid->setShowGrid(false);
    if (options.testFlag(NoHorizontalScrollBar))
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(19);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(options.testFlag(StretchLastColumn));
    if (options.testFlag(NoColumnTitles))
        grid->horizontalHeader()->hide();
    return grid;
}
