#pragma once

#include "foods/Measure.h"

#include <QObject>
#include <QString>

class DataSetModel;
class QueryView;
class TableView;

// The one food list of the program with the household measures of its current food and the one
// gram amount. The Foods page, the ingredient link dialog and the daily intake dialogs all show
// and change this list and amount: each listens to its signals rather than being told by the
// others.
//
// The Foods page chooses a measure and an amount (chooseMeasureAmount); a dialog that weighs an
// amount of its own sets the grams (setGrams) and may give the page's choice back afterwards
// (restoreChosenAmount).
class TFoodList : public QObject
{
    Q_OBJECT

public:
    // rows: the list's query; measureRows: the measure rows of its current food.
    TFoodList(QueryView& rows, TableView& measureRows, QObject* parent = nullptr);

    // A grid model of the list (its food names under the title "Foods"), kept in step with the
    // current food in both directions.
    DataSetModel* newGridModel(QObject* parent) const;

    bool isEmpty() const;
    // The number and name of the current food; 0 and empty when the list is empty.
    int currentNumber() const;
    QString currentName() const;

    // Reads the measures of the current food: in row order, without repeated descriptions, a
    // row without a usable amount describing one unit of its weight.
    const MeasuresT& buildMeasures();
    const MeasuresT& measures() const { return m_measures; }

    // The grams of an amount of the measure at index (ignored when out of range), kept as the
    // chosen amount; returns the grams.
    double chooseMeasureAmount(int index, double amount);
    // Grams set by a dialog for its own amount; forgets no choice.
    void setGrams(double grams);
    // Grams set when no measure can be chosen (a food without measures): there is no choice.
    void clearChoice(double grams);
    // The grams of the chosen measure and amount again, as measured against the current
    // measures; nothing when no measure was chosen.
    void restoreChosenAmount();
    double grams() const { return m_grams; }

signals:
    // The current food changed (the list's followers have moved already).
    void foodChanged();
    // The gram amount was set.
    void gramsChanged();

private:
    QueryView& m_rows;
    TableView& m_measureRows;
    MeasuresT m_measures;
    double m_grams = 0;
    int m_chosenIndex = -1;
    double m_chosenAmount = 0;
};
