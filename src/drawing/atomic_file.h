// Writing a file whole or not at all: the bytes go to a temporary file in the
// target's folder, which is renamed over the target at the end.  A failure or
// a kill never leaves a cut file under the final name nor destroys the earlier
// file.
#pragma once

#include <filesystem>
#include <string>

namespace velkar::drawing {

class AtomicTarget {
  public:
    explicit AtomicTarget(std::filesystem::path target) : target_(std::move(target)) {}
    ~AtomicTarget();  // removes the temporary file when not committed
    AtomicTarget(const AtomicTarget&) = delete;
    AtomicTarget& operator=(const AtomicTarget&) = delete;

    // Creates the temporary file (with the permissions a new file gets);
    // false and error (the reason) when it cannot be made.
    bool create(std::string& error);
    const std::filesystem::path& temporary() const { return temp_; }
    // Renames the temporary file to the target.
    bool commit(std::string& error);

  private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
};

}  // namespace velkar::drawing
