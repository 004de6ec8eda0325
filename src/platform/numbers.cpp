#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace velkar {

Decimal Decimal::fromDouble(double value) {
    Decimal d;
    if (!std::isfinite(value) || value == 0.0) return d;
    d.negative = value < 0;
    char buf[64] = {};
    // 15 significant digits, correctly rounded: "d.dddddddddddddde+XX".  to_chars
    // does not look at the locale (a Turkish locale would write a decimal comma).
    std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
    std::string mant;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') mant.push_back(*p);
    }
    const int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    size_t lead = 0;
    while (lead < mant.size() && mant[lead] == '0') ++lead;
    if (lead == mant.size()) return Decimal{};
    d.digits = mant.substr(lead);
    d.pointPos = exp10 + 1 - static_cast<int>(lead);
    return d;
}

Decimal Decimal::rounded(int decimals) const {
    if (isZero()) return *this;
    const int keep = pointPos + decimals;  // digits kept
    const int len = static_cast<int>(digits.size());
    if (keep >= len) return *this;
    Decimal r;
    r.negative = negative;
    if (keep < 0) return Decimal{};
    // Compare the dropped digits with one half of the last kept place.
    const char first = digits[static_cast<size_t>(keep)];
    const bool restNonZero = keep + 1 < len;  // trailing zeros are never stored
    bool up;
    if (first > '5') {
        up = true;
    } else if (first < '5') {
        up = false;
    } else if (restNonZero) {
        up = true;
    } else {
        const int lastKept = keep > 0 ? digits[static_cast<size_t>(keep - 1)] - '0' : 0;
        up = (lastKept % 2) == 1;
    }
    std::string kept = digits.substr(0, static_cast<size_t>(keep));
    int pos = pointPos;
    if (up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') {
            kept[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++pos;
        } else {
            ++kept[static_cast<size_t>(i)];
        }
    }
    while (!kept.empty() && kept.back() == '0') kept.pop_back();
    if (kept.empty()) return Decimal{};
    r.digits = kept;
    r.pointPos = pos;
    return r;
}

std::string Decimal::fixedMagnitude(int decimals) const {
    std::string integerDigits;
    std::string frac;
    const int len = static_cast<int>(digits.size());
    if (pointPos <= 0) {
        integerDigits = "0";
        frac.assign(static_cast<size_t>(-pointPos), '0');
        frac += digits;
    } else if (pointPos >= len) {
        integerDigits = digits + std::string(static_cast<size_t>(pointPos - len), '0');
    } else {
        integerDigits = digits.substr(0, static_cast<size_t>(pointPos));
        frac = digits.substr(static_cast<size_t>(pointPos));
    }
    if (integerDigits.empty()) integerDigits = "0";
    if (decimals < 0) decimals = 0;
    if (frac.size() < static_cast<size_t>(decimals))
        frac.append(static_cast<size_t>(decimals) - frac.size(), '0');
    frac.resize(static_cast<size_t>(decimals));
    return integerDigits + "." + frac;
}

namespace {

// The leading number of t: where it starts (after blanks and TABs) and ends;
// start == end when t has none.
std::pair<size_t, size_t> leadingNumberSpan(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    const size_t start = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return {start, start};
    size_t end = i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0) end = j;
    }
    return {start, end};
}

}  // namespace

bool isWholeNumber(std::string_view t) {
    const auto [start, end] = leadingNumberSpan(t);
    return start == 0 && end == t.size() && end > 0;
}

double leadingNumber(std::string_view t) {
    const auto [start, end] = leadingNumberSpan(t);
    if (start == end) return 0.0;
    std::string s(t.substr(start, end - start));
    size_t from = 0;
    if (!s.empty() && s[0] == '+') from = 1;
    for (char& c : s) {
        if (c == 'd' || c == 'D') c = 'e';
    }
    double v = 0.0;
    const auto r = std::from_chars(s.data() + from, s.data() + s.size(), v);
    if (r.ec != std::errc()) return 0.0;  // out of range
    return std::isfinite(v) ? v : 0.0;
}

std::string standardNumberText(double value) {
    const Decimal d = Decimal::fromDouble(value);
    if (d.isZero()) return " 0";
    std::string sign = d.negative ? "-" : " ";
    const int len = static_cast<int>(d.digits.size());
    if (d.pointPos > 15 || d.pointPos < -3) {
        // Exponent form: d.ddd E+XX with at least two exponent digits.
        std::string mant = d.digits.substr(0, 1);
        if (len > 1) mant += "." + d.digits.substr(1);
        const int e = d.pointPos - 1;
        char buf[16];
        std::snprintf(buf, sizeof buf, "E%c%02d", e < 0 ? '-' : '+', e < 0 ? -e : e);
        return sign + mant + buf;
    }
    std::string out;
    if (d.pointPos <= 0) {
        out = "." + std::string(static_cast<size_t>(-d.pointPos), '0') + d.digits;
    } else if (d.pointPos >= len) {
        out = d.digits + std::string(static_cast<size_t>(d.pointPos - len), '0');
    } else {
        out = d.digits.substr(0, static_cast<size_t>(d.pointPos)) + "." +
              d.digits.substr(static_cast<size_t>(d.pointPos));
    }
    return sign + out;
}

double roundHalfEven(double value, int decimals) {
    const Decimal r = Decimal::fromDouble(value).rounded(decimals);
    if (r.isZero()) return 0.0;
    const std::string s =
        (r.negative ? "-" : "") + std::string("0.") + r.digits + "e" + std::to_string(r.pointPos);
    double v = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

std::string fixedText(double value, int decimals) {
    const Decimal r = Decimal::fromDouble(value).rounded(decimals);
    const char sign = (r.negative && !r.isZero()) ? '-' : ' ';
    return sign + r.fixedMagnitude(decimals);
}

std::string KSIL(std::string_view text, int decimals) {
    return fixedText(leadingNumber(text), decimals);
}

std::string padLeft(std::string_view text, size_t width) {
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string padRight(std::string_view text, size_t width) {
    std::string s(text);
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

std::string trimLeftBlanks(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    return std::string(t.substr(i));
}

std::string trimRightBlanks(std::string_view t) {
    size_t n = t.size();
    while (n > 0 && t[n - 1] == ' ') --n;
    return std::string(t.substr(0, n));
}

std::string_view blankTrimmed(std::string_view t) {
    size_t begin = 0, end = t.size();
    while (begin < end && t[begin] == ' ') ++begin;
    while (end > begin && t[end - 1] == ' ') --end;
    return t.substr(begin, end - begin);
}

std::string trimBlanks(std::string_view t) {
    return std::string(blankTrimmed(t));
}

}  // namespace velkar
