// The field splitter and the two total-station decoders: the rules and edge
// cases of the records (the sample files run through the golden files).

#include <gtest/gtest.h>

#include "conversion/decoders.h"
#include "conversion/splitter.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

// Commas, blanks and TABs separate; a run of them counts as one.  The state
// says whether the text so far ended in a separator (1) or not (0).
TEST(SatirAyir, SplitsOnSeparatorRuns) {
    struct Case {
        std::string line;
        int state;
        std::vector<std::string> fields;  // the first ones
        int stateAfter;
    } cases[] = {
        {"STN,A1,1.550,K1", 0, {"STN", "A1", "1.550", "K1"}, 0},
        {"  SD, 90.1230 ,,45.0000", 0, {"SD", "90.1230", "45.0000", ""}, 0},
        {"A\tB,", 0, {"A", "B", ""}, 1},
        {",P1,2", 1, {"P1", "2"}, 0},  // after a separator a leading comma opens no field
        {",P1,2", 0, {"", "P1", "2"}, 0},
    };
    Fields f;
    f[3] = "left from an earlier line";
    for (auto& c : cases) {
        int state = c.state;
        SATIR_AYIR(c.line, f, state);
        EXPECT_EQ(
            std::vector<std::string>(f.begin(), f.begin() + static_cast<long>(c.fields.size())),
            c.fields)
            << c.line;
        EXPECT_EQ(state, c.stateAfter) << c.line;
    }
    std::string line = "  SD,1";
    int state = 0;
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(line, "SD,1");  // stored back left-trimmed
    line.clear();
    for (int i = 0; i < 80; ++i) line += "f" + std::to_string(i) + ",";
    SATIR_AYIR(line, f, state);  // fields past the table are dropped
    EXPECT_EQ(f[50], "f50");
}

struct Decode210 : ::testing::Test {
    test::ScriptedDialogs dialogs;
    DecodedRecord r;
    void decode(const std::string& line) {
        r.HAM_SATIR = line;
        HAMDATACOZ_210(r, dialogs);
    }
    // Point, record code, slope distance, vertical and horizontal angle, code, reflector.
    std::string polar() const {
        return r.NOKTA + "|" + r.KAYIT_KODU + "|" + r.EGIK_MES + "|" + r.DUSEY_ACI + "|" +
               r.YATAY_ACI + "|" + r.ACIKLAMA + "|" + r.REFLEKTOR;
    }
    // YAZ_DURUMU, YENI_DURAK, DURAK_VAR and OLCU_TURU.
    std::string states() const {
        return std::to_string(r.YAZ_DURUMU) + std::to_string(r.YENI_DURAK) +
               std::to_string(r.DURAK_VAR) + std::to_string(r.OLCU_TURU);
    }
};

// A line without an underscore keeps the point name, the code and the reflector.
TEST_F(Decode210, SlopeDistanceRecord) {
    decode("P1_ ?+00012345m0901230+1234560d_)K1_(1.600__+");
    EXPECT_EQ(polar(), "P1        |?|  12.345|  90.1230| 123.4560|K1| 1.600");
    EXPECT_EQ(states(), "2001");
    decode("?+00022222m0901230+1234560d");
    EXPECT_EQ(polar(), "P1        |?|  22.222|  90.1230| 123.4560|K1| 1.600");
}

TEST_F(Decode210, FirstLineAfterAStationIsTheBacksight) {
    decode("_'S1_)K0_(1.550__+");
    r.YAZ_DURUMU = 0;
    decode("B1_ <0900000+0451000_+");
    EXPECT_EQ(r.KAYIT_KODU + "|" + r.BAK_NOKTA + "|" + r.BAKIS_ACISI, "BKB|B1|  45.1000");
    EXPECT_EQ(states(), "2000");
    decode("P1_ <0900000+0902000_+");
    EXPECT_EQ(r.KAYIT_KODU + "|" + r.BAK_NOKTA + "|" + r.YATAY_MES + "|" + r.EGIK_MES,
              "<|B1|   *****|   *****");
    EXPECT_EQ(r.OLCU_TURU, 1);
}

TEST_F(Decode210, GraveAccentDropsTheTextBeforeIt) {
    decode("AB`P7_ ?+00012345m0901230+1234560d_)x`K1_(1.600__+");
    EXPECT_EQ(r.NOKTA, "P7        ");
    EXPECT_EQ(r.ACIKLAMA, "K1");
}

TEST_F(Decode210, CoordinateRecordsRaiseTheirFlags) {
    decode("P11_ W+000152000m09500000015010000++0045001000+0032002000+0000125000_)KOSE_(1.600_+");
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    EXPECT_EQ(r.KOOR_HAZIR, 1);
    EXPECT_EQ(r.KOOR_X, "       4500.1000");
    EXPECT_EQ(r.ACIKLAMA, "KOSE");
    r = DecodedRecord{};
    decode("P9_x0045123456 y0032123456 z0000123456_+");
    EXPECT_EQ(r.KOOR_HAZIR, 1);
    EXPECT_EQ(r.KOOR_X, "        4512.345");
    EXPECT_EQ(r.KOOR_Z, "          12.345");
    EXPECT_DOUBLE_EQ(r.yValue, 3212.345);
    EXPECT_EQ(r.YAZ_DURUMU, 0);  // the split leaves it below 2
}

TEST_F(Decode210, FiveDecimalAngleRoundsTiesToEven) {
    decode("P6_ (+000175000m08912345+27000050d_)K3_(1.600__+");
    EXPECT_EQ(r.DUSEY_ACI, "  89.1234");
    EXPECT_EQ(r.YATAY_ACI, " 270.0005");
    decode("P6_ (+000175000m08912355+27000050d_)K3_(1.600__+");
    EXPECT_EQ(r.DUSEY_ACI, "  89.1236");
}

// Heights up to 10 m are no warning; a warning repeats on every line until a
// new height is read.
TEST_F(Decode210, HeightWarningsAboveTenMetresRepeatUntilANewHeightIsRead) {
    decode("_'S1_)K0_(10.000__+");
    decode("P2_ ?+00012345m0901230+1234560d_)K1_(10.000__+");
    EXPECT_TRUE(dialogs.messageLines().empty());
    decode("_'S1_)K0_(12.000__+");
    EXPECT_EQ(r.YAZ_DURUMU, 2);  // still a station
    decode("B1_ ?+00012345m0901230+1234560d_)K1_(12.00__+");
    decode("P1_ <0900000+0902000_+");
    decode("P2_ ?+00012345m0901230+1234560d_)K1_(1.600__+");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("Cihaz Yüksekliği 12.000"), std::string::npos);
    EXPECT_NE(lines[2].find("Reflektör Yüksekliği  12.00"), std::string::npos);
}

struct Decode700 : ::testing::Test {
    test::ScriptedDialogs dialogs;
    DecodedRecord r;
    void decode(const std::string& line) {
        r.HAM_SATIR = line;
        HAMDATACOZ_700(r, dialogs);
    }
};

// A short line has empty fields, not the previous ones; long names are kept whole.
TEST_F(Decode700, StationFields) {
    decode("STN,S1,1.550,K1");
    decode("STN,S2");
    EXPECT_EQ(r.DUR_NOKTA + "|" + r.CIHAZ_YUK + "|" + r.ACIKLAMA, "S2        |      |");
    decode("STN,POLIGON1234,1.5");
    EXPECT_EQ(r.DUR_NOKTA, "POLIGON1234");
    EXPECT_EQ(r.YENI_DURAK, 1);
}

TEST_F(Decode700, ReflectorWarningRepeatsUntilASmallerHeight) {
    decode("SS,P1,12,X");
    decode("SD,1,2,3");
    decode("SS,P2,10");
    decode("SD,1,2,3");
    EXPECT_EQ(dialogs.messageLines().size(), 2u);
}

}  // namespace
}  // namespace velkar::conversion
