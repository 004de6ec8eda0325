// A private folder for the result and work files of one command-line run,
// removed at its end: runs never meet each other nor the window's program
// folder, so any number of them can go in parallel.
//
// A run stopped by SIGINT or SIGTERM (Ctrl-C, a service manager, a batch
// script giving up) removes its private folder and every temporary file of a
// writer not yet in place, says "durduruldu" and ends with exit status 1: no
// half-written result is left under a name the user gave.  A run killed
// outright (SIGKILL) cannot tidy up; the next run removes the private folders
// of processes that no longer exist.
#pragma once

#include <cstdio>
#include <filesystem>

namespace velkar::cli {

class PrivateFolder {
  public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    // Empty when no folder could be made.
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// From now on SIGINT and SIGTERM end the process cleanly as described above;
// the message goes to err.
void stopCleanlyOnSignals(std::FILE* err);

// Removes the private folders left in base by processes that no longer run.
void removeStalePrivateFolders(const std::filesystem::path& base);

}  // namespace velkar::cli
