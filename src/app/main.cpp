#include "app/Startup.h"

#include <QApplication>

// The program's directory is the one that holds the binary; everything else is found from it.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return Startup::run(app, QApplication::applicationDirPath());
}
