#pragma once

#include "store/Clock.h"
#include "store/DesktopOpener.h"
#include "store/FileChooser.h"
#include "store/Prompter.h"

#include <QString>
#include <optional>

// What the benchmarks share: seams that never wait for a user (messages and errors go to
// stderr, every question is answered No, no file is chosen, the desktop opens nothing, today is
// the real date) and the database built from the full USDA SR data.
class BenchSupport : public Prompter, public FileChooser, public DesktopOpener, public Clock
{
public:
    void message(const QString& text) override;
    bool question(const QString& caption, const QString& text, Icon icon, Preset preset) override;
    void error(const QString& text) override;
    QString openFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& directory,
                         const QString& filter) override;
    bool open(const QString& path) override;
    QDate today() const override;

    // The USDA SR folder: $KELORA_USDA_DIR, else the SR28 copy shipped in resources/usda-sr28;
    // empty when neither holds the SR files.
    static QString findUsdaDir();
    // Builds the program's data in programDir from the USDA SR folder, in a child process, so
    // the memory the building takes never counts as the program's. Returns the exit code the
    // benchmark program named benchmark leaves with when there is nothing to measure: 0 (with a
    // note) without USDA data, 1 (with the error) when the build fails; nothing once the data
    // is there.
    //
    // With KELORA_BENCH_SCALE=n (n > 1) the foods are then multiplied to n times SR28: each SR
    // food gets n - 1 copies (NDB_No + k x 100000, the name followed by a brand-like ", lot k"),
    // with its nutrient values and measures, as a large food database would hold them.
    //
    // With KELORA_BENCH_FDC_IMPORT=DIR the FoodData Central release in DIR is then imported.
    static std::optional<int> buildUsdaDatabase(const QString& programDir, const char* benchmark);
    // The n of KELORA_BENCH_SCALE; 1 when unset or not a number above 1.
    static int scale();
};
