#include "store/RecordMessages.h"

#include "store/Prompter.h"

QString RecordMessages::locateFailed(const QString& operation)
{
    return QStringLiteral("Internal Error: \"%1\" can't locate the physical record").arg(operation);
}

bool RecordMessages::confirmDelete(Prompter& prompter, const QString& name)
{
    return prompter.question(QStringLiteral("Confirmation!"),
                             QStringLiteral("Are you sure you want to delete [ %1 ]").arg(name),
                             Prompter::Icon::None, Prompter::Preset::No);
}
