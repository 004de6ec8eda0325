#include "platform/cp1254.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <gtest/gtest.h>

namespace velkar {
namespace {

// The byte as UTF-8, read by an independent reader of the code page: glibc's
// iconv, or Windows' own code page 1254 there.  Empty when it has no character.
std::string independentUtf8(char byte) {
#ifdef _WIN32
    wchar_t wide[2];
    char utf8[8];
    const int n = MultiByteToWideChar(1254, MB_ERR_INVALID_CHARS, &byte, 1, wide, 2);
    const int m = n > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, 8, nullptr, nullptr) : 0;
    return std::string(utf8, m > 0 ? static_cast<size_t>(m) : 0);
#else
    iconv_t cd = iconv_open("UTF-8", "CP1254");
    char out[8];
    char* inp = &byte;
    char* outp = out;
    size_t inLeft = 1, outLeft = sizeof out;
    const bool ok = iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    return ok ? std::string(out, sizeof out - outLeft) : std::string();
#endif
}

TEST(Cp1254, EveryDefinedByteMatchesAnIndependentReader) {
    const std::string undefinedBytes = "\x81\x8D\x8E\x8F\x90\x9D\x9E";
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        if (undefinedBytes.find(one) != std::string::npos) {
            // Mapped to the C1 control of the same value, and back.
            EXPECT_EQ(cp1254ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
            EXPECT_EQ(cp1254(toUtf8(one)), one);
            continue;
        }
        const std::string expected = independentUtf8(one[0]);
        ASSERT_FALSE(expected.empty()) << "the reader rejects byte " << b;
        EXPECT_EQ(toUtf8(one), expected) << "byte " << b;
        EXPECT_EQ(cp1254(expected), one) << "byte " << b;
    }
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
