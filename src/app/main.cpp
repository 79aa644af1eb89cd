#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

// The program's directory is the one that holds the binary; everything else is found from it.
// --version and --help are answered before the toolkit starts, without a window or a display.
int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    if (const std::optional<int> code = CommandLine::answer(arguments, out))
        return *code;
    QApplication app(argc, argv);
    return Startup::run(app, QApplication::applicationDirPath());
}
