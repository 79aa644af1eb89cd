#include "personal/WeightHistoryGrid.h"

#include "store/DataSet.h"
#include "store/DataSetModel.h"

#include <QHeaderView>
#include <QTableView>

void WeightHistoryGrid::show(QTableView* grid, DataSet& history, int weightWidth, int unitWidth)
{
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto* model = new DataSetModel(&history,
                                   {{"Date Entered", "Date Entered", DataSetModel::Form::ShortDate},
                                    {"Weight", "Weight", DataSetModel::Form::General, right},
                                    {"Unit", "Unit"}},
                                   grid);
    grid->setModel(model);
    model->setSelectionModel(grid->selectionModel());
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->setColumnWidth(1, weightWidth);
    grid->setColumnWidth(2, unitWidth);
}
