#include "tools/MakedataCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

// kelora-makedata: lays out the Data folder of a program directory (see --help).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return MakedataCommand::run(arguments, out, err, ::isatty(STDOUT_FILENO) == 1);
}
