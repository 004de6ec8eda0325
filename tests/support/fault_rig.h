// Faults a user's machine has: a full disk, read-only media, a program stopped
// or killed half-way.  The disk faults need root (a tmpfs is mounted); a test
// skips with the reason when it cannot have them.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace velkar::test {

// A tmpfs of the given size mounted on dir (created), unmounted at the end.
class SmallDisk {
  public:
    SmallDisk(const std::filesystem::path& dir, std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    // Empty when mounted, else why not (the test skips with it).
    const std::string& unavailable() const { return why_; }
    // Fills what is left of the disk.
    void fill() const;
    // Remounts it read-only: nobody can write into it, not even root (a
    // write-protected stick).
    void makeReadOnly() const;

  private:
    std::filesystem::path dir_;
    std::string why_;
};

// Starts a program reading nothing, its standard output and error going to files.
pid_t spawnProcess(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env,
                   const std::filesystem::path& outFile, const std::filesystem::path& errFile);
// Waits for it: the exit status, or 128 + signal; -1 when it had to be killed
// after the timeout (a program that waits forever fails the test, not the suite).
// peakKilobytes, when given, gets the most memory it held.
int waitForExit(pid_t pid, std::chrono::milliseconds timeout = std::chrono::minutes(5),
                long* peakKilobytes = nullptr);
// The names in a folder, sorted: what a run left behind.
std::vector<std::string> namesIn(const std::filesystem::path& dir);

}  // namespace velkar::test
