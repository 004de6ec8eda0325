#include "platform/program_folder.h"

#include <cstdlib>

#include "platform/cp1254.h"
#include "platform/textfile.h"

namespace velkar {

std::filesystem::path programFolder() {
#ifdef _WIN32
    return std::filesystem::path("C:\\VELKAR");
#else
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        return std::filesystem::path(xdg) / "VELKAR";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "VELKAR";
#endif
}

bool ensureFolder(const std::filesystem::path& folder, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    const auto lock = lockFileChanges();
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = systemErrorText(ec.value());
        return false;
    }
    return true;
}

std::string pathText(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return cp1254(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
}

std::filesystem::path textPath(const std::string& text) {
    const std::string u = toUtf8(text);
    return std::filesystem::path(std::u8string(u.begin(), u.end()));
}

}  // namespace velkar
