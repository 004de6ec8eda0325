#include "conversion/units.h"

#include <cctype>
#include <cmath>

#include "platform/numbers.h"

namespace velkar::conversion {
namespace {

constexpr long long kFullCircleSeconds = 360LL * 3600;

// The pieces of a DDD.MMSS text: sign, degrees, minutes, whole seconds and the
// digits after them.
struct Sexagesimal {
    bool negative = false;
    long long degrees = 0;
    int minutes = 0;
    int seconds = 0;
    std::string fraction;  // digits after the whole seconds
};

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

int twoDigits(const std::string& digits, size_t from) {
    auto digit = [&](size_t k) { return k < digits.size() ? digits[k] - '0' : 0; };
    return digit(from) * 10 + digit(from + 1);
}

std::optional<Sexagesimal> parse(std::string_view text) {
    size_t k = 0;
    while (k < text.size() && text[k] == ' ') ++k;
    Sexagesimal s;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) s.negative = text[k++] == '-';
    for (; k < text.size() && isDigit(text[k]); ++k) {
        if (s.degrees < 1000000000LL) s.degrees = s.degrees * 10 + (text[k] - '0');
    }
    std::string decimals;
    if (k < text.size() && text[k] == '.') {
        for (++k; k < text.size() && isDigit(text[k]); ++k) decimals.push_back(text[k]);
    }
    s.minutes = twoDigits(decimals, 0);
    s.seconds = twoDigits(decimals, 2);
    if (decimals.size() > 4) s.fraction = decimals.substr(4);
    if (s.minutes >= 60 || s.seconds >= 60) return std::nullopt;
    return s;
}

// True when the digits after the whole seconds round the seconds up: more
// than one half, or exactly one half on an odd second.
bool roundsUp(const Sexagesimal& s) {
    if (s.fraction.empty() || s.fraction[0] < '5') return false;
    if (s.fraction[0] > '5') return true;
    if (s.fraction.find_first_not_of('0', 1) != std::string::npos) return true;
    return s.seconds % 2 == 1;
}

std::string text(bool negative, long long totalSeconds, int decimals) {
    const long long d = totalSeconds / 3600;
    const int m = static_cast<int>(totalSeconds / 60 % 60);
    const int sec = static_cast<int>(totalSeconds % 60);
    std::string t = negative && totalSeconds != 0 ? "-" : " ";
    t += std::to_string(d) + ".";
    t.push_back(static_cast<char>('0' + m / 10));
    t.push_back(static_cast<char>('0' + m % 10));
    t.push_back(static_cast<char>('0' + sec / 10));
    t.push_back(static_cast<char>('0' + sec % 10));
    if (decimals > 4) t.append(static_cast<size_t>(decimals - 4), '0');
    return t;
}

}  // namespace

AngleUnit angleUnitOf(char letter) {
    switch (letter) {
        case 'g':
        case 'G':
            return AngleUnit::Gon;
        case 'd':
        case 'D':
            return AngleUnit::Degree;
        default:
            return AngleUnit::Unknown;
    }
}

DistanceUnit distanceUnitOf(char letter) {
    switch (letter) {
        case 'm':
        case 'M':
            return DistanceUnit::Metre;
        case 'f':
        case 'F':
            return DistanceUnit::Feet;
        default:
            return DistanceUnit::Unknown;
    }
}

std::optional<double> sexagesimalSeconds(std::string_view t) {
    const auto s = parse(t);
    if (!s) return std::nullopt;
    const double fraction = s->fraction.empty() ? 0.0 : leadingNumber("." + s->fraction);
    const double value =
        static_cast<double>(s->degrees) * 3600.0 + s->minutes * 60.0 + s->seconds + fraction;
    return s->negative ? -value : value;
}

double angleInGon(std::string_view t, AngleUnit unit) {
    switch (unit) {
        case AngleUnit::Gon:
            return leadingNumber(t);
        case AngleUnit::Degree:
            return sexagesimalSeconds(t).value_or(0.0) / 3240.0;
        case AngleUnit::Unknown:
            break;
    }
    return 0.0;
}

std::string sexagesimalText(double seconds, int decimals) {
    if (!std::isfinite(seconds)) seconds = 0.0;
    const double whole = roundHalfEven(std::fmod(seconds, double(kFullCircleSeconds)), 0);
    long long total = static_cast<long long>(whole) % kFullCircleSeconds;
    if (total < 0) total += kFullCircleSeconds;
    return text(false, total, decimals);
}

std::string roundedSexagesimalText(std::string_view t, int decimals) {
    const auto s = parse(t);
    if (!s) return KSIL(t, decimals);
    const long long total =
        s->degrees * 3600 + s->minutes * 60 + s->seconds + (roundsUp(*s) ? 1 : 0);
    return text(s->negative, total, decimals);
}

}  // namespace velkar::conversion
