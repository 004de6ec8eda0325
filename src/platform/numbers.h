// Number forms of the program's files and reports.
//
// Every number the program reads or writes passes through these helpers, so
// that the results do not depend on the system locale (a Turkish locale writes
// a decimal comma) and are the same on every platform.
//
//  - leading-number rule: leading blanks are skipped, then the longest prefix
//    that reads as a decimal number (sign, digits, one point, an exponent) is
//    taken; a text without one is 0.  A blank inside a number ends it.
//  - standard number text: a blank before non-negative values, "-" before
//    negative ones, up to 15 significant digits, no trailing zeros and no zero
//    before the point (0.5 is " .5", 0 is " 0").  Values of 1E+15 and more, or
//    below 1E-04, are written with an exponent (" 1E+15", " 1E-05").
//  - rounding to n decimals, ties to the even digit, decided on the decimal
//    value: the double is first written with 15 significant digits and that
//    digit string is rounded, so binary noise (1.2345650000000001) still counts
//    as the decimal tie it stands for.
//  - KSIL: the fixed-decimal form used in every column of the outputs: a sign
//    character ("-" or a blank), the integer digits, ".", exactly n decimals.
#pragma once

#include <string>
#include <string_view>

namespace velkar {

// The decimal value of a double as at most 15 significant digits.
struct Decimal {
    bool negative = false;
    std::string digits;  // significant digits without leading/trailing zeros; empty for 0
    int pointPos = 0;    // value = 0.digits * 10^pointPos

    static Decimal fromDouble(double value);
    bool isZero() const { return digits.empty(); }
    // Round to n digits after the point, ties to the even digit.
    Decimal rounded(int decimals) const;
    // "123.450" style text without sign: integer part ("0" when none), and when
    // decimals > 0 a point and exactly that many digits (decimals == 0 gives "123.").
    std::string fixedMagnitude(int decimals) const;
};

double leadingNumber(std::string_view text);
// True when the whole text, from its first character, is one number of the
// leading-number rule ("12", "-.5", "1e3", "2D1"); no blank before or after.
bool isWholeNumber(std::string_view text);

std::string standardNumberText(double value);

// value rounded to n decimals (ties to even, decided on the decimal value).
double roundHalfEven(double value, int decimals);

// The fixed-decimal text: sign character + integer part + "." + n decimals.
// A value that rounds to zero has a blank sign (" 0.000", never "-0.000").
std::string fixedText(double value, int decimals);

// KSIL: the number at the start of text (leading-number rule) in fixed-decimal form.
std::string KSIL(std::string_view text, int decimals);

// Alignment: pad on the left (right-aligned) or on the right (left-aligned) with
// blanks to width; a longer text is kept whole.
std::string padLeft(std::string_view text, size_t width);
std::string padRight(std::string_view text, size_t width);

std::string trimBlanks(std::string_view text);         // blanks only, both sides
std::string_view blankTrimmed(std::string_view text);  // the same, without a copy
std::string trimLeftBlanks(std::string_view text);     // blanks only

// Empties text; a buffer grown by a megabyte line is given back instead of kept
// for the short lines that follow.
inline void clearText(std::string& text) {
    if (text.capacity() > (std::size_t{64} << 10)) {
        std::string().swap(text);
    } else {
        text.clear();
    }
}
std::string trimRightBlanks(std::string_view text);  // blanks only

}  // namespace velkar
