#include "conversion/family.h"

#include <cctype>

#include "platform/numbers.h"

namespace velkar::conversion {
namespace {

const char* const kKeywords700[] = {"GTS-7", "JOB",   "UNITS", "STN", "BKB",   "BS",  "SS",
                                    "FS",    "HV",    "SD",    "HD",  "XYZ",   "OFF", "INST",
                                    "SCALE", "ATMOS", "NOTE",  "POS", "POINT", "PTL", "TARGET"};

bool isSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t';
}

std::string firstField(const std::string& line) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    size_t end = start;
    while (end < line.size() && !isSeparator(line[end])) ++end;
    return line.substr(start, end - start);
}

bool startsWithKeyword700(const std::string& line) {
    const std::string first = firstField(line);
    for (const char* k : kKeywords700) {
        if (first == k) return true;
    }
    return first.rfind("GTS-7", 0) == 0;
}

int fieldCount(const std::string& line) {
    int n = 0;
    for (size_t k = 0; k < line.size(); ++k) {
        if (!isSeparator(line[k]) && (k == 0 || isSeparator(line[k - 1]))) ++n;
    }
    return n;
}

bool looks700(const std::string& line) {
    if (startsWithKeyword700(line)) return true;
    if (line.find('_') != std::string::npos) return false;
    // Separated fields: a name and numbers (a coordinate list, an offset list).
    return line.find(',') != std::string::npos || fieldCount(line) >= 3;
}

bool looks200(const std::string& line) {
    if (startsWithKeyword700(line)) return false;
    const std::string t = trimBlanks(line);
    if (t.rfind("_'", 0) == 0) return true;
    const size_t p = t.find('_');
    if (p == std::string::npos) return false;
    size_t k = p + 1;
    if (k < t.size() && t[k] == ' ') ++k;
    if (k >= t.size()) return false;
    const char kind = t[k];
    static const std::string kRecords = "'R*<?W[(U/x";
    if (kRecords.find(kind) == std::string::npos) return false;
    return kind == '*' || t.find(',') == std::string::npos;
}

}  // namespace

bool looksLikeOtherFamily(const std::vector<std::string>& lines, const std::string& family) {
    if (family != "200" && family != "700") return false;
    int other = 0;
    int seen = 0;
    for (const std::string& line : lines) {
        if (trimBlanks(line).empty()) continue;
        if (++seen > kFamilyCheckLines) break;
        const bool own = family == "200" ? looks200(line) : looks700(line);
        const bool foreign = family == "200" ? looks700(line) : looks200(line);
        if (foreign && !own) ++other;
    }
    return seen > 0 && 2 * other > seen;
}

}  // namespace velkar::conversion
