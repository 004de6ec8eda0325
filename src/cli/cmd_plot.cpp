// velkar-cli plot: the plan view of a coordinate file as a PNG, SVG or PDF page.
#include <QDate>
#include <cstdio>
#include <filesystem>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "drawing/coordinate_file.h"
#include "drawing/qt/painter.h"
#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: velkar-cli plot INPUT (--svg|--png|--pdf) OUT [--a3] [--xyz] [--no-elevations]\n";

}  // namespace

QString drawingDate() {
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}

int cmdPlot(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    if (!args.parse(argv,
                    {{"--help", false},
                     {"--svg"},
                     {"--png"},
                     {"--pdf"},
                     {"--a3", false},
                     {"--xyz", false},
                     {"--no-elevations", false}},
                    error)) {
        std::fprintf(ctx.err, "velkar-cli plot: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(ctx.out,
                     "%s\n"
                     "Draws the plan view of a coordinate file (name, Y, X, Z a line; --xyz for\n"
                     "name, X, Y, Z) on an A4 (or --a3) landscape page: every point as a cross\n"
                     "with its name and elevation (names that would overlap are left out), a\n"
                     "north arrow, a scale bar and a title block with the file name, the date and\n"
                     "the scale (a round 1:N that fits the page).\n"
                     "Exit status: 0 written, 1 a file could not be read or written or held no\n"
                     "point, 2 bad usage.\n",
                     kUsage);
        return kExitOk;
    }
    const int kinds = args.has("--svg") + args.has("--png") + args.has("--pdf");
    if (kinds != 1 || args.positional().size() != 1) {
        std::fprintf(ctx.err, "velkar-cli plot: give INPUT and one of --svg, --png, --pdf OUT\n%s",
                     kUsage);
        return kExitUsage;
    }
    const drawing::DrawingFile kind = args.has("--svg")   ? drawing::DrawingFile::Svg
                                      : args.has("--png") ? drawing::DrawingFile::Png
                                                          : drawing::DrawingFile::Pdf;
    const fs::path out = *args.value(args.has("--svg")   ? "--svg"
                                     : args.has("--png") ? "--png"
                                                         : "--pdf");
    const fs::path in = args.positional()[0];
    if (const int code = checkInputOutput("plot", in, out, ctx); code != kExitOk) return code;
    ConsoleDialogs dialogs(ctx.err);
    drawing::PlanScene scene;
    const auto order =
        args.has("--xyz") ? drawing::AxisOrder::NameXYZ : drawing::AxisOrder::NameYXZ;
    if (!drawing::readCoordinateScene(in, order, scene, error)) {
        dialogs.error(pathText(in) + cp1254(" okunamadı: ") + error);
        return kExitFailed;
    }
    if (scene.points.empty()) {
        dialogs.error(pathText(in) + cp1254(" içinde koordinat satırı bulunamadı."));
        return kExitFailed;
    }
    if (!drawing::exportPlan(scene, !args.has("--no-elevations"), out, kind,
                             args.has("--a3") ? drawing::PageFormat::A3 : drawing::PageFormat::A4,
                             drawingDate(), error)) {
        dialogs.error(pathText(out) + cp1254(" yazılamadı: ") + error);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velkar::cli
