// velkar-cli: the program's routines without a window.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velkar {
class SerialPort;
class EventPump;
}  // namespace velkar

namespace velkar::cli {

struct Context {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    // The port the transfer and port commands use (a real one in velkar-cli).
    SerialPort* port = nullptr;
    // Waits for port data between the passes of a transfer (woken by the port).
    EventPump* pump = nullptr;
};

// argv without the program name.  Returns the exit code.
int run(const std::vector<std::string>& argv, Context& ctx);

// The commands, each in its own file.
int cmdPorts(const std::vector<std::string>& argv, Context& ctx);
int cmdXls(const std::vector<std::string>& argv, Context& ctx);
int cmdGts720(const std::vector<std::string>& argv, Context& ctx);
int cmdLevel(const std::vector<std::string>& argv, Context& ctx);
int cmdDownload(const std::vector<std::string>& argv, Context& ctx);
int cmdUpload(const std::vector<std::string>& argv, Context& ctx);
int cmdConvert(const std::vector<std::string>& argv, Context& ctx);
int cmdDxf(const std::vector<std::string>& argv, Context& ctx);
int cmdPlot(const std::vector<std::string>& argv, Context& ctx);

// Whether a command line draws (plot, level --profile): it then needs the
// font and painting services of a GUI application (without a display).
bool needsPainting(const std::vector<std::string>& argv);

}  // namespace velkar::cli
