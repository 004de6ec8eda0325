#include "drawing/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/textfile.h"

namespace velkar::drawing {

AtomicTarget::~AtomicTarget() {
    if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicTarget::create(std::string& error) {
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = systemErrorText(errno);
        return false;
    }
    // mkstemp makes the file private; the result gets what any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    temp_ = pattern;
    return true;
}

bool AtomicTarget::commit(std::string& error) {
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        error = systemErrorText(ec.value());
        return false;
    }
    temp_.clear();
    return true;
}

}  // namespace velkar::drawing
