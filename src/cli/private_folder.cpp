#include "cli/private_folder.h"

#include <stdlib.h>

#include <string>

namespace velkar::cli {

PrivateFolder::PrivateFolder() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);  // honours TMPDIR
    if (ec) base = "/tmp";
    std::string pattern = (base / "velkar-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

}  // namespace velkar::cli
