// The conversion window's run on a 200,000-line raw file with the result
// table filled (the table model is what a window shows; the widgets only
// draw the visible rows of it).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "conversion/format_writer.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/result_table.h"
#include "platform/textfile.h"

namespace {

namespace fs = std::filesystem;
using namespace velkar;

class BenchDialogs : public Dialogs {
public:
    explicit BenchDialogs(fs::path raw) : raw_(std::move(raw)) {}
    MessageResult message(const MessageRequest&) override { return MessageResult::Ok; }
    FileDialogResult chooseFile(const FileDialogRequest&) override { return {raw_, 1}; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }

private:
    fs::path raw_;
};

// 200,000 lines of GTS-600/700 raw data: per station STN, BKB, then 99 SS/SD pairs.
fs::path makeRaw700(const fs::path& dir) {
    const fs::path raw = dir / "raw700.txt";
    TextWriter out;
    out.create(raw);
    int lines = 0;
    char buf[128];
    for (int s = 0; lines < 200000; ++s) {
        std::snprintf(buf, sizeof buf, "STN,S%d,1.550,K0", s);
        out.writeLine(buf);
        out.writeLine("BKB,B1,0,45.3000");
        lines += 2;
        for (int p = 0; p < 99 && lines < 200000; ++p, lines += 2) {
            std::snprintf(buf, sizeof buf, "SS,P%d.%d,1.700,AGAC", s, p);
            out.writeLine(buf);
            std::snprintf(buf, sizeof buf, "SD,%d.%04d,89.5930,%d.123", p * 3, p, 10 + p);
            out.writeLine(buf);
        }
    }
    out.close();
    return raw;
}

void BM_WindowConvert200kLines(benchmark::State& st) {
    const fs::path dir = fs::temp_directory_path() / "velkar-bench-convert";
    fs::create_directories(dir);
    const fs::path raw = makeRaw700(dir);
    BenchDialogs dialogs(raw);
    NullEventPump pump;
    for (auto _ : st) {
        ResultTable table;
        conversion::ConversionWindow w(dialogs, pump, table, dir / "prog");
        w.instrumentText = "GTS-600 / 700";
        w.outputText = "YDE-NETCAD";
        conversion::ConversionState state;
        conversion::runAction(w, state);
        benchmark::DoNotOptimize(table.rowCount());
        st.counters["rows"] = table.rowCount();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(fs::file_size(raw)));
    st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * 200000);
    fs::remove_all(dir);
}
BENCHMARK(BM_WindowConvert200kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
BENCHMARK_MAIN();
