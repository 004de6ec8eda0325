// A private folder for the result and work files of one command-line run,
// removed at its end: runs never meet each other nor the window's program
// folder, so any number of them can go in parallel.
#pragma once

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

}  // namespace velkar::cli
