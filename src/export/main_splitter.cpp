#include "export/main_splitter.h"

namespace velkar::exporting {

std::vector<std::string> mainWindowSplit(std::string_view line) {
    const auto firstKept = line.find_first_not_of(' ');
    line.remove_prefix(firstKept == std::string_view::npos ? line.size() : firstKept);

    std::vector<std::string> fields;
    std::size_t index = 0;
    std::string current;
    bool previousWasSeparator = false;
    auto store = [&] {
        if (index >= kMainWindowFieldCount) return;
        if (fields.size() <= index) fields.resize(index + 1);
        fields[index] = current;
    };
    for (const char c : line) {
        if (c == ',' || c == ' ' || c == '\t') {
            store();
            if (!previousWasSeparator) ++index;
            current.clear();
            previousWasSeparator = true;
        } else {
            current.push_back(c);
            previousWasSeparator = false;
        }
    }
    store();
    return fields;
}

const std::string& fieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string empty;
    return i < fields.size() ? fields[i] : empty;
}

}  // namespace velkar::exporting
