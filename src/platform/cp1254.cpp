#include "platform/cp1254.h"

#include <array>

namespace velkar {
namespace {

// 0x80..0x9F of Windows-1254 (0 = undefined byte).  0xA0..0xFF follow Latin-1
// except for the six Turkish letters handled in cp1254ToUnicode.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

int unicodeToCp1254(char32_t u) {
    if (u < 0x80) return static_cast<int>(u);
    switch (u) {
        case 0x011E:
            return 0xD0;  // Ğ
        case 0x0130:
            return 0xDD;  // İ
        case 0x015E:
            return 0xDE;  // Ş
        case 0x011F:
            return 0xF0;  // ğ
        case 0x0131:
            return 0xFD;  // ı
        case 0x015F:
            return 0xFE;  // ş
        case 0xD0:
        case 0xDD:
        case 0xDE:
        case 0xF0:
        case 0xFD:
        case 0xFE:
            return -1;  // Latin-1 letters whose places the Turkish ones took
        default:
            break;
    }
    if (u >= 0xA0 && u <= 0xFF) return static_cast<int>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh80[static_cast<size_t>(i)] == u && u != 0) return 0x80 + i;
    }
    if (u >= 0x80 && u <= 0x9F && kHigh80[u - 0x80] == 0) return static_cast<int>(u);
    return -1;
}

}  // namespace

char32_t cp1254ToUnicode(unsigned char b) {
    if (b < 0x80) return b;
    if (b < 0xA0) {
        const char16_t u = kHigh80[b - 0x80];
        return u != 0 ? u : b;
    }
    switch (b) {
        case 0xD0:
            return 0x011E;
        case 0xDD:
            return 0x0130;
        case 0xDE:
            return 0x015E;
        case 0xF0:
            return 0x011F;
        case 0xFD:
            return 0x0131;
        case 0xFE:
            return 0x015F;
        default:
            return b;
    }
}

std::string cp1254(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t u = 0;
        size_t len = 0;
        if (c < 0x80) {
            u = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            u = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            u = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            u = c & 0x07;
            len = 4;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool ok = i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            const auto cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
            } else {
                u = (u << 6) | (cc & 0x3F);
            }
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        i += len;
        const int b = unicodeToCp1254(u);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

std::string toUtf8(std::string_view cp) {
    std::string out;
    out.reserve(cp.size() + cp.size() / 4);
    for (char ch : cp) {
        const char32_t u = cp1254ToUnicode(static_cast<unsigned char>(ch));
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

}  // namespace velkar
