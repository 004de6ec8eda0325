// What a command-line run needs from the system to leave nothing behind, in
// the same words on every system: a private folder named after the process,
// whether the process that made one still runs, and an action to run when the
// user stops the program (Ctrl-C or SIGTERM on Linux; Ctrl-C, Ctrl-Break or a
// closed console window on Windows).
#pragma once

#include <filesystem>
#include <string>

#include "platform/process.h"

namespace velkar {

// A new folder "PREFIX<pid>-XXXXXX" in base, the X's chosen so that it is
// new; empty when none could be made.
std::filesystem::path makeProcessFolder(const std::filesystem::path& base,
                                        const std::string& prefix);

// From now on a stop request runs action once, on a thread of its own (never
// inside a signal handler), instead of ending the program at once; action is
// expected to end the process.
void runOnStopRequest(void (*action)());

// While one lives, Ctrl-C only presses the stop button of a transfer (pressed()
// turns true); a second Ctrl-C ends the program the usual way.
class StopButton {
  public:
    StopButton();
    ~StopButton();
    StopButton(const StopButton&) = delete;
    StopButton& operator=(const StopButton&) = delete;
    static bool pressed();
};

}  // namespace velkar
