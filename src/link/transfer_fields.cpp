#include "link/transfer_fields.h"

#include <cstdio>

namespace velkar::link {

int SATIR_AYIR(TransferFields& f) {
    for (auto& field : f.SATIR_ALANLARI) field.clear();
    std::string_view line = f.SATIR;
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    std::size_t index = 0;
    std::string current;
    bool afterSeparator = false;
    auto store = [&] {
        if (index < kFieldCount) f.SATIR_ALANLARI[index] = current;
    };
    for (char c : line) {
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
    return static_cast<int>(index + 1);
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
