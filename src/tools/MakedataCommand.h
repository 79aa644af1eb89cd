#pragma once

#include <QStringList>

class QTextStream;

// The command line of kelora-makedata:
//   kelora-makedata [--usda DIR] [--force] PROGRAM_DIR
// lays out PROGRAM_DIR/Data/kelora.db;
//   kelora-makedata --check PROGRAM_DIR
// checks it. Progress and findings go to out, every problem to err.
class MakedataCommand
{
public:
    enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

    // arguments: the command line without the program's name.
    static int run(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   bool interactive = false);
    static QString usage();
};
