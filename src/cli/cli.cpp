#include "cli/cli.h"

#include <cstring>

#include "cli/args.h"
#include "cli/private_folder.h"
#include "platform/console/console_dialogs.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::cli {
namespace {

struct CommandEntry {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>&, Context&);
    // Stopped cleanly by SIGINT/SIGTERM (the transfers take Ctrl-C as their stop button).
    bool stopsOnSignals;
};

const CommandEntry kCommands[] = {
    {"convert", "convert a total-station raw file (NETCAD, EGHAS, GEOCAD, coordinates)", cmdConvert,
     true},
    {"level", "DL-100 levelling: elevation report, notebook, adjustment", cmdLevel, true},
    {"dxf", "COORDFILE [-o OUT.dxf]: R12 DXF of a coordinate file", cmdDxf, true},
    {"plot", "INPUT (--svg|--png|--pdf) OUT: the plan view of a coordinate file", cmdPlot, true},
    {"xls", "TEXTFILE: write the workbook TEXTFILE.xls", cmdXls, true},
    {"gts720", "INFILE OUTNAME: write the GTS-720 / GPT-7000 file OUTNAME.txt", cmdGts720, true},
    {"download", "receive a file from an instrument", cmdDownload, false},
    {"upload", "send a file to an instrument", cmdUpload, false},
    {"ports", "list the usable serial ports", cmdPorts, false},
};

bool copyToStream(const std::filesystem::path& file, std::FILE* out) {
    std::FILE* f = openFile(file, "rb");
    if (!f) return false;
    char buf[1 << 16];
    size_t n;
    bool ok = true;
    while (ok && (n = std::fread(buf, 1, sizeof buf, f)) > 0) ok = std::fwrite(buf, 1, n, out) == n;
    ok = ok && !std::ferror(f);
    std::fclose(f);
    return std::fflush(out) == 0 && ok;
}

void usage(std::FILE* f) {
    std::fprintf(f,
                 "usage: velkar-cli COMMAND [options]\n"
                 "       velkar-cli --version\n\n"
                 "The routines of velkar without a window: conversions, computations,\n"
                 "exports and transfers.  Each command has --help.\n\ncommands:\n");
    for (const auto& c : kCommands) std::fprintf(f, "  %-10s %s\n", c.name, c.summary);
}

}  // namespace

bool needsPainting(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    if (argv[0] == "plot") return true;
    if (argv[0] != "level") return false;
    for (const std::string& a : argv) {
        if (a == "--profile" || a.rfind("--profile=", 0) == 0) return true;
    }
    return false;
}

int run(const std::vector<std::string>& argv, Context& ctx) {
    if (argv.empty()) {
        usage(ctx.err);
        return kExitUsage;
    }
    const std::string& cmd = argv[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        usage(ctx.out);
        return kExitOk;
    }
    if (cmd == "--version") {
        std::fprintf(ctx.out, "velkar-cli %s\n", VELKAR_VERSION);
        return kExitOk;
    }
    for (const auto& c : kCommands) {
        if (cmd != c.name) continue;
        if (c.stopsOnSignals) stopCleanlyOnSignals(ctx.err);
        return c.run(std::vector<std::string>(argv.begin() + 1, argv.end()), ctx);
    }
    std::fprintf(ctx.err, "velkar-cli: unknown command '%s'; the commands are:", cmd.c_str());
    for (const auto& c : kCommands) std::fprintf(ctx.err, " %s", c.name);
    std::fprintf(ctx.err, "\n");
    return kExitUsage;
}

bool refuseReadOnlyOutput(Context& ctx, const char* command, const std::filesystem::path& target) {
    if (!isReadOnlyFile(target)) return true;
    std::fprintf(ctx.err, "velkar-cli %s: %s: %s\n", command, toUtf8(pathText(target)).c_str(),
                 toUtf8(readOnlyFileText()).c_str());
    return false;
}

bool deliverResult(Context& ctx, const char* command, ConsoleDialogs& dialogs,
                   const std::filesystem::path& saved, const std::optional<std::string>& target) {
    std::string error;
    if (!target) {
        if (!copyToStream(saved, ctx.out)) error = "standart çıktıya yazılamadı";
    } else if (refuseReadOnlyOutput(ctx, command, *target)) {
        if (!moveFileReplacing(saved, std::filesystem::path(*target), error) && error.empty()) {
            error = systemErrorText(EIO);
        }
        if (!error.empty()) error = *target + ": " + toUtf8(error);
    } else {
        dialogs.dropHeldMessages();
        return false;
    }
    if (!error.empty()) {
        dialogs.dropHeldMessages();
        std::fprintf(ctx.err, "velkar-cli %s: %s\n", command, error.c_str());
        return false;
    }
    return true;
}

}  // namespace velkar::cli
