#include "platform/line_fields.h"

namespace velkar {

std::vector<std::string> mainWindowSplit(std::string_view line, std::size_t* found) {
    // Leading blanks go first (a leading TAB or comma stays and gives an
    // empty field 0).  A run of separators ends one field only; a trailing
    // separator leaves an empty last field.
    const auto firstKept = line.find_first_not_of(' ');
    line.remove_prefix(firstKept == std::string_view::npos ? line.size() : firstKept);
    std::vector<std::string> fields;
    std::size_t index = 0;
    std::string current;
    bool afterSeparator = false;
    auto store = [&] {
        if (index >= kMainWindowFieldCount) return;
        if (fields.size() <= index) fields.resize(index + 1);
        fields[index] = current;
    };
    for (const char c : line) {
        if (c == ',' || c == ' ' || c == '\t') {
            store();
            if (!afterSeparator) ++index;
            current.clear();
            afterSeparator = true;
        } else {
            current.push_back(c);
            afterSeparator = false;
        }
    }
    store();
    if (found) *found = index + 1;
    return fields;
}

const std::string& fieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string empty;
    return i < fields.size() ? fields[i] : empty;
}

}  // namespace velkar
