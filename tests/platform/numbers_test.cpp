#include "platform/numbers.h"

#include <clocale>

#include <gtest/gtest.h>

namespace velkar {
namespace {

TEST(LeadingNumber, ReadsTheLongestNumberAtTheStartOrZero) {
    EXPECT_DOUBLE_EQ(leadingNumber("  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(leadingNumber("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1.5d2"), 150.0);  // the "d" exponent some instruments write
    EXPECT_DOUBLE_EQ(leadingNumber("-2D-1"), -0.2);
    EXPECT_DOUBLE_EQ(leadingNumber("1e"), 1.0);   // an exponent without digits is not read
    EXPECT_DOUBLE_EQ(leadingNumber("1 2"), 1.0);  // a blank ends the number
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);
    for (const char* none : {"", "x1", "-", ".", "*****", "1e999"})  // out of range is no inf
        EXPECT_EQ(leadingNumber(none), 0.0) << none;
}

TEST(StandardNumberText, BlankOrMinusNoTrailingZerosNoLeadingZero) {
    EXPECT_EQ(standardNumberText(0.5), " .5");
    EXPECT_EQ(standardNumberText(-0.5), "-.5");
    EXPECT_EQ(standardNumberText(0), " 0");
    EXPECT_EQ(standardNumberText(12.3400), " 12.34");
    EXPECT_EQ(standardNumberText(0.00001), " 1E-05");
    EXPECT_EQ(standardNumberText(999999999999999.0), " 999999999999999");
    EXPECT_EQ(standardNumberText(-2.5e20), "-2.5E+20");
    EXPECT_EQ(standardNumberText(0.1 + 0.2), " .3");  // 15 significant digits
}

TEST(RoundHalfEven, TiesAreDecidedOnTheDecimalValue) {
    EXPECT_EQ(fixedText(1.2345650000000001, 5), " 1.23456");
    EXPECT_EQ(fixedText(2.675, 2), " 2.68");  // binary 2.67499999... still a decimal tie
    EXPECT_EQ(fixedText(2.665, 2), " 2.66");
    EXPECT_EQ(fixedText(2.66501, 2), " 2.67");  // more digits after the 5: no tie, up
    EXPECT_EQ(fixedText(1.2345651, 5), " 1.23457");
    EXPECT_EQ(fixedText(0.5, 0), " 0.");
    EXPECT_EQ(fixedText(-2.5, 0), "-2.");
    EXPECT_EQ(fixedText(9.9995, 3), " 10.000");  // tie, 9 is odd: up, carry into the integer
    EXPECT_DOUBLE_EQ(roundHalfEven(-0.70025, 4), -0.7002);
}

TEST(Ksil, FixedDecimalsWithSignCharacterNeverAnExponentNeverMinusZero) {
    EXPECT_EQ(KSIL("090.1230", 4), " 90.1230");
    EXPECT_EQ(KSIL("-0.25", 3), "-0.250");
    EXPECT_EQ(KSIL("1234.5678", 3), " 1234.568");
    EXPECT_EQ(KSIL("   *****", 3), " 0.000");
    EXPECT_EQ(KSIL("0.00003", 5), " 0.00003");
    EXPECT_EQ(KSIL("-0.0004", 3), " 0.000");
    EXPECT_EQ(KSIL("1E+16", 2), " 10000000000000000.00");
    EXPECT_EQ(KSIL("123456789012.12345", 5), " 123456789012.12300");  // 15 significant digits
}

TEST(Numbers, DoNotDependOnTheLocale) {
    // A Turkish locale writes a decimal comma; the program's numbers must not.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "tr_TR.UTF-8")) GTEST_SKIP() << "tr_TR.UTF-8 not installed";
    EXPECT_EQ(KSIL("1234.5678", 3), " 1234.568");
    EXPECT_DOUBLE_EQ(leadingNumber("3.25"), 3.25);
    EXPECT_EQ(standardNumberText(0.5), " .5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Alignment, PadsAndNeverCuts) {
    EXPECT_EQ(padLeft("1.5", 6), "   1.5");
    EXPECT_EQ(padRight("S1", 10), "S1        ");
    EXPECT_EQ(padLeft("POLIGON1234", 10), "POLIGON1234");
    EXPECT_EQ(trimBlanks("\ta  "), "\ta");  // blanks only
}

}  // namespace
}  // namespace velkar
