// The conversion window's run on a 200,000-line raw file with the result
// table filled: on the table model alone, and in the window shown offscreen
// with its view (the widgets draw only the visible rows); and KOORDINAT.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>

#include <cstdio>
#include <filesystem>
#include <string>

#include "conversion/format_writer.h"
#include "conversion/ui/conversion_window_ui.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/result_table.h"
#include "platform/textfile.h"
#include "survey/survey.h"

namespace {

namespace fs = std::filesystem;
using namespace velkar;

class BenchDialogs : public Dialogs {
  public:
    explicit BenchDialogs(fs::path raw) : raw_(std::move(raw)) {}
    MessageResult message(const MessageRequest&) override { return MessageResult::Ok; }
    FileDialogResult chooseFile(const FileDialogRequest&) override { return {raw_, 1}; }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
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
        w.setInstrument("GTS-600 / 700");
        w.setOutput("YDE-NETCAD");
        conversion::ConversionState state;
        if (conversion::runAction(w, state) != conversion::ActionOutcome::Converted) {
            st.SkipWithError("the conversion did not run to its end");
            break;
        }
        benchmark::DoNotOptimize(table.rowCount());
        st.counters["rows"] = table.rowCount();
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) *
                         static_cast<int64_t>(fs::file_size(raw)));
    st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * 200000);
    fs::remove_all(dir);
}
BENCHMARK(BM_WindowConvert200kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same run through the shown window's action button.
void BM_ShownWindowConverts200kLines(benchmark::State& st) {
    const fs::path dir = fs::temp_directory_path() / "velkar-bench-window";
    fs::create_directories(dir);
    const fs::path raw = makeRaw700(dir);
    BenchDialogs dialogs(raw);
    QtEventPump pump;
    conversion::ConversionWindowUi window(dialogs, pump, dir / "prog");
    conversion::ConversionState state;
    bool converted = true;
    window.setActionHandler([&] {
        converted = converted && conversion::runAction(window.core(), state) ==
                                     conversion::ActionOutcome::Converted;
    });
    window.show();
    window.instrumentList()->setEditText(QStringLiteral("GTS-600 / 700"));
    window.instrumentChoiceChanged();
    window.outputList()->setEditText(QStringLiteral("YDE-NETCAD"));
    for (auto _ : st) {
        window.runAction();
        QApplication::processEvents();
    }
    if (!converted) st.SkipWithError("the conversion did not run to its end");
    st.counters["rows"] = window.results().rowCount();
    fs::remove_all(dir);
}
BENCHMARK(BM_ShownWindowConverts200kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
// KOORDINAT: 100,000 observations on 1,000 stations with a polygon file of
// 10,000 points (the stations and backsights among them); every station
// and backsight is looked up in the polygon file and the points computed so far.
void BM_Koordinat100kWithPolygon10k(benchmark::State& st) {
    const fs::path dir = fs::temp_directory_path() / "velkar-bench-koordinat";
    fs::create_directories(dir);
    const fs::path raw = dir / "ham.txt";
    const fs::path polygon = dir / "poligon.txt";
    {
        TextWriter p;
        p.create(polygon);
        char buf[128];
        for (int i = 0; i < 10000; ++i) {
            std::snprintf(buf, sizeof buf, "N%d %d.%03d %d.%03d %d.%03d", i, 400000 + i * 7,
                          i % 1000, 4500000 + i * 11, (i * 7) % 1000, 100 + i % 50, i % 1000);
            p.writeLine(buf);
        }
        TextWriter r;
        r.create(raw);
        for (int s = 0; s < 1000; ++s) {
            std::snprintf(buf, sizeof buf, "STN,N%d,1.550,K0", s * 10);
            r.writeLine(buf);
            std::snprintf(buf, sizeof buf, "BKB,N%d,0,12.3456", s * 10 + 1);
            r.writeLine(buf);
            for (int k = 0; k < 100; ++k) {
                std::snprintf(buf, sizeof buf, "SS,P%d.%d,1.700,AGAC", s, k);
                r.writeLine(buf);
                std::snprintf(buf, sizeof buf, "SD,%d.%04d,98.7654,%d.%03d", (k * 37) % 400, k,
                              20 + k, k);
                r.writeLine(buf);
            }
        }
    }
    for (auto _ : st) {
        std::vector<fs::path> answers = {raw, polygon};
        struct Answers : BenchDialogs {
            std::vector<fs::path> files;
            size_t next = 0;
            Answers() : BenchDialogs({}) {}
            FileDialogResult chooseFile(const FileDialogRequest&) override {
                return {files[next++ % files.size()], 1};
            }
        } dialogs;
        dialogs.files = answers;
        NullEventPump pump;
        ResultTable table;
        conversion::ConversionWindow w(dialogs, pump, table, dir / "prog");
        w.setInstrument("GTS-600 / 700");
        w.setOutput("KOORDINAT");
        w.setMode(catalogue::Mode::Compute);
        conversion::ConversionState state;
        if (survey::runActionButton(w, state) != conversion::ActionOutcome::Converted) {
            st.SkipWithError("the computation did not run to its end");
            break;
        }
        st.counters["rows"] = table.rowCount();
    }
    st.SetItemsProcessed(static_cast<int64_t>(st.iterations()) * 100000);
    fs::remove_all(dir);
}
BENCHMARK(BM_Koordinat100kWithPolygon10k)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
