#pragma once

#include "foods/Measure.h"

#include <QComboBox>

class TDataModuleFoods;

// The household measures of the food module's current food as a drop-down list
// (ComboBoxMeasures), for the dialogs that weigh an amount of a food: fill() lists them in order
// and chooses the first, none when the food has none.
class TMeasureList : public QComboBox
{
    Q_OBJECT

public:
    explicit TMeasureList(QWidget* parent = nullptr);

    // Lists the current food's measures without announcing it as a change of the choice.
    void fill(TDataModuleFoods& foods);
    const MeasuresT& measures() const { return m_measures; }
    // The chosen measure's place in measures(), or -1 when none is chosen.
    int chosenIndex() const;
    // The chosen measure (an empty one when none is chosen).
    SMeasure chosen() const;

private:
    MeasuresT m_measures;
};
