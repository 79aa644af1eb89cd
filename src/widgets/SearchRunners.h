#pragma once

#include <QString>
#include <functional>

// How a picker menu runs its two search entries: each shows its subject's search dialog and, when
// it is confirmed, runs the search and returns the keyword or the search's name; a null text
// when nothing ran. The subject that owns the search dialogs gives them to every menu of its
// kind; an entry without a runner is not shown.
struct SearchRunners
{
    std::function<QString()> simpleSearch;
    std::function<QString()> advancedSearch;
};
