#include "fuzz_support.h"

#include <unistd.h>

namespace velkar::fuzz {

std::filesystem::path scratch() {
    // Never destroyed: the exit handler below still needs it.
    static const std::filesystem::path* const dir = [] {
        std::error_code ec;
        auto* d = new std::filesystem::path(std::filesystem::temp_directory_path(ec) /
                                            ("velkar-fuzz-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*d, ec);
        std::atexit([] {
            std::error_code ignore;
            std::filesystem::remove_all(scratch(), ignore);
        });
        return d;
    }();
    return *dir;
}

std::filesystem::path writeScratch(const std::string& name, std::string_view bytes) {
    const auto path = scratch() / name;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        // An empty part of an input may have no data pointer at all.
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

std::pair<std::string_view, std::string_view> splitInput(std::string_view data) {
    const auto cut = data.find(std::string_view("\0\0", 2));
    if (cut == std::string_view::npos) return {data, {}};
    return {data.substr(0, cut), data.substr(cut + 2)};
}

Front::Front()
    : sink(std::fopen("/dev/null", "w")),
      dialogs(sink),
      w(dialogs, pump, table, scratch() / "work") {
    w.keepRows = false;
    dialogs.setFileAnswer([this](const FileDialogRequest& r) -> FileDialogResult {
        if (r.mode == FileDialogMode::Save) {
            return {scratch() / ("saved" + std::to_string(++saves) + ".txt"), 1};
        }
        if (opens.empty()) return {};
        const auto next = opens.front();
        opens.pop_front();
        return {next, 1};
    });
    dialogs.setInputAnswer([](const std::string&, const std::string&, const std::string&) {
        return std::optional<std::string>("100.000");
    });
}

}  // namespace velkar::fuzz
