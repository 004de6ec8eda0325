#include "cli/args.h"
#include "cli/cli.h"
#include "export/gts720.h"
#include "platform/console/console_dialogs.h"

namespace velkar::cli {

int cmdGts720(const std::vector<std::string>& argv, Context& ctx) {
    static const char* kUsage = "usage: velkar-cli gts720 INFILE OUTNAME\n";
    Args args;
    std::string error;
    if (!args.parse(argv, {{"--help", false}}, error)) {
        std::fprintf(ctx.err, "velkar-cli gts720: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(
            ctx.out,
            "%s\n"
            "\"YXZ --> GTS-720 / GPT-7000\": writes OUTNAME.txt (\".txt\" is always\n"
            "appended), the comma-separated upload file.  Of each line of INFILE the\n"
            "first five fields (separated by commas, blanks or TABs) count:\n"
            "  a,b,c,      when the fourth field is empty (an empty line gives \",,,\")\n"
            "  a,b,c,d,e   otherwise\n"
            "Exit status: 0 written, 1 a file could not be read or written, 2 bad usage.\n",
            kUsage);
        return kExitOk;
    }
    if (args.positional().size() != 2) {
        std::fprintf(ctx.err, "velkar-cli gts720: needs INFILE and OUTNAME\n%s", kUsage);
        return kExitUsage;
    }
    ConsoleDialogs dialogs(ctx.err);
    const bool written =
        exporting::prepareGts720File(dialogs, std::filesystem::path(args.positional()[0]),
                                     std::filesystem::path(args.positional()[1]));
    return written ? kExitOk : kExitFailed;
}

}  // namespace velkar::cli
