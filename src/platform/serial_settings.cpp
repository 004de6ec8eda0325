#include "platform/serial_settings.h"

#include <vector>

#include "platform/cp1254.h"

namespace velkar {
namespace {

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::vector<std::string> splitCommas(std::string_view s) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (c == ',') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    parts.push_back(cur);
    return parts;
}

}  // namespace

std::string buildSettingsText(std::string_view baud, std::string_view parity, std::string_view data,
                              std::string_view stop) {
    std::string s(baud);
    if (parity == "NONE") {
        s += ",n,";
    } else if (parity == "ODD") {
        s += ",o,";
    } else if (parity == "EVEN") {
        s += ",e,";
    }
    s += data;
    s += ",";
    s += stop;
    return s;
}

std::optional<SerialSettings> parseSettingsText(std::string_view text, std::string* reason) {
    auto fail = [&](const char* why) -> std::optional<SerialSettings> {
        if (reason) *reason = cp1254(why) + " (" + std::string(text) + ")";
        return std::nullopt;
    };
    const auto parts = splitCommas(text);
    if (parts.size() != 4) return fail("ayar metni hız,parite,veri,dur biçiminde değil");
    SerialSettings s;
    if (!allDigits(parts[0]) || parts[0].size() > 7) return fail("geçersiz baud hızı");
    s.baud = std::stoi(parts[0]);
    if (s.baud < 50) return fail("geçersiz baud hızı");
    const std::string& p = parts[1];
    if (p == "n" || p == "N") {
        s.parity = Parity::None;
    } else if (p == "o" || p == "O") {
        s.parity = Parity::Odd;
    } else if (p == "e" || p == "E") {
        s.parity = Parity::Even;
    } else {
        return fail("geçersiz parite");
    }
    if (parts[2] != "5" && parts[2] != "6" && parts[2] != "7" && parts[2] != "8") {
        return fail("geçersiz veri biti sayısı");
    }
    s.dataBits = parts[2][0] - '0';
    if (parts[3] != "1" && parts[3] != "2") return fail("geçersiz dur biti sayısı");
    s.stopBits = parts[3][0] - '0';
    return s;
}

std::optional<PortId> parsePortText(std::string_view text) {
    const bool isPath = !text.empty() && (text.front() == '/' || text.rfind("\\\\.\\", 0) == 0 ||
                                          text.find("tty") != std::string_view::npos);
    if (isPath) return PortId{0, std::string(text)};
    if (text.size() <= 3) return std::nullopt;
    std::string digits;
    for (char c : text.substr(3)) {
        if (c == ' ') continue;
        if (c < '0' || c > '9') break;
        digits.push_back(c);
    }
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    const int n = std::stoi(digits);
    if (n < 1) return std::nullopt;
    return PortId{n, {}};
}

}  // namespace velkar
