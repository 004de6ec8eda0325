#include "cli/args.h"
#include "cli/cli.h"
#include "export/spreadsheet_export.h"
#include "platform/console/console_dialogs.h"

namespace velkar::cli {

int cmdXls(const std::vector<std::string>& argv, Context& ctx) {
    static const char* kUsage = "usage: velkar-cli xls TEXTFILE\n";
    Args args;
    std::string error;
    if (!args.parse(argv, {{"--help", false}}, error)) {
        std::fprintf(ctx.err, "velkar-cli xls: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(
            ctx.out,
            "%s\n"
            "\"Excel'e Dönüştür\": writes TEXTFILE.xls, an Excel 97-2003 workbook.\n"
            "Each line of TEXTFILE is one row of the sheet VELKAR (rows past 65536\n"
            "continue on VELKAR2, VELKAR3, ...); its first nine fields, separated by\n"
            "commas, blanks or TABs, fill columns A to I, every cell framed.  Plain\n"
            "decimal numbers become number cells, everything else text.\n"
            "Exit status: 0 written, 1 a file could not be read or written, 2 bad usage.\n",
            kUsage);
        return kExitOk;
    }
    if (args.positional().size() != 1) {
        std::fprintf(ctx.err, "velkar-cli xls: needs exactly one TEXTFILE\n%s", kUsage);
        return kExitUsage;
    }
    ConsoleDialogs dialogs(ctx.err);
    const bool written =
        exporting::exportSpreadsheetFile(dialogs, std::filesystem::path(args.positional()[0]));
    return written ? kExitOk : kExitFailed;
}

}  // namespace velkar::cli
