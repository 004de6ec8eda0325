// velkar-cli convert: the conversion window's action button without a window.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/private_folder.h"
#include "conversion/format_writer.h"
#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"
#include "platform/event_pump.h"
#include "platform/result_table.h"
#include "platform/textfile.h"
#include "survey/survey.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const char* const kInstruments[] = {"GTS-210 / 220 / 6", "GTS-230N", "GTS-600 / 700",
                                    "GPT-1000 / 2000", "GPT-3000 / GPT-3000LN"};

// The output list texts of both modes of the conversion window.
const char* const kOutputs[] = {"XYZ",           "YXZ",        "YDE-NETCAD",  "YDE-EGHAS",
                                "YDE-GEOCAD",    "YMK-NETCAD", "YMK-EGHAS",   "YMK-GEOCAD",
                                "RASAT KARNESi", "KOORDINAT",  "KESIT-KLISE", "KESIT-NETCAD"};
const int kFormatOutputs = 9;  // the first nine are conversions, the rest computations
const int kOutputCount = 12;

const char* const kUsage =
    "usage: velkar-cli convert --instrument NAME --output NAME RAWFILE [-o OUT]\n"
    "                          [--polygon FILE] [--point NAME=X,Y,Z ...]   (KOORDINAT)\n";

struct Point {
    std::string x, y, z;
};

// NAME=X,Y,Z; false when it is not of that form.
bool parsePoint(const std::string& text, std::string& name, Point& p) {
    const auto eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0) return false;
    name = cp1254(text.substr(0, eq));
    const std::string rest = text.substr(eq + 1);
    const auto c1 = rest.find(',');
    const auto c2 = c1 == std::string::npos ? c1 : rest.find(',', c1 + 1);
    if (c2 == std::string::npos || rest.find(',', c2 + 1) != std::string::npos) return false;
    p = {rest.substr(0, c1), rest.substr(c1 + 1, c2 - c1 - 1), rest.substr(c2 + 1)};
    return true;
}

void listNames(std::FILE* f, const char* what, const char* const* names, int count) {
    std::fprintf(f, "the %s names are:", what);
    for (int i = 0; i < count; ++i) std::fprintf(f, "%s \"%s\"", i ? "," : "", names[i]);
    std::fprintf(f, "\n");
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

}  // namespace

int cmdConvert(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    if (!args.parse(argv,
                    {{"--help", false},
                     {"--instrument"},
                     {"--output"},
                     {"-o"},
                     {"--polygon"},
                     {"--point", true, true}},
                    error)) {
        std::fprintf(ctx.err, "velkar-cli convert: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(ctx.out,
                     "%s\n"
                     "Converts a raw download file of a total station as the conversion window\n"
                     "does and writes the file that the window would save (Windows-1254, CR LF)\n"
                     "to OUT, or to standard output without -o.  Warnings and the end message\n"
                     "are printed to standard error.\n\n",
                     kUsage);
        listNames(ctx.out, "instrument", kInstruments, 5);
        listNames(ctx.out, "output", kOutputs, kOutputCount);
        std::fprintf(ctx.out,
                     "\nKOORDINAT: --polygon names a file of known points (name, Y, X, Z a line);\n"
                     "--point NAME=X,Y,Z answers the coordinate question for a station or\n"
                     "backsight found neither there nor among the points computed before.  A\n"
                     "point asked for and not given stops the run (exit 1); the output then holds\n"
                     "the lines written before.\n");
        return kExitOk;
    }
    const auto instrument = args.value("--instrument");
    const auto output = args.value("--output");
    if (!instrument || !output || args.positional().size() != 1) {
        std::fprintf(ctx.err, "velkar-cli convert: %s\n%s",
                     args.positional().size() > 1 ? "only one RAWFILE"
                                                  : "--instrument, --output and RAWFILE are needed",
                     kUsage);
        return kExitUsage;
    }
    bool knownInstrument = false;
    for (const char* i : kInstruments) knownInstrument = knownInstrument || *instrument == i;
    if (!knownInstrument) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown instrument \"%s\"; ",
                     instrument->c_str());
        listNames(ctx.err, "instrument", kInstruments, 5);
        return kExitUsage;
    }
    int outputIndex = -1;
    for (int i = 0; i < kOutputCount; ++i) {
        if (*output == kOutputs[i]) outputIndex = i;
    }
    if (outputIndex < 0) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown output \"%s\"; ", output->c_str());
        listNames(ctx.err, "output", kOutputs, kOutputCount);
        return kExitUsage;
    }
    std::map<std::string, Point> points;
    for (const std::string& text : args.values("--point")) {
        std::string name;
        Point p;
        if (!parsePoint(text, name, p)) {
            std::fprintf(ctx.err, "velkar-cli convert: --point %s: give NAME=X,Y,Z\n%s",
                         text.c_str(), kUsage);
            return kExitUsage;
        }
        points[name] = p;
    }
    const auto polygon = args.value("--polygon");
    const fs::path raw = args.positional()[0];
    const auto outFile = args.value("-o");
    if (outFile && (sameFile(raw, *outFile) || (polygon && sameFile(*polygon, *outFile)))) {
        std::fprintf(ctx.err, "velkar-cli convert: %s is the input; it is never replaced\n",
                     outFile->c_str());
        return kExitFailed;
    }
    if (outFile && !refuseReadOnlyOutput(ctx, "convert", *outFile)) return kExitFailed;

    PrivateFolder folder;
    if (folder.path().empty()) {
        std::fprintf(ctx.err, "velkar-cli convert: no temporary folder could be made\n");
        return kExitFailed;
    }
    ConsoleDialogs dialogs(ctx.err);
    dialogs.holdMessages();
    dialogs.setFileAnswer([&](const FileDialogRequest& request) {
        if (request.title.rfind(cp1254("Poligon"), 0) == 0) {
            return FileDialogResult{polygon ? fs::path(*polygon) : fs::path(), 1};
        }
        return FileDialogResult{raw, 1};
    });
    conversion::ConversionState state;
    std::string missing;
    // "NAME için X Koordinatını giriniz": answered from --point.
    dialogs.setInputAnswer([&](const std::string& prompt, const std::string&,
                               const std::string&) -> std::optional<std::string> {
        const std::string marker = cp1254(" için ");
        const auto at = prompt.rfind(marker);
        const std::string name = at == std::string::npos ? prompt : prompt.substr(0, at);
        const char axis = at == std::string::npos ? '?' : prompt[at + marker.size()];
        const auto it = points.find(name);
        if (it == points.end()) {
            missing = name;
            state.stopRequested = true;
            return std::nullopt;
        }
        return axis == 'X' ? it->second.x : axis == 'Y' ? it->second.y : it->second.z;
    });
    NullEventPump pump;
    ResultTable table;
    conversion::ConversionWindow w(dialogs, pump, table, folder.path());
    w.keepRows = false;
    w.instrumentText = *instrument;
    w.outputText = *output;
    if (outputIndex >= kFormatOutputs) w.actionCaption = cp1254("&Hesapla");
    const auto outcome = survey::runActionButton(w, state);
    if (!missing.empty()) {
        std::fprintf(ctx.err,
                     "velkar-cli convert: no coordinates for point %s (give --point %s=X,Y,Z)\n",
                     toUtf8(missing).c_str(), toUtf8(missing).c_str());
    } else if (outcome != conversion::ActionOutcome::Converted) {
        return kExitFailed;
    }
    const int code = missing.empty() ? kExitOk : kExitFailed;
    return deliverResult(ctx, "convert", dialogs, w.resultWorkFile(), outFile) ? code : kExitFailed;
}

}  // namespace velkar::cli
