#pragma once

#include <QTabWidget>

class QTableView;
class TDataModuleFoods;
class TFormTemplateDialog;

// The two lists of nutrients a wizard picks from, on the tabs NutrientTabs: "All Nutrients"
// (DBGridAllNutrients) and "My Nutrients" (DBGridMyNutrients), each showing the description and
// the units of its nutrients without column titles, in black. A double click or Enter on either
// list picks its current nutrient (picked()); Escape on them cancels the dialog.
class TNutrientPickTabs : public QTabWidget
{
    Q_OBJECT

public:
    // The two lists are the food module's. myFooter, when given, stands below the "My
    // Nutrients" list on its tab (MyNutrientsTab).
    TNutrientPickTabs(TDataModuleFoods& foods, TFormTemplateDialog& dialog, QWidget* parent,
                      QWidget* myFooter = nullptr);

    QTableView* allList() const { return m_allList; }
    QTableView* myList() const { return m_myList; }
    // The number (Nutr_No) of the current nutrient of the list on the tab shown; 0 when that
    // list is empty.
    int chosenNutrient() const;

signals:
    void picked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeList(const QString& name, bool mine, QWidget* parent,
                         TFormTemplateDialog& dialog);

    TDataModuleFoods& m_foods;
    QTableView* m_allList = nullptr;
    QTableView* m_myList = nullptr;
};
