#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {
// Runs the built program as a shell would, with no display at all: an answer that needed a
// window would fail.
struct Outcome
{
    int code = -1;
    QString out;
};

Outcome runProgram(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KELORA_BINARY), arguments);
    Outcome run;
    if (!process.waitForFinished(10000))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    return run;
}
} // namespace

TEST(CommandLine, VersionAndHelpAnswerWithoutAWindow)
{
    const Outcome version = runProgram({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "kelora 1.3.0\n");

    for (const char* option : {"--help", "-h"}) {
        const Outcome help = runProgram({option});
        EXPECT_EQ(help.code, 0) << option;
        EXPECT_TRUE(help.out.startsWith("Usage: kelora [--version] [--help]\n")) << option;
        EXPECT_TRUE(help.out.contains("  --version    print the version and exit\n")) << option;
    }
}
