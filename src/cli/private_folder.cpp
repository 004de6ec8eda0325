#include "cli/private_folder.h"

#include <cstdlib>
#include <string>

#include "platform/console/process_guard.h"
#include "platform/textfile.h"

namespace velkar::cli {
namespace {

namespace fs = std::filesystem;

const std::string kPrefix = "velkar-cli-";

fs::path temporaryBase() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);  // honours TMPDIR (TEMP on Windows)
    return ec ? fs::path("/tmp") : base;
}

// "velkar-cli-PID-XXXXXX": the process id of the run that made it.
long ownerOf(const std::string& name) {
    if (name.rfind(kPrefix, 0) != 0) return 0;
    const auto dash = name.find('-', kPrefix.size());
    if (dash == std::string::npos || dash == kPrefix.size()) return 0;
    long pid = 0;
    for (std::size_t i = kPrefix.size(); i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

std::FILE* stopMessageTo = stderr;

// Runs on a thread of its own, and holds the file lock to the end so that no
// writer of the run can create or rename a file behind it.
void stopNow() {
    [[maybe_unused]] const auto lock = lockFileChanges();
    removePendingFiles();
    std::fputs("velkar-cli: durduruldu\n", stopMessageTo);
    std::fflush(stopMessageTo);
    std::_Exit(1);
}

}  // namespace

void removeStalePrivateFolders(const fs::path& base) {
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const long pid = ownerOf(it->path().filename().string());
        if (pid <= 0 || pid == currentProcessId() || !processIsGone(pid)) continue;
        std::error_code ignore;
        if (it->is_directory(ignore)) fs::remove_all(it->path(), ignore);
    }
}

PrivateFolder::PrivateFolder() {
    const fs::path base = temporaryBase();
    removeStalePrivateFolders(base);
    const auto lock = lockFileChanges();
    path_ = makeProcessFolder(base, kPrefix);
    if (!path_.empty()) notePendingFile(path_);
}

PrivateFolder::~PrivateFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    const auto lock = lockFileChanges();
    fs::remove_all(path_, ec);
    forgetPendingFile(path_);
}

void stopCleanlyOnSignals(std::FILE* err) {
    stopMessageTo = err;
    runOnStopRequest(stopNow);
}

}  // namespace velkar::cli
