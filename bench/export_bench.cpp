// How long the spreadsheet export takes for a large coordinate list, and how
// much memory it needs: 100,000 lines of point name, Y, X, Z and a code,
// written to a workbook of two sheets.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "export/gts720.h"
#include "export/spreadsheet_export.h"
#include "platform/textfile.h"

namespace {

namespace fs = std::filesystem;

fs::path benchFolder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("velkar-bench-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

// A coordinate list as the conversion window writes one (YXZ with a code).
fs::path coordinateList(int lines) {
    const fs::path file = benchFolder() / ("list" + std::to_string(lines) + ".txt");
    if (fs::exists(file)) return file;
    velkar::TextWriter w;
    w.create(file);
    char line[128];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, "P%-9d %12.3f %12.3f %9.3f  K%d", i + 1,
                      4512345.678 + i * 0.731, 523456.789 - i * 0.517, 100 + (i % 997) * 0.013,
                      i % 13);
        w.writeLine(line);
    }
    w.close();
    return file;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

void BM_SpreadsheetExport(benchmark::State& state) {
    const fs::path input = coordinateList(static_cast<int>(state.range(0)));
    const fs::path output = benchFolder() / "out.xls";
    for (auto _ : state) {
        std::string failure;
        if (!velkar::exporting::convertToSpreadsheet(input, output, failure)) {
            state.SkipWithError(failure.c_str());
        }
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["workbook_MB"] = static_cast<double>(fs::file_size(output)) / (1 << 20);
    state.counters["peak_RSS_MB"] = peakMegabytes();
}
BENCHMARK(BM_SpreadsheetExport)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Gts720File(benchmark::State& state) {
    const fs::path input = coordinateList(static_cast<int>(state.range(0)));
    const fs::path output = benchFolder() / "out.txt";
    for (auto _ : state) {
        std::string failure;
        if (!velkar::exporting::writeGts720File(input, output, failure)) {
            state.SkipWithError(failure.c_str());
        }
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Gts720File)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(benchFolder(), ec);
    return 0;
}
