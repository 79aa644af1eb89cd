#include "app/CommandLine.h"

#include "app/FormMain.h"

#include <QTextStream>

std::optional<int> CommandLine::answer(const QStringList& arguments, QTextStream& out)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--version")) {
            out << "kelora " << QString::fromLatin1(TFormMain::Version).mid(1) << '\n';
            out.flush();
            return 0;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            out << "Usage: kelora [--version] [--help]\n"
                   "\n"
                   "Kelora, nutrition analysis: foods, recipes, daily intake and reports.\n"
                   "It keeps its data in the Data folder beside the program; the data tool\n"
                   "kelora-makedata builds, checks and upgrades it.\n"
                   "\n"
                   "Options:\n"
                   "  --version    print the version and exit\n"
                   "  -h, --help   print this text and exit\n";
            out.flush();
            return 0;
        }
    }
    return std::nullopt;
}
