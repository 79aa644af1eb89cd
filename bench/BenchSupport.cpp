#include "BenchSupport.h"

#include "tools/DatabaseBuilder.h"
#include "tools/UsdaImporter.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

void BenchSupport::message(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

bool BenchSupport::question(const QString&, const QString&, Icon, Preset)
{
    return false;
}

void BenchSupport::error(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

QString BenchSupport::openFileName(const QString&, const QString&, const QString&)
{
    return {};
}

QString BenchSupport::saveFileName(const QString&, const QString&, const QString&)
{
    return {};
}

bool BenchSupport::open(const QString&)
{
    return true;
}

QDate BenchSupport::today() const
{
    return QDate::currentDate();
}

QString BenchSupport::findUsdaDir()
{
    QStringList candidates;
    if (!qEnvironmentVariableIsEmpty("KELORA_USDA_DIR"))
        candidates << qEnvironmentVariable("KELORA_USDA_DIR");
    candidates << QStringLiteral(KELORA_SOURCE_DIR "/resources/usda-sr28");
    for (const QString& dir : candidates)
        if (UsdaImporter::missingFiles(dir).isEmpty())
            return QDir(dir).absolutePath();
    return QString();
}

std::optional<int> BenchSupport::buildUsdaDatabase(const QString& programDir, const char* benchmark)
{
    const QString usdaDir = findUsdaDir();
    if (usdaDir.isEmpty()) {
        std::printf("%s: no USDA SR data found (set KELORA_USDA_DIR); skipped.\n", benchmark);
        return 0;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror(benchmark);
        return 1;
    }
    if (child == 0) {
        DatabaseBuilder::Options options;
        options.usdaDir = usdaDir;
        QString error;
        const bool built = DatabaseBuilder::build(programDir, options, &error);
        if (!built)
            std::fprintf(stderr, "%s: %s\n", benchmark, qPrintable(error));
        std::fflush(nullptr);
        ::_exit(built ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    return std::nullopt;
}
