#include "export/main_splitter.h"

#include "link/transfer_fields.h"

namespace velkar::exporting {

std::vector<std::string> mainWindowSplit(std::string_view line) { return link::splitMainWindowLine(line); }

const std::string& fieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string empty;
    return i < fields.size() ? fields[i] : empty;
}

}  // namespace velkar::exporting
