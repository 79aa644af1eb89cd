#include "personal/WeightHistoryGrid.h"

#include "store/DataSetModel.h"

#include <QHeaderView>
#include <QTableView>

void WeightHistoryGrid::show(QTableView* grid, DataSetModel* history, int weightWidth,
                             int unitWidth)
{
    grid->setModel(history);
    history->setSelectionModel(grid->selectionModel());
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->setColumnWidth(1, weightWidth);
    grid->setColumnWidth(2, unitWidth);
}
