// velkar-cli convert: the conversion window's action button without a window.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

#include "catalogue/catalogue.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/private_folder.h"
#include "conversion/format_writer.h"
#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"
#include "platform/event_pump.h"
#include "platform/questions.h"
#include "platform/result_table.h"
#include "platform/textfile.h"
#include "survey/survey.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

// The total stations of the conversion window's list (the DL-100 has its own command).
std::vector<std::string> instrumentNames() {
    std::vector<std::string> names;
    for (const catalogue::Instrument* i : catalogue::conversionInstruments()) {
        if (i->family == catalogue::Family::Gts200 || i->family == catalogue::Family::Gts700)
            names.push_back(i->text);
    }
    return names;
}

// The format outputs and the computations, in the catalogue's order.
std::vector<std::string> outputNames() {
    std::vector<std::string> names;
    for (const auto kind :
         {catalogue::OutputKind::Conversion, catalogue::OutputKind::Computation}) {
        for (const catalogue::Output* o : catalogue::outputsOf(kind)) names.push_back(o->text);
    }
    return names;
}

const char* const kUsage =
    "usage: velkar-cli convert --instrument NAME --output NAME RAWFILE [-o OUT]\n"
    "                          [--polygon FILE] [--point NAME=X,Y,Z ...]   (KOORDINAT)\n"
    "                          [--yes]\n";

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

void listNames(std::FILE* f, const char* what, const std::vector<std::string>& names) {
    std::fprintf(f, "the %s names are:", what);
    for (std::size_t i = 0; i < names.size(); ++i)
        std::fprintf(f, "%s \"%s\"", i ? "," : "", names[i].c_str());
    std::fprintf(f, "\n");
}

// The questions of a conversion answered from the options: the coordinates
// from --point, the polygon file from --polygon.  A point not given stops the
// run and is named afterwards.
class OptionQuestions : public Questions {
  public:
    OptionQuestions(const std::map<std::string, Point>& points, std::optional<std::string> polygon,
                    bool yes)
        : points_(points), polygon_(std::move(polygon)), yes_(yes) {}

    std::optional<std::string> pointCoordinate(const std::string& name, Axis axis) override {
        const auto it = points_.find(name);
        if (it == points_.end()) {
            missing_ = name;
            return std::nullopt;
        }
        return axis == Axis::X ? it->second.x : axis == Axis::Y ? it->second.y : it->second.z;
    }
    fs::path polygonFile(const FileDialogRequest&) override {
        return polygon_ ? fs::path(*polygon_) : fs::path();
    }
    // --yes answers OK; without it the question is kept to be printed and the run stops.
    bool confirm(const std::string& text, const std::string& title) override {
        if (!yes_)
            declined_ = ConsoleDialogs::formatMessage(
                {text, title, MessageIcon::Question, MessageButtons::OkCancel});
        return yes_;
    }

    const std::string& missing() const { return missing_; }
    const std::string& declined() const { return declined_; }

  private:
    const std::map<std::string, Point>& points_;
    std::optional<std::string> polygon_;
    bool yes_;
    std::string missing_;
    std::string declined_;
};

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
                     {"--point", true, true},
                     {"--yes", false}},
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
        listNames(ctx.out, "instrument", instrumentNames());
        listNames(ctx.out, "output", outputNames());
        std::fprintf(
            ctx.out,
            "\nKOORDINAT: --polygon names a file of known points (name, Y, X, Z a line);\n"
            "--point NAME=X,Y,Z answers the coordinate question for a station or\n"
            "backsight found neither there nor among the points computed before.  A\n"
            "point asked for and not given stops the run (exit 1); the output then holds\n"
            "the lines written before.\n"
            "\n--yes answers OK to the question asked when the file looks like the other\n"
            "instrument family's; without it the question is printed and the run stops.\n");
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
    const std::vector<std::string> instruments = instrumentNames();
    if (std::find(instruments.begin(), instruments.end(), *instrument) == instruments.end()) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown instrument \"%s\"; ",
                     instrument->c_str());
        listNames(ctx.err, "instrument", instruments);
        return kExitUsage;
    }
    const std::vector<std::string> outputs = outputNames();
    if (std::find(outputs.begin(), outputs.end(), *output) == outputs.end()) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown output \"%s\"; ", output->c_str());
        listNames(ctx.err, "output", outputs);
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
    OptionQuestions questions(points, polygon, args.has("--yes"));
    conversion::ConversionState state;
    NullEventPump pump;
    ResultTable table;
    conversion::ConversionWindow w(dialogs, pump, table, folder.path());
    w.setQuestions(&questions);
    w.keepRows = false;
    w.setInstrument(*instrument);
    w.setOutput(*output);
    w.setMode(w.request.output->kind == catalogue::OutputKind::Computation
                  ? catalogue::Mode::Compute
                  : catalogue::Mode::Convert);
    w.request.inputFile = raw;
    const auto outcome = survey::runActionButton(w, state);
    const std::string missing = questions.missing();
    if (!questions.declined().empty()) {
        std::fprintf(ctx.err,
                     "%s\nvelkar-cli convert: stopped at the question; give --yes to go on\n",
                     questions.declined().c_str());
        return kExitFailed;
    }
    if (!missing.empty()) {
        std::fprintf(ctx.err,
                     "velkar-cli convert: no coordinates for point %s (give --point %s=X,Y,Z)\n",
                     toUtf8(missing).c_str(), toUtf8(missing).c_str());
    } else if (outcome != conversion::ActionOutcome::Converted) {
        // The core said why in its boxes; a run that ended without one still gets a reason.
        if (dialogs.printed() == 0)
            std::fprintf(ctx.err, "velkar-cli convert: nothing was written\n");
        return kExitFailed;
    }
    const int code = missing.empty() ? kExitOk : kExitFailed;
    return deliverResult(ctx, "convert", dialogs, w.resultWorkFile(), outFile) ? code : kExitFailed;
}

}  // namespace velkar::cli
