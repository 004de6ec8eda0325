#include "fault_rig.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

#include "golden.h"
#include "run_process.h"

namespace velkar::test {

SmallDisk::SmallDisk(const std::filesystem::path& dir, std::size_t bytes) : dir_(dir) {
    std::filesystem::create_directories(dir);
    if (::geteuid() != 0) {
        why_ = "needs root to mount a small tmpfs";
        return;
    }
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        why_ = std::string("tmpfs cannot be mounted here: ") + std::strerror(errno);
    }
}

SmallDisk::~SmallDisk() {
    if (why_.empty()) ::umount2(dir_.c_str(), MNT_DETACH);
}

void SmallDisk::fill() const {
    const int fd = ::open((dir_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'x');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    // The last partial block: what is left below a whole one.
    while (fd >= 0 && ::write(fd, "x", 1) > 0) {
    }
    if (fd >= 0) ::close(fd);
}

void SmallDisk::makeReadOnly() const {
    ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr);
}

pid_t spawnProcess(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env,
                   const std::filesystem::path& outFile, const std::filesystem::path& errFile) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

int waitForExit(pid_t pid, std::chrono::milliseconds timeout, long* peakKilobytes) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (peakKilobytes) *peakKilobytes = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> namesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env) {
    const auto dir = tempDir("run-process");
    const int exitCode = waitForExit(spawnProcess(program, args, env, dir / "out", dir / "err"));
    return {exitCode, readBytes(dir / "out"), readBytes(dir / "err")};
}

}  // namespace velkar::test
