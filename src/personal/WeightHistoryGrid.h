#pragma once

class DataSet;
class QTableView;

// How a user's weight history shows in a grid (the Personal Info page, the user wizard, the
// weight trend report): the day entered, the weight (right-aligned) and its unit, the day taking
// the room the weight and the unit leave at their widths.
class WeightHistoryGrid
{
public:
    static void show(QTableView* grid, DataSet& history, int weightWidth, int unitWidth);
};
