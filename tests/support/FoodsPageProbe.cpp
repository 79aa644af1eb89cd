#include "support/FoodsPageProbe.h"

#include "foods/DataModuleFoods.h"
#include "store/QueryView.h"
#include "support/ModuleViews.h"

#include <QTreeWidget>
#include <utility>

QStringList FoodsPageProbe::listed(const TDataModuleFoods& foods)
{
    QStringList out;
    QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
    // A search's list comes in as it is scrolled: read it to its end.
    while (list.canFetchMore())
        list.fetchMore();
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.valueAt(row, "Desc").toString();
    return out;
}

QStringList FoodsPageProbe::entries(const TFoodsPage& page, const QString& top)
{
    QStringList out;
    QTreeWidgetItem* item = page.topEntry(top);
    for (int i = 0; item && i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

QString FoodsPageProbe::current(const TFoodsPage& page)
{
    QTreeWidgetItem* item = page.tree()->currentItem();
    return item ? item->text(0) : QString();
}

void FoodsPageProbe::setRunner(TFoodsPage& page, Runner TFoodsPage::DialogRunners::*which, Runner f)
{
    TFoodsPage::DialogRunners runners;
    runners.*which = std::move(f);
    page.setDialogRunners(runners);
}
