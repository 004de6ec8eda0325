#include "platform/console/process_guard.h"

#include <csignal>
#include <random>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace velkar {
namespace {

void (*stopAction)() = nullptr;
volatile std::sig_atomic_t stopButtonPressed = 0;

#ifdef _WIN32
BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    stopAction();  // the system runs this handler on a thread of its own
    return TRUE;
}

BOOL WINAPI onStopButton(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (stopButtonPressed) return FALSE;  // the second one ends the program
    stopButtonPressed = 1;
    return TRUE;
}
#else
int stopPipe[2] = {-1, -1};
struct sigaction previousInterrupt {};

extern "C" void onStopButton(int) {
    stopButtonPressed = 1;
}

extern "C" void onStopSignal(int) {
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
    errno = saved;
}
#endif

}  // namespace

std::filesystem::path makeProcessFolder(const std::filesystem::path& base,
                                        const std::string& prefix) {
    const std::string stem = prefix + std::to_string(currentProcessId()) + "-";
#ifdef _WIN32
    static std::mt19937 random{std::random_device{}()};
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = stem;
        for (int i = 0; i < 6; ++i) name += kLetters[random() % 36];
        std::error_code ec;
        if (std::filesystem::create_directory(base / name, ec)) return base / name;
        if (ec) return {};
    }
    return {};
#else
    std::string pattern = (base / (stem + "XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
#endif
}

void runOnStopRequest(void (*action)()) {
    if (stopAction) return;
    stopAction = action;
#ifdef _WIN32
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    if (::pipe(stopPipe) != 0) return;
    std::thread([] {
        char byte;
        while (::read(stopPipe[0], &byte, 1) < 0 && errno == EINTR) {
        }
        stopAction();
    }).detach();
    struct sigaction handler {};
    handler.sa_handler = onStopSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    sigaction(SIGINT, &handler, nullptr);
    sigaction(SIGTERM, &handler, nullptr);
#endif
}

StopButton::StopButton() {
    stopButtonPressed = 0;
#ifdef _WIN32
    ::SetConsoleCtrlHandler(onStopButton, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = onStopButton;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the program the hard way
    sigaction(SIGINT, &action, &previousInterrupt);
#endif
}

StopButton::~StopButton() {
#ifdef _WIN32
    ::SetConsoleCtrlHandler(onStopButton, FALSE);
#else
    sigaction(SIGINT, &previousInterrupt, nullptr);
#endif
}

bool StopButton::pressed() {
    return stopButtonPressed != 0;
}

}  // namespace velkar
