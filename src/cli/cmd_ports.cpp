#include "cli/args.h"
#include "cli/cli.h"
#include "link/port.h"
#include "platform/serial_settings.h"

namespace velkar::cli {

int cmdPorts(const std::vector<std::string>& argv, Context& ctx) {
    Args args;
    std::string error;
    if (!args.parse(argv, {{"--help", false}}, error) || !args.positional().empty()) {
        std::fprintf(ctx.err, "velkar-cli ports: %s\nusage: velkar-cli ports\n",
                     error.empty() ? "takes no arguments" : error.c_str());
        return kExitUsage;
    }
    if (args.has("--help")) {
        std::fprintf(ctx.out,
                     "usage: velkar-cli ports\n\n"
                     "Lists the serial ports that open, as the port choice of the main window\n"
                     "lists them: COM 1 to COM 16 (on Linux /dev/ttyS0 to /dev/ttyS15), then USB\n"
                     "adapters by their device path.  Any device path, a pseudo-terminal of\n"
                     "velkar-sim included, can be given to --port even when it is not listed.\n");
        return kExitOk;
    }
    if (!ctx.port) return kExitFailed;
    for (const std::string& item : link::porttara(*ctx.port)) {
        const auto id = parsePortText(item);
        if (id && id->path.empty()) {
            std::fprintf(ctx.out, "%s\t%s\n", item.c_str(), ctx.port->deviceName(*id).c_str());
        } else {
            std::fprintf(ctx.out, "%s\n", item.c_str());
        }
    }
    return kExitOk;
}

}  // namespace velkar::cli
