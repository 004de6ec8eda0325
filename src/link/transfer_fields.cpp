#include "link/transfer_fields.h"

#include <cstdio>

namespace velkar::link {

std::vector<std::string> splitMainWindowLine(std::string_view line, std::size_t* found) {
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
        if (index >= kFieldCount) return;
        if (fields.size() <= index) fields.resize(index + 1);
        fields[index] = current;
    };
    for (const char c : line) {
        if (c == ',' || c == ' ' || c == TAB) {
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

int SATIR_AYIR(TransferFields& f) {
    for (auto& field : f.SATIR_ALANLARI) field.clear();
    std::size_t found = 0;
    const std::vector<std::string> fields = splitMainWindowLine(f.SATIR, &found);
    for (std::size_t i = 0; i < fields.size(); ++i) f.SATIR_ALANLARI[i] = fields[i];
    return static_cast<int>(found);
}

std::string blockCheck(std::string_view block) {
    unsigned check = 0;
    for (char c : block) check ^= static_cast<unsigned char>(c);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03u", check);
    return digits;
}

void BCC_HESAP(TransferFields& f) {
    f.BCC = blockCheck(f.BLOK);
}

}  // namespace velkar::link
