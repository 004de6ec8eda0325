// velkar-cli level: the DL-100 levelling computations of the conversion
// window, with the settings dialog's controls given as options.

#include <cstdlib>

#include "catalogue/catalogue.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "cli/private_folder.h"
#include "drawing/profile.h"
#include "drawing/qt/painter.h"
#include "levelling/levelling.h"
#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;
using levelling::ReadingSelection;

const char* kUsage =
    "usage: velkar-cli level RAWFILE [-o OUT]\n"
    "         [--form \"KOT HESABI\" | \"KOT HESABI-1\" | \"iLLER BANKASI\"]\n"
    "         [--readings first|second|both] [--tolerance MM]\n"
    "         [--intermediate] [--elevations] [--traverse]\n"
    "         [--start METRES] [--end METRES]\n"
    "         [--return RETURNFILE --return-out OUT2 --summary-out OUT3]\n"
    "         [--profile OUT.svg]\n";

const char* kHelp =
    "\n"
    "Levelling computation from a DL-100 raw file, as the conversion window runs it\n"
    "with the instrument \"DL-100\".  The options are the controls of the DL-100 data\n"
    "settings dialog:\n"
    "  --form NAME       the computation (default \"KOT HESABI\")\n"
    "  --readings WHICH  first, second or both (mean) staff readings (default both)\n"
    "  --tolerance MM    allowed difference of first and second reading (default 0)\n"
    "  --intermediate    \"Orta Mira Okumalarını Yazdır\": rows for intermediate sights\n"
    "  --elevations      \"Kot Ekle\": closure check and adjustment, notebook elevations\n"
    "  --traverse        \"Poligon Bilgisi Ekle\": traverse end reports of the notebook\n"
    "  --start METRES    start benchmark elevation (default 0.0000)\n"
    "  --end METRES      end benchmark elevation (default 0.0000)\n"
    "  --return FILE     \"Dönüş Dosyası  Var\": the raw file of the return run; its\n"
    "                    result goes to --return-out and the summary table of both\n"
    "                    runs to --summary-out\n"
    "  -o OUT            the result (default: standard output)\n"
    "  --profile OUT.svg the profile drawing of the line (both lines of a go-and-\n"
    "                    return pair): distance across, elevation up, the adjusted\n"
    "                    elevations and the misclosure with its limit (.png and .pdf\n"
    "                    names give those files)\n"
    "The tolerance error file is written beside each raw file as RAWFILE.HTA (beside\n"
    "OUT, or in the current folder, when the raw file's folder is read-only).\n"
    "Messages go to standard error.  Exit status: 0 done (a misclosure beyond the\n"
    "limit is a result), 1 a file could not be read or written, 2 bad usage.\n";

int usageError(Context& ctx, const std::string& message) {
    std::fprintf(ctx.err, "velkar-cli level: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

bool readableFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

int cmdLevel(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    const std::vector<OptionSpec> options = {
        {"--help", false},
        {"-o"},
        {"--form"},
        {"--readings"},
        {"--tolerance"},
        {"--intermediate", false},
        {"--elevations", false},
        {"--traverse", false},
        {"--start"},
        {"--end"},
        {"--return"},
        {"--return-out"},
        {"--summary-out"},
        {"--profile"},
    };
    if (!args.parse(argv, options, error)) return usageError(ctx, error);
    if (args.has("--help")) {
        std::fprintf(ctx.out, "%s%s", kUsage, kHelp);
        return kExitOk;
    }
    if (args.positional().size() != 1) return usageError(ctx, "give one RAWFILE");

    levelling::DlSettings settings;
    const std::string form = args.value("--form").value_or(levelling::formElevationReport());
    if (form != levelling::formElevationReport() && form != levelling::formShortReport() &&
        form != levelling::formNotebook()) {
        return usageError(ctx, "unknown form '" + form + "'; the forms are: \"" +
                                   levelling::formElevationReport() + "\", \"" +
                                   levelling::formShortReport() + "\", \"" +
                                   levelling::formNotebook() + "\"");
    }
    const std::string readings = args.value("--readings").value_or("both");
    if (readings == "first") {
        settings.readings = ReadingSelection::First;
    } else if (readings == "second") {
        settings.readings = ReadingSelection::Second;
    } else if (readings == "both") {
        settings.readings = ReadingSelection::Both;
    } else {
        return usageError(ctx, "unknown readings '" + readings + "'; use first, second or both");
    }
    settings.tolerance = cp1254(args.value("--tolerance").value_or("0"));
    settings.printIntermediate = args.has("--intermediate");
    settings.addElevations = args.has("--elevations");
    settings.addTraverseInfo = args.has("--traverse");
    settings.startElevation = cp1254(args.value("--start").value_or("0.0000"));
    settings.endElevation = cp1254(args.value("--end").value_or("0.0000"));
    settings.returnRun = args.has("--return");
    if (settings.returnRun != args.has("--return-out") ||
        settings.returnRun != args.has("--summary-out")) {
        return usageError(ctx, "--return, --return-out and --summary-out go together");
    }
    if (settings.returnRun && form == levelling::formNotebook()) {
        return usageError(ctx, "the notebook has no return run");
    }

    const fs::path raw = args.positional()[0];
    const std::optional<std::string> returnFile = args.value("--return");
    for (const fs::path& input : {raw, returnFile ? fs::path(*returnFile) : raw}) {
        if (!readableFile(input)) {
            std::error_code ec;
            std::fprintf(ctx.err, "velkar-cli level: %s: %s\n", input.string().c_str(),
                         fs::exists(input, ec) ? "normal bir dosya değil (aygıt ya da boru)"
                                               : "no such file");
            return kExitFailed;
        }
    }
    // A result never replaces a file the run reads.
    for (const char* option : {"-o", "--return-out", "--summary-out", "--profile"}) {
        const std::optional<std::string> target = args.value(option);
        if (!target) continue;
        if (!refuseReadOnlyOutput(ctx, "level", *target)) return kExitFailed;
        for (const fs::path& input : {raw, returnFile ? fs::path(*returnFile) : raw}) {
            std::error_code ec;
            if (fs::equivalent(input, fs::path(*target), ec)) {
                ConsoleDialogs(ctx.err).error(
                    cp1254(*target + " bu işlemde okunan dosya: üzerine kayıt edilemez."));
                return kExitFailed;
            }
        }
    }
    PrivateFolder folder;
    if (folder.path().empty()) {
        std::fprintf(ctx.err, "velkar-cli level: cannot create a temporary folder\n");
        return kExitFailed;
    }

    ConsoleDialogs dialogs(ctx.err);
    dialogs.holdMessages();
    int opens = 0, saves = 0;
    dialogs.setFileAnswer([&](const FileDialogRequest& r) -> FileDialogResult {
        if (r.mode == FileDialogMode::Open) {
            ++opens;
            if (opens == 1) return {raw, 1};
            if (opens == 2 && returnFile) return {fs::path(*returnFile), 1};
            return {};
        }
        ++saves;
        return {folder.path() / ("result" + std::to_string(saves) + ".txt"), 1};
    });
    NullEventPump pump;
    ResultTable table;
    conversion::ConversionWindow w(dialogs, pump, table, folder.path() / "work");
    w.setInstrument(catalogue::instrument(catalogue::InstrumentId::Dl100).text);
    w.setMode(catalogue::Mode::Compute);
    w.setOutput(form);
    w.dialog.title = cp1254("Dosya Seçiniz");
    if (const auto out = args.value("-o")) {
        w.spareFolder = fs::absolute(fs::path(*out)).parent_path();
    } else {
        std::error_code ec;
        w.spareFolder = fs::current_path(ec);
    }
    levelling::PlainDlSettings access(settings);
    levelling::LevellingState state;
    const std::optional<std::string> profileFile = args.value("--profile");
    state.recordProfile = profileFile.has_value();
    const levelling::LevellingRunResult result = levelling::levellingAction(w, state, access);
    if (result.failed) return kExitFailed;

    const std::optional<std::string> targets[] = {args.value("-o"), args.value("--return-out"),
                                                  args.value("--summary-out")};
    const size_t expected = settings.returnRun ? 3 : 1;
    if (result.saved.size() != expected) return kExitFailed;
    for (size_t i = 0; i < expected; ++i) {
        if (result.saved[i].empty() ||
            !deliverResult(ctx, "level", dialogs, result.saved[i], targets[i])) {
            return kExitFailed;
        }
    }
    if (profileFile) {
        drawing::ProfileScene scene = drawing::buildProfile(state.profile);
        scene.title = pathText(raw.filename());
        drawing::DrawingFile kind = drawing::DrawingFile::Svg;
        drawing::drawingFileOf(fs::path(*profileFile), kind);
        if (!drawing::exportProfile(scene, fs::path(*profileFile), kind, drawing::PageFormat::A4,
                                    drawingDate(), error)) {
            dialogs.error(cp1254(*profileFile) + cp1254(" yazılamadı: ") + error);
            return kExitFailed;
        }
    }
    return kExitOk;
}

}  // namespace velkar::cli
