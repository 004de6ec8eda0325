#include "link/transfer_fields.h"

#include "platform/line_fields.h"

#include <cstdio>

namespace velkar::link {

int SATIR_AYIR(TransferFields& f) {
    for (auto& field : f.SATIR_ALANLARI) field.clear();
    std::size_t found = 0;
    const std::vector<std::string> fields = mainWindowSplit(f.SATIR, &found);
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
