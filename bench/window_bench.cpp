// The conversion window itself, shown (offscreen), converting a 200,000-line
// GTS-600/700 raw file through its action button: the result table model and
// its view are filled as the user would see them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <filesystem>

#include "conversion/format_writer.h"
#include "conversion/ui/conversion_window_ui.h"
#include "platform/qt/qt_event_pump.h"
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

fs::path makeRaw700(const fs::path& dir, int count) {
    const fs::path raw = dir / "raw700.txt";
    TextWriter out;
    out.create(raw);
    int lines = 0;
    char buf[128];
    for (int s = 0; lines < count; ++s) {
        std::snprintf(buf, sizeof buf, "STN,S%d,1.550,K0", s);
        out.writeLine(buf);
        out.writeLine("BKB,B1,0,45.3000");
        lines += 2;
        for (int p = 0; p < 99 && lines < count; ++p, lines += 2) {
            std::snprintf(buf, sizeof buf, "SS,P%d.%d,1.700,AGAC", s, p);
            out.writeLine(buf);
            std::snprintf(buf, sizeof buf, "SD,%d.%04d,89.5930,%d.123", p * 3, p, 10 + p);
            out.writeLine(buf);
        }
    }
    out.close();
    return raw;
}

void BM_ShownWindowConverts200kLines(benchmark::State& st) {
    const fs::path dir = fs::temp_directory_path() / "velkar-bench-window";
    fs::create_directories(dir);
    const fs::path raw = makeRaw700(dir, 200000);
    BenchDialogs dialogs(raw);
    QtEventPump pump;
    conversion::ConversionWindowUi window(dialogs, pump, dir / "prog");
    conversion::ConversionState state;
    window.setActionHandler([&] { conversion::runAction(window.core(), state); });
    window.show();
    window.instrumentList()->setEditText(QStringLiteral("GTS-600 / 700"));
    window.instrumentChoiceChanged();
    window.outputList()->setEditText(QStringLiteral("YDE-NETCAD"));
    for (auto _ : st) {
        window.runAction();
        QApplication::processEvents();
    }
    st.counters["rows"] = window.results().rowCount();
    fs::remove_all(dir);
}
BENCHMARK(BM_ShownWindowConverts200kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
