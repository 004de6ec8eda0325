#include "platform/cp1254.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <gtest/gtest.h>

namespace velkar {
namespace {

#ifdef _WIN32
// Windows' own code page 1254 is the independent reader there.
std::string iconvConvert(const char*, const char*, const std::string& in, bool* ok) {
    wchar_t wide[8];
    const int n = MultiByteToWideChar(1254, MB_ERR_INVALID_CHARS, in.data(),
                                      static_cast<int>(in.size()), wide, 8);
    char utf8[32];
    const int m = n > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, 32, nullptr, nullptr) : 0;
    *ok = m > 0;
    return std::string(utf8, m > 0 ? static_cast<size_t>(m) : 0);
}
#else
// glibc's iconv is an independent reader of the code page.
std::string iconvConvert(const char* to, const char* from, const std::string& in, bool* ok) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        *ok = false;
        return {};
    }
    std::string src = in;
    std::string out(in.size() * 4 + 8, '\0');
    char* inp = src.data();
    size_t inLeft = src.size();
    char* outp = out.data();
    size_t outLeft = out.size();
    *ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}
#endif

TEST(Cp1254, EveryDefinedByteMatchesIconv) {
    const unsigned char undefinedBytes[] = {0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E};
    for (int b = 1; b < 256; ++b) {
        bool undefined = false;
        for (unsigned char u : undefinedBytes) undefined |= (u == b);
        const std::string one(1, static_cast<char>(b));
        if (undefined) {
            // Mapped to the C1 control of the same value, and back.
            EXPECT_EQ(cp1254ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
            EXPECT_EQ(cp1254(toUtf8(one)), one);
            continue;
        }
        bool ok = false;
        const std::string expected = iconvConvert("UTF-8", "CP1254", one, &ok);
        ASSERT_TRUE(ok) << "iconv rejects byte " << b;
        EXPECT_EQ(toUtf8(one), expected) << "byte " << b;
        EXPECT_EQ(cp1254(expected), one) << "byte " << b;
    }
}

TEST(Cp1254, TurkishLettersOfTheSettingsLabels) {
    // The labels of the settings file that depend on the code page.
    EXPECT_EQ(cp1254("CİHAZ1..:"), std::string("C\xDD"
                                               "HAZ1..:"));
    EXPECT_EQ(cp1254("MİRA1...:"), std::string("M\xDD"
                                               "RA1...:"));
    EXPECT_EQ(cp1254("ığüşöçĞÜŞİÖÇ"),
              std::string("\xFD\xF0\xFC\xFE\xF6\xE7\xD0\xDC\xDE\xDD\xD6\xC7"));
    EXPECT_EQ(toUtf8(cp1254("Dönüş Dosyası  Var")), "Dönüş Dosyası  Var");
}

TEST(Cp1254, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(cp1254("a\xE2\x82\xAC"
                     "b"),
              "a\x80"
              "b");                                    // the euro sign is in the page
    EXPECT_EQ(cp1254("\xE4\xB8\xAD"), "?");            // a CJK character is not
    EXPECT_EQ(cp1254("\xC3\x90"), "?");                // Ð: its byte holds Ğ here
    EXPECT_EQ(cp1254(std::string("x\xC3", 2)), "x?");  // cut sequence
    EXPECT_EQ(cp1254("\xFF"
                     "a"),
              "?a");  // not UTF-8 at all
}

}  // namespace
}  // namespace velkar
