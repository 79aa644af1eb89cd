#pragma once

class DataSetModel;
class QTableView;

// How a user's weight history model (day entered, weight, unit) is laid out in a grid (the
// Personal Info page, the user wizard, the weight trend report): the day takes the room the
// weight and the unit leave at their widths.
class WeightHistoryGrid
{
public:
    static void show(QTableView* grid, DataSetModel* history, int weightWidth, int unitWidth);
};
