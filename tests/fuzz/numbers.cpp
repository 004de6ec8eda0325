// The number rules: any text gives a leading number; its standard text reads
// back as the same standard text; KSIL gives exactly the decimals asked for;
// rounding never moves a value by more than half a unit of the last decimal.
#include <cmath>
#include <cstdlib>

#include "platform/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    if (size == 0) return 0;
    const int decimals = data[0] % 8;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const double v = leadingNumber(text);
    if (!std::isfinite(v)) return 0;
    const std::string standard = standardNumberText(v);
    if (standardNumberText(leadingNumber(standard)) != standard) std::abort();
    const std::string fixed = KSIL(text, decimals);
    const auto point = fixed.find('.');
    if (point == std::string::npos ||
        fixed.size() - point - 1 != static_cast<std::size_t>(decimals)) {
        std::abort();
    }
    if (std::fabs(v) < 1e12) {
        const double r = roundHalfEven(v, decimals);
        if (std::fabs(r - v) >
            0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + 1e-12 * std::fabs(v)) {
            std::abort();
        }
    }
    if (padLeft(text, 12).size() < 12 || padRight(text, 12).size() < 12) std::abort();
    return 0;
}
