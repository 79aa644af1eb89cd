#pragma once

#include <QFlags>
#include <QString>

class QTableView;
class QWidget;

// The look and behaviour every read-only grid of the program shares: whole rows are chosen, one
// at a time; cells are never edited in place and never wrap; no grid lines; no row numbers, and
// rows of a fixed 19 pixels; column titles do not light up with the chosen row. The options add
// what only some grids have.
class GridSetup
{
public:
    enum Option {
        NoOptions = 0x0,
        // Every other row in the alternate base colour.
        AlternatingRows = 0x1,
        // The last column takes the room the others leave.
        StretchLastColumn = 0x2,
        // Columns are fitted to the width: never a horizontal scroll bar.
        NoHorizontalScrollBar = 0x4,
        // No column titles above the rows.
        NoColumnTitles = 0x8,
    };
    Q_DECLARE_FLAGS(Options, Option)

    // A new grid named objectName inside parent.
    static QTableView* create(const QString& objectName, QWidget* parent, Options options);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(GridSetup::Options)
