#pragma once

#include <QString>

class Prompter;

// The messages every data module uses around records: the locate failure before an edit or
// delete, and the delete question.
class RecordMessages
{
public:
    // "Internal Error: "<operation>" can't locate the physical record"
    static QString locateFailed(const QString& operation);
    // Asks "Are you sure you want to delete [ <name> ]" in a Yes/No box without icon, caption
    // "Confirmation!"; true for Yes.
    static bool confirmDelete(Prompter& prompter, const QString& name);
};
