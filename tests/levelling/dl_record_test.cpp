#include "levelling/dl_record.h"

#include <gtest/gtest.h>

namespace velkar::levelling {
namespace {

LevellingRecord decoded(const std::string& line, LevellingRecord r = {}) {
    r.HAM_SATIR = line;
    DL_SATIR_AYIR(r);
    r.KAYIT_KODU = r.ALANLAR[0];
    HAMDATACOZ_DL100(r);
    return r;
}

// Commas only separate, fields stay untrimmed; a shorter line leaves nothing of
// the earlier one behind.
TEST(DlSatirAyir, SplitsAtCommasOnlyAndKeepsTheLastField) {
    LevellingRecord r;
    r.HAM_SATIR = "g,12, 1 2 ,,x";
    DL_SATIR_AYIR(r);
    EXPECT_EQ(r.ALANLAR[2] + "|" + r.ALANLAR[3] + "|" + r.ALANLAR[4], " 1 2 ||x");
    r.HAM_SATIR = "v,12,";
    DL_SATIR_AYIR(r);
    EXPECT_EQ(r.ALANLAR[1] + "|" + r.ALANLAR[2] + "|" + r.ALANLAR[4], "12||");
}

TEST(DlCevir, UnitDigitChoosesTheDivisor) {
    struct Case {
        const char* parameter;
        const char *staff, *elevation, *distance;
    } cases[] = {
        {"11", " 123.456", " 123.456", " 1234.56"},
        {"12", " 12.3456", " 123.456", " 1234.56"},
        {"13", " 1.23456", " 12.3456", " 123.456"},
        {"17", " 12.3456", " 12.3456", " 1234.56"},
        {"18", " 1.23456", " 1.23456", " 123.456"},
        // digits the instrument does not define leave the value as it is
        {"14", " 123456", " 123456", " 123456"},
        {"1", " 123456", " 123456", " 123456"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DL_CEVIR("123456", "MIRA", c.parameter), c.staff) << c.parameter;
        EXPECT_EQ(DL_CEVIR("123456", "KOT", c.parameter), c.elevation) << c.parameter;
        EXPECT_EQ(DL_CEVIR("123456", "MESAFE", c.parameter), c.distance) << c.parameter;
    }
    EXPECT_EQ(DL_CEVIR("123456", "HIZ", "12"), " 123456");
    EXPECT_EQ(DL_CEVIR("-2500", "MESAFE", "12"), "-25");
    EXPECT_EQ(DL_CEVIR("abc", "MIRA", "12"), " 0");
    EXPECT_EQ(DL_CEVIR("50", "MIRA", "13"), " .0005");
}

// An intermediate sight (its own widths), a name without a comma after it, an
// empty distance, a name wider than its column.
TEST(HamdatacozDl100, SightRecordsGivePaddedMetres) {
    const LevellingRecord k = decoded("k,11,1234,987,,,,K1,");
    EXPECT_EQ(k.ORTA_OKUMA + "|" + k.ORTA_MESAFE, " 1.23400|  9.870");
    const LevellingRecord i = decoded("i,12,8000,,,,,P9");
    EXPECT_EQ(i.ILERI_NOKTA + "|" + i.ILERI1_MESAFE, "P9       |     0.000");
    EXPECT_EQ(i.ILERI1_VAR * 10 + i.GERI1_VAR, 10);
    EXPECT_EQ(decoded("g,12,1,1,,,,NOKTA12345,").GERI_NOKTA, "NOKTA12345");
}

TEST(HamdatacozDl100, FirstBacksightOfThePassIsKept) {
    LevellingRecord r = decoded("g,12,1,1,,,,P1,");
    EXPECT_EQ(r.ILK_NOKTA, "P1");
    EXPECT_EQ(r.ILK_NOKTA_ALINDI, "1");
    r = decoded("g,12,1,1,,,,P2,", r);
    EXPECT_EQ(r.ILK_NOKTA, "P1");
    EXPECT_EQ(r.GERI_NOKTA, "P2       ");
}

TEST(HamdatacozDl100, JobHeaderAndRecordsThatCarryNothing) {
    LevellingRecord r = decoded("c,12,HAT1," + std::string(15, ',') + "A1,,050711,");
    EXPECT_EQ(r.IS_ISMI + " " + r.BASLANGIC_NOKTA + " " + r.TARIH_GUN + "." + r.TARIH_AY + "." +
                  r.TARIH_YIL,
              "HAT1 A1 11.07.05");
    const LevellingRecord before = decoded("g,12,15000,2500,,,,A,");
    for (const char* line : {"v,12,,,", "w,12,,T2,", "x,12,99999,99,,,,Q,", "c"}) {
        r = decoded(line, before);
        EXPECT_EQ(r.GERI1_OKUMA + r.GERI_NOKTA, before.GERI1_OKUMA + before.GERI_NOKTA) << line;
    }
}

// The status character: a digit or a letter (A = 1, ...); 0 and 4 or more
// block the station.
TEST(StatusValue, BlocksZeroFourAndAboveButNotAnEmptyField) {
    LevellingRecord r;
    for (const char* field : {"12", "22", "32", "A2", "C2", "", "02", "42", "D2", "a2"}) {
        r.HAM_SATIR = "g," + std::string(field) + ",1,1";
        DL_SATIR_AYIR(r);
        const bool blocks = std::string("02 42 D2 a2").find(field) != std::string::npos && *field;
        EXPECT_EQ(blocksStation(r), blocks) << "'" << field << "'";
    }
}

}  // namespace
}  // namespace velkar::levelling
