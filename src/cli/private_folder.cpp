#include "cli/private_folder.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>

#include "platform/textfile.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const std::string kPrefix = "velkar-cli-";

fs::path temporaryBase() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);  // honours TMPDIR
    return ec ? fs::path("/tmp") : base;
}

// "velkar-cli-PID-XXXXXX": the process id of the run that made it.
pid_t ownerOf(const std::string& name) {
    if (name.rfind(kPrefix, 0) != 0) return 0;
    const auto dash = name.find('-', kPrefix.size());
    if (dash == std::string::npos || dash == kPrefix.size()) return 0;
    pid_t pid = 0;
    for (std::size_t i = kPrefix.size(); i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

int stopPipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

void removeStalePrivateFolders(const fs::path& base) {
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t pid = ownerOf(it->path().filename().string());
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;  // alive, or not ours to judge
        std::error_code ignore;
        if (it->is_directory(ignore)) fs::remove_all(it->path(), ignore);
    }
}

PrivateFolder::PrivateFolder() {
    const fs::path base = temporaryBase();
    removeStalePrivateFolders(base);
    std::string pattern = (base / (kPrefix + std::to_string(::getpid()) + "-XXXXXX")).string();
    const auto lock = lockFileChanges();
    if (::mkdtemp(pattern.data())) {
        path_ = pattern;
        notePendingFile(path_);
    }
}

PrivateFolder::~PrivateFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    const auto lock = lockFileChanges();
    fs::remove_all(path_, ec);
    forgetPendingFile(path_);
}

void stopCleanlyOnSignals(std::FILE* err) {
    if (stopPipe[0] >= 0 || ::pipe(stopPipe) != 0) return;
    // The handler only wakes this thread; the tidying up runs here, outside the
    // signal, and holds the file lock to the end so that no writer of the run
    // can create or rename a file behind it.
    std::thread([err] {
        char byte;
        while (::read(stopPipe[0], &byte, 1) < 0 && errno == EINTR) {
        }
        [[maybe_unused]] const auto lock = lockFileChanges();
        removePendingFiles();
        std::fputs("velkar-cli: durduruldu\n", err);
        std::fflush(err);
        ::_exit(1);
    }).detach();
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace velkar::cli
