// velkar-cli convert: the conversion window's action button without a window.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "cli/args.h"
#include "cli/cli.h"
#include "conversion/format_writer.h"
#include "platform/console/console_dialogs.h"
#include "platform/event_pump.h"
#include "platform/result_table.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const char* const kInstruments[] = {"GTS-210 / 220 / 6", "GTS-230N", "GTS-600 / 700", "GPT-1000 / 2000",
                                    "GPT-3000 / GPT-3000LN"};

const char* const kUsage =
    "usage: velkar-cli convert --instrument NAME --output NAME RAWFILE [-o OUT]\n";

void listNames(std::FILE* f, const char* what, const char* const* names, int count) {
    std::fprintf(f, "the %s names are:", what);
    for (int i = 0; i < count; ++i) std::fprintf(f, "%s \"%s\"", i ? "," : "", names[i]);
    std::fprintf(f, "\n");
}

// A private folder for the result work file of one run, removed at the end.
struct PrivateFolder {
    fs::path path;
    PrivateFolder() {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "velkar-cli-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) path = made;
    }
    ~PrivateFolder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
};

bool copyToStream(const fs::path& file, std::FILE* out) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return false;
    char buf[1 << 16];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) {
        if (std::fwrite(buf, 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    std::fclose(in);
    return std::fflush(out) == 0 && ok;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

}  // namespace

int cmdConvert(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    if (!args.parse(argv, {{"--help", false}, {"--instrument"}, {"--output"}, {"-o"}}, error)) {
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
        int n = 0;
        const char* const* outputs = conversion::formatOutputs(n);
        listNames(ctx.out, "output", outputs, n);
        return kExitOk;
    }
    const auto instrument = args.value("--instrument");
    const auto output = args.value("--output");
    if (!instrument || !output || args.positional().size() != 1) {
        std::fprintf(ctx.err, "velkar-cli convert: %s\n%s",
                     args.positional().size() > 1 ? "only one RAWFILE" : "--instrument, --output and RAWFILE are needed",
                     kUsage);
        return kExitUsage;
    }
    bool knownInstrument = false;
    for (const char* i : kInstruments) knownInstrument = knownInstrument || *instrument == i;
    if (!knownInstrument) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown instrument \"%s\"; ", instrument->c_str());
        listNames(ctx.err, "instrument", kInstruments, 5);
        return kExitUsage;
    }
    int outputCount = 0;
    const char* const* outputs = conversion::formatOutputs(outputCount);
    bool knownOutput = false;
    for (int i = 0; i < outputCount; ++i) knownOutput = knownOutput || *output == outputs[i];
    if (!knownOutput) {
        std::fprintf(ctx.err, "velkar-cli convert: unknown output \"%s\"; ", output->c_str());
        listNames(ctx.err, "output", outputs, outputCount);
        return kExitUsage;
    }
    const fs::path raw = args.positional()[0];
    const auto outFile = args.value("-o");
    if (outFile && sameFile(raw, *outFile)) {
        std::fprintf(ctx.err, "velkar-cli convert: %s is the input; it is never replaced\n", outFile->c_str());
        return kExitFailed;
    }

    PrivateFolder folder;
    if (folder.path.empty()) {
        std::fprintf(ctx.err, "velkar-cli convert: no temporary folder could be made\n");
        return kExitFailed;
    }
    ConsoleDialogs dialogs(ctx.err);
    dialogs.setFileAnswer([&](const FileDialogRequest&) { return FileDialogResult{raw, 1}; });
    NullEventPump pump;
    ResultTable table;
    conversion::ConversionWindow w(dialogs, pump, table, folder.path);
    w.keepRows = false;
    w.instrumentText = *instrument;
    w.outputText = *output;
    conversion::ConversionState state;
    if (conversion::runAction(w, state) != conversion::ActionOutcome::Converted) return kExitFailed;

    if (!outFile) {
        if (!copyToStream(w.resultWorkFile(), ctx.out)) {
            std::fprintf(ctx.err, "velkar-cli convert: the result could not be written\n");
            return kExitFailed;
        }
        return kExitOk;
    }
    if (!moveFileReplacing(w.resultWorkFile(), *outFile, error)) {
        std::fprintf(ctx.err, "velkar-cli convert: %s: %s\n", outFile->c_str(), toUtf8(error).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velkar::cli
