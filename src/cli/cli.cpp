#include "cli/cli.h"

#include <cstring>

#include "cli/args.h"

namespace velkar::cli {
namespace {

struct CommandEntry {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>&, Context&);
};

const CommandEntry kCommands[] = {
    {"convert", "convert a total-station raw file (NETCAD, EGHAS, GEOCAD, coordinates)",
     cmdConvert},
    {"level", "DL-100 levelling: elevation report, notebook, adjustment", cmdLevel},
    {"dxf", "COORDFILE [-o OUT.dxf]: R12 DXF of a coordinate file", cmdDxf},
    {"plot", "INPUT (--svg|--png|--pdf) OUT: the plan view of a coordinate file", cmdPlot},
    {"xls", "TEXTFILE: write the workbook TEXTFILE.xls", cmdXls},
    {"gts720", "INFILE OUTNAME: write the GTS-720 / GPT-7000 file OUTNAME.txt", cmdGts720},
    {"download", "receive a file from an instrument", cmdDownload},
    {"upload", "send a file to an instrument", cmdUpload},
    {"ports", "list the usable serial ports", cmdPorts},
};

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
        if (cmd == c.name)
            return c.run(std::vector<std::string>(argv.begin() + 1, argv.end()), ctx);
    }
    std::fprintf(ctx.err, "velkar-cli: unknown command '%s'; the commands are:", cmd.c_str());
    for (const auto& c : kCommands) std::fprintf(ctx.err, " %s", c.name);
    std::fprintf(ctx.err, "\n");
    return kExitUsage;
}

}  // namespace velkar::cli
