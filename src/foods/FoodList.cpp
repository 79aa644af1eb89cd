#include "foods/FoodList.h"

#include "store/DataSetModel.h"
#include "store/QueryView.h"
#include "store/TableView.h"

TFoodList::TFoodList(QueryView& rows, TableView& measureRows, QObject* parent)
    : QObject(parent), m_rows(rows), m_measureRows(measureRows)
{
    connect(&m_rows, &DataSet::currentChanged, this, &TFoodList::foodChanged);
}

DataSetModel* TFoodList::newGridModel(QObject* parent) const
{
    return new DataSetModel(&m_rows, {{"Desc", "Foods"}}, parent);
}

bool TFoodList::isEmpty() const
{
    return m_rows.isEmpty();
}

int TFoodList::currentNumber() const
{
    return m_rows.asInteger("NDB_No");
}

QString TFoodList::currentName() const
{
    return m_rows.asString("Desc");
}

const MeasuresT& TFoodList::buildMeasures()
{
    m_measures.clear();
    for (int row = 0; row < m_measureRows.rowCount(); ++row) {
        const QString description = m_measureRows.valueAt(row, "Msre_Desc").toString();
        bool seen = false;
        for (const SMeasure& m : std::as_const(m_measures))
            if (m.Description == description) {
                seen = true;
                break;
            }
        if (seen)
            continue;
        const double amount = m_measureRows.valueAt(row, "Amount").toDouble();
        const double grams = m_measureRows.valueAt(row, "Gm_Wgt").toDouble();
        SMeasure m;
        m.GramsPerUnit = amount > 0 ? grams / amount : grams;
        m.Description = description;
        m.WeightID = m_measureRows.valueAt(row, "Weight_ID").toInt();
        m_measures.append(m);
    }
    return m_measures;
}

double TFoodList::chooseMeasureAmount(int index, double amount)
{
    m_chosenIndex = index;
    m_chosenAmount = amount;
    if (index >= 0 && index < m_measures.size())
        m_grams = m_measures[index].GramsPerUnit * amount;
    emit gramsChanged();
    return m_grams;
}

void TFoodList::setGrams(double grams)
{
    m_grams = grams;
    emit gramsChanged();
}

void TFoodList::clearChoice(double grams)
{
    m_chosenIndex = -1;
    setGrams(grams);
}

void TFoodList::restoreChosenAmount()
{
    if (m_chosenIndex >= 0)
        chooseMeasureAmount(m_chosenIndex, m_chosenAmount);
}
