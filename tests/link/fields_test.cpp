#include "link/transfer_fields.h"

#include <gtest/gtest.h>

namespace velkar::link {
namespace {

std::vector<std::string> split(const std::string& line, TransferFields& f) {
    f.SATIR = line;
    const int n = SATIR_AYIR(f);
    return {f.SATIR_ALANLARI.begin(), f.SATIR_ALANLARI.begin() + n};
}

// The main window's splitter, shared by the uploads and the export tools: a
// run of separators ends one field; no field of an earlier line survives.
TEST(SatirAyir, ARunOfSeparatorsEndsOneField) {
    using V = std::vector<std::string>;
    TransferFields f;
    EXPECT_EQ(split("P1,100.5 200.25\t300", f), (V{"P1", "100.5", "200.25", "300"}));
    EXPECT_EQ(split("  A,,B,", f), (V{"A", "B", ""}));
    EXPECT_EQ(split(",A", f), (V{"", "A"}));
    EXPECT_EQ(split("\tA", f), (V{"", "A"}));  // a leading TAB stays
    EXPECT_EQ(split("A, \t,B", f), (V{"A", "B"}));
    EXPECT_EQ(split("   ", f), (V{""}));
    EXPECT_EQ(split("\xDE\xDD;x", f), (V{"\xDE\xDD;x"}));  // bytes as they are
    split("A,1,2,3,4,5", f);
    EXPECT_EQ(split("B", f), (V{"B"}));
    for (std::size_t i = 1; i < kFieldCount; ++i) EXPECT_EQ(f.SATIR_ALANLARI[i], "") << i;
    std::string line;
    for (int i = 0; i < 30; ++i) line += std::to_string(i) + ",";
    f.SATIR = line;
    EXPECT_EQ(SATIR_AYIR(f), 31);  // counted, but only 21 kept
    EXPECT_EQ(f.SATIR_ALANLARI[20], "20");
}

TEST(BccHesap, XorOfTheCodesAsThreeDigits) {
    TransferFields f;
    f.BLOK = "abc";
    BCC_HESAP(f);
    EXPECT_EQ(f.BCC, "096");
    EXPECT_EQ(blockCheck(""), "000");
    EXPECT_EQ(blockCheck("\xf0\x0f"), "255");
    EXPECT_EQ(blockCheck("abab"), "000");  // an XOR, not a sum
}

}  // namespace
}  // namespace velkar::link
