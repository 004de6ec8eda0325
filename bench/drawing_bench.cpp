// The plan view on a large coordinate file: scene build and first paint, then
// the frames per second of a scripted pan and zoom.  With --shots DIR it also
// leaves pictures of the drawings: the 100,000-point plan, the sample
// KOORDINAT job with its polygon file, and a levelling line with adjustment.
//
//   drawing_bench [POINTS] [--shots DIR] [--samples SAMPLES_DIR --levelling RAWFILE]
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QWheelEvent>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <random>
#include <string>

#include "conversion/ui/conversion_window_ui.h"
#include "drawing/coordinate_file.h"
#include "drawing/ui/drawing_tab.h"
#include "levelling/levelling.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_text.h"
#include "platform/textfile.h"
#include "survey/survey.h"

namespace {

namespace fs = std::filesystem;
using namespace velkar;

// Answers every file dialog from a queue, every box with OK.
class QueueDialogs : public Dialogs {
  public:
    std::deque<fs::path> files;
    MessageResult message(const MessageRequest&) override { return MessageResult::Ok; }
    FileDialogResult chooseFile(const FileDialogRequest&) override {
        if (files.empty()) return {};
        fs::path p = files.front();
        files.pop_front();
        return {p, 1};
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
};

// A survey of n points in a 4 km x 3 km block, as a KOORDINAT result.
void writeCoordinates(const fs::path& file, int n) {
    TextWriter out;
    out.create(file);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> y(452000, 456000), x(4411000, 4414000), z(800, 900);
    char line[128];
    for (int i = 1; i <= n; ++i) {
        std::snprintf(line, sizeof line, "N%-11d  %15.4f  %15.4f  %15.4f", i, y(rng), x(rng),
                      z(rng));
        out.writeLine(line);
    }
    out.close();
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    int points = 100000;
    fs::path shots, samples, levellingRaw;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--shots" && i + 1 < argc) {
            shots = argv[++i];
        } else if (a == "--samples" && i + 1 < argc) {
            samples = argv[++i];
        } else if (a == "--levelling" && i + 1 < argc) {
            levellingRaw = argv[++i];
        } else {
            points = std::stoi(a);
        }
    }
    const fs::path work =
        fs::temp_directory_path() / ("drawing-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const fs::path list = work / "liste.txt";
    writeCoordinates(list, points);

    QueueDialogs dialogs;
    QtEventPump pump;
    conversion::ConversionWindowUi window(dialogs, pump, work / "VELKAR");
    drawing::ConversionDrawing drawing(&window, dialogs);
    window.resize(1200, 800);
    window.show();
    QApplication::processEvents();

    // Open: read the file into a scene, show it, paint the first frame.
    QElapsedTimer t;
    t.start();
    drawing::PlanScene scene;
    std::string error;
    drawing::readCoordinateScene(list, drawing::AxisOrder::NameYXZ, scene, error);
    const double read = ms(t);
    drawing.tab()->showPlan(std::move(scene));
    window.resultTabs()->setCurrentWidget(drawing.tab());
    window.setDrawingTab(drawing.tab(), true);
    window.resultTabs()->setCurrentWidget(drawing.tab());
    drawing::PlanView* view = drawing.tab()->planView();
    view->repaint();
    const double open = ms(t);
    std::printf("%d points: scene read %.0f ms, open in the view with the first frame %.0f ms\n",
                points, read, open);

    if (!shots.empty()) {
        fs::create_directories(shots);
        window.grab().save(pathToQ(shots / "plan-100k.png"));
    }
    // A scripted pan: a frame for every step of a drag across the view.
    const int frames = 120;
    t.restart();
    for (int i = 0; i < frames; ++i) {
        view->panBy(i < frames / 2 ? 6 : -6, 3);
        view->repaint();
    }
    const double pan = ms(t);
    std::printf("pan over all %d points: %.1f frames/s (%.1f ms a frame)\n", points,
                frames * 1000.0 / pan, pan / frames);
    // Zooming changes the scale: the labels are chosen anew at each step.
    t.restart();
    for (int i = 0; i < frames; ++i) {
        view->fitAll();
        QWheelEvent wheel(QPointF(600, 400), view->mapToGlobal(QPointF(600, 400)), QPoint(),
                          QPoint(0, 120 * (1 + i % 8)), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        view->repaint();
    }
    const double zoom = ms(t);
    std::printf("zoom steps (labels chosen anew each time): %.1f frames/s (%.1f ms a frame)\n",
                frames * 1000.0 / zoom, zoom / frames);
    if (!shots.empty()) window.grab().save(pathToQ(shots / "plan-100k-zoomed.png"));

    if (!shots.empty() && !samples.empty()) {
        // The sample KOORDINAT job with its polygon file.
        conversion::ConversionState state;
        survey::PolarSurveyLog log;
        window.instrumentList()->setEditText(QStringLiteral("GTS-210 / 220 / 6"));
        window.outputList()->setEditText(QStringLiteral("KOORDINAT"));
        window.setMode(catalogue::Mode::Compute);
        window.syncToCore();
        dialogs.files = {samples / "gts210_koordinat_ham.txt", samples / "poligon.txt"};
        if (survey::runActionButton(window.core(), state, &log) !=
            conversion::ActionOutcome::Converted) {
            std::fprintf(stderr, "the sample KOORDINAT job did not run to its end\n");
            return 1;
        }
        drawing.afterRun(&log, nullptr);
        window.resultTabs()->setCurrentWidget(drawing.tab());
        window.resize(900, 650);
        QApplication::processEvents();
        window.grab().save(pathToQ(shots / "koordinat-sample.png"));
        window.resultTabs()->setCurrentIndex(0);
        window.table()->selectRow(3);
        window.resultTabs()->setCurrentWidget(drawing.tab());
        QApplication::processEvents();
        window.grab().save(pathToQ(shots / "koordinat-sample-row-selected.png"));
    }
    if (!shots.empty() && !levellingRaw.empty()) {
        // A levelling line with intermediate sights and the adjustment.
        levelling::DlSettings st;
        st.tolerance = "0.3";
        st.addElevations = true;
        st.printIntermediate = true;
        st.startElevation = "100.0000";
        st.endElevation = "100.4030";
        levelling::PlainDlSettings settings(st);
        levelling::LevellingState state;
        state.recordProfile = true;
        window.instrumentList()->setEditText(QStringLiteral("DL-100"));
        window.outputList()->setEditText(QStringLiteral("KOT HESABI"));
        window.syncToCore();
        fs::copy_file(levellingRaw, work / levellingRaw.filename(),
                      fs::copy_options::overwrite_existing);
        dialogs.files = {work / levellingRaw.filename(), work / "profil.KOT"};
        levelling::levellingAction(window.core(), state, settings);
        drawing.afterRun(nullptr, &state);
        window.resultTabs()->setCurrentWidget(drawing.tab());
        QApplication::processEvents();
        window.grab().save(pathToQ(shots / "levelling-profile.png"));
    }
    fs::remove_all(work);
    return 0;
}
