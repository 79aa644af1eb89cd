#include "foods/MeasureList.h"

#include "foods/DataModuleFoods.h"

#include <QSignalBlocker>

TMeasureList::TMeasureList(QWidget* parent) : QComboBox(parent)
{
    setObjectName("ComboBoxMeasures");
    setEditable(false);
}

void TMeasureList::fill(TDataModuleFoods& foods)
{
    const QSignalBlocker quiet(this);
    clear();
    m_measures = foods.BuildMeasureList();
    for (const SMeasure& m : std::as_const(m_measures))
        addItem(m.Description);
    setCurrentIndex(m_measures.isEmpty() ? -1 : 0);
}

int TMeasureList::chosenIndex() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_measures.size() ? index : -1;
}

SMeasure TMeasureList::chosen() const
{
    const int index = chosenIndex();
    return index >= 0 ? m_measures[index] : SMeasure();
}
