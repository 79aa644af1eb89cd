#pragma once

#include "store/QueryView.h"
#include "store/TableView.h"

#include <QObject>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A data set that a data module keeps to itself, found by the object name the module gives it
// (tblAdvancedSearch, qryFoodDescDisplay, ...): tests and benchmarks look at what a module holds
// without the module handing the view out. A name the module does not have stops the program.
template <class View = TableView> View& viewOf(const QObject& module, const char* name)
{
    View* view = module.findChild<View*>(QString::fromLatin1(name));
    if (!view) {
        std::fprintf(stderr, "%s has no data set named %s\n", qPrintable(module.objectName()),
                     name);
        std::abort();
    }
    return *view;
}
