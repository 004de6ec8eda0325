// velkar-cli: the program's routines without a window.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velkar {
class SerialPort;
class EventPump;
class ConsoleDialogs;
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

// What every command that writes files shares (the stop on SIGINT/SIGTERM is
// set up by run() for them, see private_folder.h).
//
// An existing output that is read-only is never replaced: "COMMAND: PATH:
// dosya yalnız okunabilir; üzerine yazılmadı" and false.
bool refuseReadOnlyOutput(Context& ctx, const char* command, const std::filesystem::path& target);
// Puts a finished result where the user asked for it: renamed (or copied)
// atomically to target, or to standard output without one.  A failure drops
// the boxes dialogs holds (the end message: they print when dialogs ends),
// prints "COMMAND: PATH: REASON" and gives false.
bool deliverResult(Context& ctx, const char* command, ConsoleDialogs& dialogs,
                   const std::filesystem::path& saved, const std::optional<std::string>& target);

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
