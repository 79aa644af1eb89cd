#pragma once

#include <QStringList>

class QTextStream;

// The command line of kelora-makedata:
//   kelora-makedata [--usda DIR] [--force] PROGRAM_DIR
// lays out PROGRAM_DIR/Data/kelora.db;
//   kelora-makedata --check PROGRAM_DIR
// checks it, and
//   kelora-makedata --upgrade PROGRAM_DIR
// brings one of an older layout up to date. Progress and findings go to out, every problem to
// err.
class MakedataCommand
{
public:
    // OlderLayout: --check found a database of an older layout, which --upgrade brings up to
    // date.
    enum ExitCode { Success = 0, Failure = 1, UsageError = 2, OlderLayout = 3 };

    // arguments: the command line without the program's name.
    static int run(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   bool interactive = false);
    static QString usage();
};
