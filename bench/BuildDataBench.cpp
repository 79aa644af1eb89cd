// Time to lay out Data/ from the full USDA SR release: schema, lookup rows and every food,
// nutrient value and measure. The data comes from $KELORA_USDA_DIR, else from the SR28 copy
// shipped in resources/usda-sr28.
#include "BenchSupport.h"
#include "tools/DatabaseBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
void buildData(benchmark::State& state, const QString& usdaDir)
{
    DatabaseBuilder::Options options;
    options.usdaDir = usdaDir;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        state.ResumeTiming();
        QString error;
        if (!DatabaseBuilder::build(dir.path(), options, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const QString usdaDir = BenchSupport::findUsdaDir();
    if (usdaDir.isEmpty()) {
        std::printf("BuildData: no USDA SR data found (set KELORA_USDA_DIR); skipped.\n");
        return 0;
    }
    benchmark::RegisterBenchmark("BuildData/SR", buildData, usdaDir)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
