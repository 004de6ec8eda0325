// velkar-cli dxf: "DXF'e Dönüştür" without a window.
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>

#include "cli/args.h"
#include "cli/cli.h"
#include "cli/drawing_output.h"
#include "drawing/dxf_convert.h"
#include "platform/console/console_dialogs.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: velkar-cli dxf COORDFILE [-o OUT.dxf] [--xyz] [--text-height METRES]\n";

bool positiveNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value > 0;
}

}  // namespace

// The checks every drawing command makes on its input and output: the input
// a regular file, the output never the input, an existing output writable.
int checkInputOutput(const char* command, const fs::path& in, const fs::path& out, Context& ctx) {
    std::error_code ec;
    if (!fs::is_regular_file(in, ec)) {
        std::fprintf(ctx.err, "velkar-cli %s: %s: no such file\n", command, in.string().c_str());
        return kExitFailed;
    }
    if (fs::exists(out, ec) && fs::equivalent(in, out, ec)) {
        std::fprintf(ctx.err, "velkar-cli %s: %s is the input; it is never replaced\n", command,
                     out.string().c_str());
        return kExitFailed;
    }
    // Read-only: no write permission at all (which even a superuser respects here).
    constexpr auto anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(out, ec) &&
        (::access(out.c_str(), W_OK) != 0 ||
         (fs::status(out, ec).permissions() & anyWrite) == fs::perms::none)) {
        std::fprintf(ctx.err, "velkar-cli %s: %s is read-only; it is not replaced\n", command,
                     out.string().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int cmdDxf(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    if (!args.parse(argv, {{"--help", false}, {"-o"}, {"--xyz", false}, {"--text-height"}},
                    error)) {
        std::fprintf(ctx.err, "velkar-cli dxf: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(
            ctx.out,
            "%s\n"
            "\"DXF'e Dönüştür\": writes an AutoCAD R12 DXF of a coordinate file (a line\n"
            "per point: name, Y, X, Z, as the polygon file, the KOORDINAT result and the\n"
            "YXZ lists have them; --xyz for name, X, Y, Z as the XYZ lists).  Eastings go\n"
            "to DXF x, northings to DXF y.  Layers: NOKTALAR (points with their\n"
            "elevation), NOKTA_ADLARI, KOTLAR (texts), POLIGON_NOKTALARI, DURAKLAR,\n"
            "BAKIS_DOGRULARI.  The text height follows the drawing's extent unless\n"
            "--text-height is given.  Without -o the file is COORDFILE with .dxf; an\n"
            "existing one is replaced without a question, an input never.\n"
            "Exit status: 0 written, 1 a file could not be read or written or held no\n"
            "point, 2 bad usage.\n",
            kUsage);
        return kExitOk;
    }
    if (args.positional().size() != 1) {
        std::fprintf(ctx.err, "velkar-cli dxf: needs exactly one COORDFILE\n%s", kUsage);
        return kExitUsage;
    }
    double height = 0;
    if (const auto h = args.value("--text-height"); h && !positiveNumber(*h, height)) {
        std::fprintf(ctx.err,
                     "velkar-cli dxf: --text-height %s: give a positive number of metres\n%s",
                     h->c_str(), kUsage);
        return kExitUsage;
    }
    const fs::path in = args.positional()[0];
    const fs::path out = args.has("-o") ? fs::path(*args.value("-o")) : drawing::dxfNameFor(in);
    if (const int code = checkInputOutput("dxf", in, out, ctx); code != kExitOk) return code;
    ConsoleDialogs dialogs(ctx.err);
    const auto order =
        args.has("--xyz") ? drawing::AxisOrder::NameXYZ : drawing::AxisOrder::NameYXZ;
    return drawing::dxfFromCoordinateFile(dialogs, in, order, out, height) ? kExitOk : kExitFailed;
}

}  // namespace velkar::cli
