#pragma once

#include "foods/FoodsPage.h"

#include <QString>
#include <QStringList>
#include <functional>

class TDataModuleFoods;

// What the Foods page and its module show, read the same way by every test of the page, and the
// one dialog a test lets the page's tree run.
class FoodsPageProbe
{
public:
    using Runner = std::function<bool()>;

    // The descriptions of the foods in the food list, in their order, read to its end.
    static QStringList listed(const TDataModuleFoods& foods);
    // The texts of the entries below the tree's top entry top.
    static QStringList entries(const TFoodsPage& page, const QString& top);
    // The text of the tree's current entry; empty without one.
    static QString current(const TFoodsPage& page);
    // The tree runs one kind of dialog through f; the others are not expected.
    static void setRunner(TFoodsPage& page, Runner TFoodsPage::DialogRunners::*which, Runner f);
};
