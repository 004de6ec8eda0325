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
    std::size_t start = 0;  // the current field is line[start, i): no separator inside
    bool afterSeparator = false;
    auto store = [&](std::size_t end) {
        if (index >= kMainWindowFieldCount) return;
        if (fields.size() <= index) fields.resize(index + 1);
        fields[index].assign(line.substr(start, end - start));
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ',' || c == ' ' || c == '\t') {
            store(i);
            if (!afterSeparator) ++index;
            start = i + 1;
            afterSeparator = true;
        } else {
            afterSeparator = false;
        }
    }
    store(line.size());
    if (found) *found = index + 1;
    return fields;
}

const std::string& fieldOrEmpty(const std::vector<std::string>& fields, std::size_t i) {
    static const std::string empty;
    return i < fields.size() ? fields[i] : empty;
}

}  // namespace velkar
