// GTS-210/220 family raw lines.
//
// The download stores one record per line, each line ending with the marker of
// the record that follows it ("_'" before a station, "_+" before a point).  A
// point line starts with the point name and "_", then one optional blank and
// the record character; a station line starts with "_'".  Numbers are digit
// groups at fixed positions with no decimal point: a value is built as the
// integer group, ".", and the decimal group.  Free-text items (code, heights)
// are "_", a type character, the text, and the next "_".
//
// A measurement writes the unit of its distance right after the distance
// digits ("m" metres, "f" feet) and the unit of its angles right after the
// horizontal-angle digits ("g" gon, "d" degrees as DDD.MMSS): in
// ?+00012345m0901220+1234550d the vertical angle is 90° 12' 20" and the
// horizontal one 123° 45' 50".  A degree angle with 60 or more minutes or
// seconds cannot be, and makes the record's angle unit unknown.
//
// Positions below are 1-based, counted from the record character, as the
// instrument's record layouts give them.  A step whose text piece does not
// exist (a missing "_" makes its length negative) is skipped and the field it
// would set keeps its value.
#include <optional>
#include <string>

#include "conversion/decoders.h"
#include "conversion/splitter.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"

namespace velkar::conversion {
namespace {

// 1-based position of c in s at or after from; 0 when absent.
long find(const std::string& s, char c, long from = 1) {
    if (from < 1) from = 1;
    if (static_cast<size_t>(from) > s.size()) return 0;
    const auto k = s.find(c, static_cast<size_t>(from - 1));
    return k == std::string::npos ? 0 : static_cast<long>(k) + 1;
}

// len characters from the 1-based position start (fewer at the line's end);
// no text at all for a start before the line or a negative length.
std::optional<std::string> mid(const std::string& s, long start, long len) {
    if (start < 1 || len < 0) return std::nullopt;
    if (static_cast<size_t>(start) > s.size()) return std::string();
    return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(len));
}

// Characters a to b (always a valid range here).
std::string chars(const std::string& s, long a, long b) {
    return mid(s, a, b - a + 1).value_or("");
}

// The value of the digit groups a–b and c–d: "a–b" + "." + "c–d".
std::string value(const std::string& s, long a, long b, long c, long d) {
    return chars(s, a, b) + "." + chars(s, c, d);
}

// Where a number stands in a fixed-position record: its whole digits from..to
// and its decimal digits from..to (positions as chars() counts them).
struct Group {
    long wholeFrom, wholeTo, decimalsFrom, decimalsTo;
};

std::string value(const std::string& s, const Group& g) {
    return value(s, g.wholeFrom, g.wholeTo, g.decimalsFrom, g.decimalsTo);
}

// The coordinate records: northing, easting, elevation.
struct CoordinateLayout {
    char kind;
    Group x, y, z;
};
constexpr CoordinateLayout kCoordinateLayouts[] = {
    {'U', {2, 7, 8, 10}, {11, 16, 17, 19}, {20, 25, 26, 28}},
    {'/', {2, 8, 9, 12}, {13, 19, 20, 23}, {24, 30, 31, 34}},
    {'W', {31, 37, 38, 41}, {42, 48, 49, 52}, {53, 59, 60, 63}},
    {'[', {32, 40, 41, 44}, {45, 53, 54, 57}, {58, 66, 67, 70}},
};

// The slope-distance records: slope distance, vertical and horizontal angle.
// The distance unit letter follows the distance group, the angle unit letter
// the horizontal-angle group.
struct PolarLayout {
    char kind;
    Group slope, vertical, horizontal;
};
constexpr PolarLayout kPolarLayouts[] = {
    {'?', {2, 7, 8, 10}, {12, 14, 15, 18}, {20, 22, 23, 26}},
    {'W', {2, 7, 8, 11}, {13, 15, 16, 19}, {22, 24, 25, 28}},
    {'[', {3, 8, 9, 12}, {14, 16, 17, 20}, {23, 25, 26, 29}},
    {'(', {2, 7, 8, 11}, {13, 15, 16, 20}, {22, 24, 25, 29}},  // angles with five decimals
};

// The layout of a record kind; a kind the table lacks reads as its last row.
template <class Layout, std::size_t N>
const Layout& layoutOf(const Layout (&table)[N], char kind) {
    for (const Layout& l : table) {
        if (l.kind == kind) return l;
    }
    return table[N - 1];
}

// The character after the digit group that ends at position end, passing over
// further digits the decoder does not read (a fifth decimal): the unit letter.
char letterAfter(const std::string& s, long end) {
    auto k = static_cast<size_t>(end < 0 ? 0 : end);
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
    return k < s.size() ? s[k] : '\0';
}

// Units of a measurement: the letters after its distance group (0: the record
// has no distance) and after its horizontal-angle group.
void readUnits(DecodedRecord& r, const std::string& line, long distanceEnd, long angleEnd) {
    r.distanceUnit =
        distanceEnd > 0 ? distanceUnitOf(letterAfter(line, distanceEnd)) : DistanceUnit::Metre;
    r.angleUnit = angleUnitOf(letterAfter(line, angleEnd));
}

// A degree record whose angles are no sexagesimal numbers has an unknown unit.
void checkDegrees(DecodedRecord& r) {
    if (r.angleUnit != AngleUnit::Degree) return;
    if (!sexagesimalSeconds(r.YATAY_ACI) || !sexagesimalSeconds(r.DUSEY_ACI)) {
        r.angleUnit = AngleUnit::Unknown;
    }
}

// An angle of the record with 4 decimals: a decimal number in gon, whole
// seconds of a sexagesimal one in degrees.
std::string angleText(const DecodedRecord& r, const std::string& raw) {
    return r.angleUnit == AngleUnit::Degree ? roundedSexagesimalText(raw, 4) : KSIL(raw, 4);
}

void dropFinalUnderscore(std::string& s) {
    if (!s.empty() && s.back() == '_') s.pop_back();
}

void warnInstrumentHeight(DecodedRecord& r, Dialogs& dialogs) {
    if (leadingNumber(trimBlanks(r.CIHAZ_YUK)) > r.CIHAZ_LIMIT) {
        dialogs.error(cp1254(" Noktasında Cihaz Yüksekliği ") + r.CIHAZ_YUK);
    }
}

// In place: a field of a long line is not copied again.
void padRightInPlace(std::string& s, size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
}

void padLeftInPlace(std::string& s, size_t width) {
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
}

void trimAndPadRight(std::string& s, size_t width) {
    const std::string_view t = blankTrimmed(s);
    const size_t begin = t.empty() ? 0 : static_cast<size_t>(t.data() - s.data());
    s.erase(begin + t.size());
    s.erase(0, begin);
    padRightInPlace(s, width);
}

// Station: "'", then "_" items: station name, code, instrument height.  A
// station stored without a name but with a code or an instrument height is
// still a set-up: it is named DURAK1, DURAK2, ... in the order of the file.
void station(DecodedRecord& r, std::string line, Dialogs& dialogs) {
    long p = find(line, '_');
    if (p <= 0) return;
    r.DUR_NOKTA = chars(line, 2, p - 1);
    bool hasItems = false;  // a code or height text that is not blank
    line.erase(0, static_cast<size_t>(p));
    p = find(line, '_');
    if (auto t = mid(line, 2, p - 2)) {
        r.ACIKLAMA = std::move(*t);
        hasItems = !blankTrimmed(r.ACIKLAMA).empty();
    }
    line.erase(0, static_cast<size_t>(std::max(p, 0L)));  // unchanged when there is no "_"
    p = find(line, '_');
    if (auto t = mid(line, 2, p - 2)) {
        r.CIHAZ_YUK = std::move(*t);
        hasItems = hasItems || !blankTrimmed(r.CIHAZ_YUK).empty();
    }
    if (blankTrimmed(r.DUR_NOKTA).empty() && hasItems) {
        r.DUR_NOKTA = "DURAK" + std::to_string(++r.unnamedStations);
    }
    padRightInPlace(r.DUR_NOKTA, 10);
    padLeftInPlace(r.CIHAZ_YUK, 5);
    warnInstrumentHeight(r, dialogs);
    if (!r.DUR_NOKTA.empty()) {
        r.DURAK_VAR = 1;
        r.KAYIT_KODU = "STN";
        r.YENI_DURAK = 1;
        r.YAZ_DURUMU = 2;
        r.OLCU_TURU = 0;
        r.NOKTA = r.DUR_NOKTA;
    }
}

// "R": horizontal distance, then the angles after its unit letter "m", the
// height difference after the angle unit letter "g", then code and reflector
// height.  In feet the distance letter is "f"; in degrees the angle letter "d".
void horizontalDistance(DecodedRecord& r, const std::string& line, bool topLevel) {
    r.YATAY_MES = value(line, 2, 7, 8, 10);
    long m = find(line, 'm');
    if (letterAfter(line, 10) == 'f') m = 11;
    r.DUSEY_ACI = value(line, m + 1, m + 3, m + 4, m + 7);
    r.YATAY_ACI = value(line, m + 9, m + 11, m + 12, m + 15);
    readUnits(r, line, 10, m + 15);
    checkDegrees(r);
    long g = find(line, 'g');
    if (letterAfter(line, m + 15) == 'd') g = m + 16;
    r.KOT_FARKI = value(line, g + 1, g + 6, g + 7, g + 9);
    const long p = find(line, '_');
    const long q = find(line, '_', p + 1);
    if (auto t = mid(line, p + 2, q - p - 2)) r.ACIKLAMA = *t;
    if (topLevel && q > 0) {
        r.REFLEKTOR = chars(line, q + 2, q + 6);
        dropFinalUnderscore(r.REFLEKTOR);
    }
    r.YATAY_MES = KSIL(r.YATAY_MES, 3);
    r.KOT_FARKI = KSIL(r.KOT_FARKI, 3);
    r.YATAY_ACI = angleText(r, r.YATAY_ACI);
    // The nested form leaves the vertical angle as the instrument wrote it.
    if (topLevel) r.DUSEY_ACI = angleText(r, r.DUSEY_ACI);
    r.KOT_FARKI = padLeft(r.KOT_FARKI, 7);
    r.YATAY_ACI = padLeft(r.YATAY_ACI, 9);
    r.DUSEY_ACI = padLeft(r.DUSEY_ACI, 10);
    r.YATAY_MES = padLeft(r.YATAY_MES, 8);
}

// Coordinates of "U", "/", "W" and "[" records.
void coordinates(DecodedRecord& r, const std::string& line, char kind) {
    r.KOOR_HAZIR = 1;
    const CoordinateLayout& at = layoutOf(kCoordinateLayouts, kind);
    r.KOOR_X = value(line, at.x);
    r.KOOR_Y = value(line, at.y);
    r.KOOR_Z = value(line, at.z);
    const long p = find(line, '_');
    const long q = find(line, '_', p + 1);
    if (kind == 'W' || kind == '[') {
        if (auto t = mid(line, p + 2, q - p - 2)) r.ACIKLAMA = *t;
        r.REFLEKTOR = chars(line, q + 2, q + 6);  // a fixed-length height
    } else if (kind == 'U') {
        // A "U" record carries a code only as a "_" item after the
        // coordinates; without one the point has no code.
        auto t = (p > 0 && q > 0) ? mid(line, p + 2, q - p - 2) : std::nullopt;
        r.ACIKLAMA = t.value_or("");
    }
    r.KOOR_X = padLeft(KSIL(r.KOOR_X, 4), 16);
    r.KOOR_Y = padLeft(KSIL(r.KOOR_Y, 4), 16);
    r.KOOR_Z = padLeft(KSIL(r.KOOR_Z, 4), 16);
}

// Slope distance, vertical and horizontal angle of "?", "W", "[" and "(".
void slopeDistance(DecodedRecord& r, const std::string& line, char kind) {
    r.YAZ_DURUMU = 2;
    const PolarLayout& at = layoutOf(kPolarLayouts, kind);
    r.EGIK_MES = value(line, at.slope);
    r.DUSEY_ACI = value(line, at.vertical);
    r.YATAY_ACI = value(line, at.horizontal);
    readUnits(r, line, at.slope.decimalsTo, at.horizontal.decimalsTo);
    checkDegrees(r);
    if (kind != 'W') {
        const long p = find(line, '_') + 2;
        const long q = find(line, '_', p);
        if (q > 0) {
            if (auto t = mid(line, p, q - p)) r.ACIKLAMA = *t;
            const long end = find(line, '_', q + 1);
            if (auto t = mid(line, q + 2, end - q - 2)) r.REFLEKTOR = *t;
            dropFinalUnderscore(r.REFLEKTOR);
        }
    }
    r.EGIK_MES = padLeft(KSIL(r.EGIK_MES, 3), 8);
    r.YATAY_ACI = padLeft(angleText(r, r.YATAY_ACI), 9);
    r.DUSEY_ACI = padLeft(angleText(r, r.DUSEY_ACI), 9);
    r.REFLEKTOR = padLeft(r.REFLEKTOR, 5);
}

// "*": "+" form (horizontal distance with its sign) or "_" form (reflector
// height, then a nested "?", "U" or "R" record).
void prefixed(DecodedRecord& r, const std::string& line) {
    r.YAZ_DURUMU = 2;
    const char form = line.size() >= 2 ? line[1] : '\0';
    if (form == '+') {
        r.YATAY_MES = value(line, 2, 7, 8, 11);
        r.DUSEY_ACI = value(line, 13, 15, 16, 19);
        r.YATAY_ACI = value(line, 22, 24, 25, 28);
        r.KOT_FARKI = value(line, 31, 36, 37, 40);
        readUnits(r, line, 11, 28);
        checkDegrees(r);
        const long c = find(line, ',');
        r.REFLEKTOR = chars(line, c + 1, c + 5);
        dropFinalUnderscore(r.REFLEKTOR);
        r.KOT_FARKI = padLeft(KSIL(r.KOT_FARKI, 4), 10);
        r.YATAY_MES = KSIL(r.YATAY_MES, 4);
        r.REFLEKTOR = padLeft(r.REFLEKTOR, 6);
        r.YATAY_ACI = padLeft(r.YATAY_ACI, 10);
        r.DUSEY_ACI = padLeft(r.DUSEY_ACI, 10);
        r.YATAY_MES = padLeft(r.YATAY_MES, 10);
    } else if (form == '_') {
        r.REFLEKTOR = chars(line, 4, 8);
        r.KOT_FARKI = KSIL(r.KOT_FARKI, 4);
        r.REFLEKTOR = padLeft(r.REFLEKTOR, 6);
        const std::string rest = line.size() >= 10 ? line.substr(10) : std::string();
        const char nested = rest.empty() ? '\0' : rest[0];
        if (nested == '?') {
            r.EGIK_MES = value(rest, 2, 7, 8, 10);
            r.DUSEY_ACI = value(rest, 12, 14, 15, 18);
            r.YATAY_ACI = value(rest, 20, 22, 23, 26);
            r.KOT_FARKI = value(rest, 30, 35, 37, 40);  // character 36 is skipped
            readUnits(r, rest, 10, 26);
            checkDegrees(r);
            r.EGIK_MES = KSIL(r.EGIK_MES, 4);
            r.DUSEY_ACI = angleText(r, r.DUSEY_ACI);
            r.YATAY_ACI = angleText(r, r.YATAY_ACI);
            r.KOT_FARKI = padLeft(r.KOT_FARKI, 10);
            r.YATAY_ACI = padLeft(r.YATAY_ACI, 9);
            r.DUSEY_ACI = padLeft(r.DUSEY_ACI, 9);
            r.EGIK_MES = padLeft(r.EGIK_MES, 8);
        } else if (nested == 'U') {
            coordinates(r, rest, 'U');
        } else if (nested == 'R') {
            horizontalDistance(r, rest, false);
        }
    }
}

// "<": angles only; the record has no distance.
void anglesOnly(DecodedRecord& r, const std::string& line) {
    r.YAZ_DURUMU = 2;
    r.DUSEY_ACI = value(line, 2, 4, 5, 8);
    r.YATAY_ACI = value(line, 10, 12, 13, 16);
    r.YATAY_MES = "   *****";
    r.EGIK_MES = "   *****";
    readUnits(r, line, 0, 16);
    checkDegrees(r);
    r.DUSEY_ACI = padLeft(angleText(r, trimBlanks(r.DUSEY_ACI)), 9);
    r.YATAY_ACI = padLeft(angleText(r, trimBlanks(r.YATAY_ACI)), 9);
}

// "x": coordinates as separated fields; each field is a letter, the integer
// digits and three decimals, plus one trailing character, all three fields
// as wide as the first.
void separatedCoordinates(DecodedRecord& r, std::string line) {
    r.KOOR_HAZIR = 1;
    SATIR_AYIR(line, r.ALANLAR, r.YAZ_DURUMU);
    const long n = static_cast<long>(r.ALANLAR[0].size()) - 5;
    std::string* coords[3] = {&r.KOOR_X, &r.KOOR_Y, &r.KOOR_Z};
    double* values[3] = {&r.xValue, &r.yValue, &r.zValue};
    for (int i = 0; i < 3; ++i) {
        std::string& c = *coords[i];
        c = trimBlanks(r.ALANLAR[static_cast<size_t>(i)]);
        if (auto head = mid(c, 2, n)) c = *head + "." + chars(c, n + 2, n + 4);
        *values[i] = leadingNumber(c);
        c = standardNumberText(*values[i]);
        c = padLeft(KSIL(c, 3), 16);
    }
}

void dropThroughGraveAccent(std::string& s) {
    const auto k = s.find('`');
    if (k != std::string::npos) s.erase(0, k + 1);
}

}  // namespace

void HAMDATACOZ_210(DecodedRecord& r, Dialogs& dialogs) {
    r.REFLEKTOR_LIMIT = 10.0;
    r.CIHAZ_LIMIT = 10.0;
    // The raw line is not read again after decoding; taking it saves a copy of a long line.
    std::string line = std::move(r.HAM_SATIR);
    const auto p = line.find('_');
    if (p != std::string::npos) {
        r.NOKTA = line.substr(0, p);
        line.erase(0, p + 1);
    }
    if (!line.empty() && line[0] == ' ') line.erase(0, 1);
    r.KAYIT_KODU = line.substr(0, 1);
    r.YENI_DURAK = 0;
    r.OLCU_TURU = 1;

    const char kind = line.empty() ? '\0' : line[0];
    switch (kind) {
        case '\'':
            station(r, std::move(line), dialogs);  // not read again
            break;
        case 'R':
            r.YAZ_DURUMU = 2;
            r.YATAY_MES.clear();
            r.DUSEY_ACI.clear();
            r.YATAY_ACI.clear();
            r.REFLEKTOR.clear();
            horizontalDistance(r, line, true);
            break;
        case '*':
            prefixed(r, line);
            break;
        case '<':
            anglesOnly(r, line);
            break;
        case '?':
        case '(':
            slopeDistance(r, line, kind);
            break;
        case 'W':
        case '[':
            slopeDistance(r, line, kind);
            coordinates(r, line, kind);
            break;
        case 'U':
        case '/':
            coordinates(r, line, kind);
            break;
        case 'x':
            separatedCoordinates(r, line);
            break;
        default:
            break;
    }

    if (leadingNumber(trimBlanks(r.REFLEKTOR)) > r.REFLEKTOR_LIMIT) {
        dialogs.error(cp1254(" Noktasında Reflektör Yüksekliği ") + r.REFLEKTOR);
    }
    // The first line after a station line is the backsight, whatever it holds.
    if (r.DURAK_VAR == 1 && r.YENI_DURAK == 0) {
        r.OLCU_TURU = 0;
        r.KAYIT_KODU = "BKB";
        r.DURAK_VAR = 0;
        r.BAK_NOKTA = r.NOKTA;
        r.BAKIS_ACISI = r.YATAY_ACI;
        r.backsightAngleUnit = r.angleUnit;
        r.YAZ_DURUMU = 2;
    }
    // A grave accent separates a prefix the instrument adds from the real text.
    for (std::string* s : {&r.CIHAZ_YUK, &r.NOKTA, &r.DUR_NOKTA, &r.REFLEKTOR, &r.ACIKLAMA}) {
        dropThroughGraveAccent(*s);
    }
    trimAndPadRight(r.DUR_NOKTA, 10);
    trimAndPadRight(r.NOKTA, 10);
    padLeftInPlace(r.REFLEKTOR, 6);
    padLeftInPlace(r.CIHAZ_YUK, 5);
}

}  // namespace velkar::conversion
