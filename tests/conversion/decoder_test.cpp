// The field splitter and the two total-station decoders, record by record.
#include <random>

#include <gtest/gtest.h>

#include "conversion/decoders.h"
#include "conversion/splitter.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

TEST(SatirAyir, SeparatorRunsCountAsOne) {
    Fields f;
    int state = 0;
    std::string line = "STN,A1,1.550,K1";
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(f[0], "STN");
    EXPECT_EQ(f[1], "A1");
    EXPECT_EQ(f[2], "1.550");
    EXPECT_EQ(f[3], "K1");
    EXPECT_EQ(state, 0);

    line = "  SD, 90.1230 ,,45.0000";
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(line, "SD, 90.1230 ,,45.0000");  // stored back left-trimmed
    EXPECT_EQ(f[0], "SD");
    EXPECT_EQ(f[1], "90.1230");
    EXPECT_EQ(f[2], "45.0000");
    EXPECT_EQ(f[3], "");  // the longer earlier line left nothing behind

    line = "A\tB,";
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(f[0], "A");
    EXPECT_EQ(f[1], "B");
    EXPECT_EQ(f[2], "");
    EXPECT_EQ(state, 1);  // a trailing separator leaves the state at 1
}

TEST(SatirAyir, FieldsPastTheTableAreDropped) {
    std::string line;
    for (int i = 0; i < 80; ++i) line += "f" + std::to_string(i) + ",";
    Fields f;
    int state = 0;
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(f[0], "f0");
    EXPECT_EQ(f[50], "f50");
}

TEST(SatirAyir, StartsFromTheStateItIsGiven) {
    // After a separator (state 1) a leading comma does not open an empty field 0.
    Fields f;
    int state = 1;
    std::string line = ",P1,2";
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(f[0], "P1");
    state = 0;
    line = ",P1,2";
    SATIR_AYIR(line, f, state);
    EXPECT_EQ(f[0], "");
    EXPECT_EQ(f[1], "P1");
}

struct Decode210 : ::testing::Test {
    test::ScriptedDialogs dialogs;
    DecodedRecord r;
    void decode(const std::string& line) {
        r.HAM_SATIR = line;
        HAMDATACOZ_210(r, dialogs);
    }
};

TEST_F(Decode210, StationLine) {
    decode("_'S1_)K0_(1.550__+");
    EXPECT_EQ(r.DUR_NOKTA, "S1        ");
    EXPECT_EQ(r.ACIKLAMA, "K0");
    EXPECT_EQ(r.CIHAZ_YUK, "1.550");
    EXPECT_EQ(r.NOKTA, r.DUR_NOKTA);
    EXPECT_EQ(r.KAYIT_KODU, "STN");
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    EXPECT_EQ(r.YENI_DURAK, 1);
    EXPECT_EQ(r.DURAK_VAR, 1);
    EXPECT_EQ(r.OLCU_TURU, 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Decode210, SlopeDistanceRecord) {
    decode("P1_ ?+00012345m0901230+1234560d_)K1_(1.600__+");
    EXPECT_EQ(r.NOKTA, "P1        ");
    EXPECT_EQ(r.KAYIT_KODU, "?");
    EXPECT_EQ(r.EGIK_MES, "  12.345");
    EXPECT_EQ(r.DUSEY_ACI, "  90.1230");
    EXPECT_EQ(r.YATAY_ACI, " 123.4560");
    EXPECT_EQ(r.ACIKLAMA, "K1");
    EXPECT_EQ(r.REFLEKTOR, " 1.600");
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    EXPECT_EQ(r.OLCU_TURU, 1);
}

TEST_F(Decode210, FirstLineAfterAStationIsTheBacksight) {
    decode("_'S1_)K0_(1.550__+");
    r.YAZ_DURUMU = 0;
    decode("B1_ <0900000+0451000_+");
    EXPECT_EQ(r.KAYIT_KODU, "BKB");
    EXPECT_EQ(r.OLCU_TURU, 0);
    EXPECT_EQ(r.BAK_NOKTA, "B1");
    EXPECT_EQ(r.BAKIS_ACISI, "  45.1000");
    EXPECT_EQ(r.DURAK_VAR, 0);
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    decode("P1_ <0900000+0902000_+");
    EXPECT_EQ(r.KAYIT_KODU, "<");
    EXPECT_EQ(r.OLCU_TURU, 1);
    EXPECT_EQ(r.BAK_NOKTA, "B1");
    EXPECT_EQ(r.YATAY_MES, "   *****");
    EXPECT_EQ(r.EGIK_MES, "   *****");
}

TEST_F(Decode210, GraveAccentDropsTheTextBeforeIt) {
    decode("AB`P7_ ?+00012345m0901230+1234560d_)x`K1_(1.600__+");
    EXPECT_EQ(r.NOKTA, "P7        ");
    EXPECT_EQ(r.ACIKLAMA, "K1");
}

TEST_F(Decode210, LineWithoutUnderscoreKeepsThePointName) {
    decode("P1_ ?+00012345m0901230+1234560d_)K1_(1.600__+");
    decode("?+00022222m0901230+1234560d");
    EXPECT_EQ(r.NOKTA, "P1        ");
    EXPECT_EQ(r.EGIK_MES, "  22.222");
    EXPECT_EQ(r.ACIKLAMA, "K1");  // no code item: the field keeps its value
    EXPECT_EQ(r.REFLEKTOR, " 1.600");
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

TEST_F(Decode210, HeightWarningsRepeatUntilANewHeightIsRead) {
    decode("_'S1_)K0_(12.000__+");
    EXPECT_EQ(r.YAZ_DURUMU, 2);  // still a station
    decode("B1_ ?+00012345m0901230+1234560d_)K1_(12.00__+");
    decode("P1_ <0900000+0902000_+");
    decode("P2_ ?+00012345m0901230+1234560d_)K1_(1.600__+");
    EXPECT_EQ(
        dialogs.messageLines(),
        (std::vector<std::string>{"Hata Mesajı:  Noktasında Cihaz Yüksekliği 12.000",
                                  "Hata Mesajı:  Noktasında Reflektör Yüksekliği 12.00",
                                  // the next line shows the height as the previous line left it
                                  "Hata Mesajı:  Noktasında Reflektör Yüksekliği  12.00"}));
}

TEST_F(Decode210, TruncatedRecordsKeepWhatDecodes) {
    for (const char* line :
         {"P1_ ?+0001", "P1_ W", "P1_ [", "P1_ *_", "P1_ *_(1.5", "P1_ *+", "P1_ R", "_'S1",
          "_'S1_)", "P1_x", "P1_ x1 2", "P1_ U", "P1_ /", "_", "__", "P1_ ?_", "*", "R_"}) {
        decode(line);
    }
    SUCCEED();
}

struct Decode700 : ::testing::Test {
    test::ScriptedDialogs dialogs;
    DecodedRecord r;
    void decode(const std::string& line) {
        r.HAM_SATIR = line;
        HAMDATACOZ_700(r, dialogs);
    }
};

TEST_F(Decode700, StationBacksightAndMeasurement) {
    decode("STN,S1,1.550,K1");
    EXPECT_EQ(r.DUR_NOKTA, "S1        ");
    EXPECT_EQ(r.CIHAZ_YUK, " 1.550");
    EXPECT_EQ(r.NOKTA, "1");
    EXPECT_EQ(r.YENI_DURAK, 1);
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    decode("BKB,B1,0,45.3000");
    EXPECT_EQ(r.YENI_DURAK, 0);
    EXPECT_EQ(r.BAKIS_ACISI, "  45.3000");
    EXPECT_EQ(r.YATAY_ACI, "  45.3000");
    EXPECT_EQ(r.DUSEY_ACI, "   0.0000");
    EXPECT_EQ(r.EGIK_MES, "     0.000");
    EXPECT_EQ(r.KOT_FARKI, "    0.000");
    EXPECT_EQ(r.OLCU_TURU, 0);
    r.YAZ_DURUMU = 0;
    decode("SS,P1,1.700,AGAC");
    EXPECT_LT(r.YAZ_DURUMU, 2);  // a target line alone is no record
    decode("SD,123.4500,89.5930,25.123");
    EXPECT_EQ(r.YAZ_DURUMU, 2);
    EXPECT_EQ(r.NOKTA, "P1        ");
    EXPECT_EQ(r.REFLEKTOR, " 1.700");
    EXPECT_EQ(r.ACIKLAMA, "AGAC");
    EXPECT_EQ(r.YATAY_ACI, " 123.4500");
    EXPECT_EQ(r.EGIK_MES, "    25.123");
    decode("HD,1,2.5,-0.5");
    EXPECT_EQ(r.YATAY_MES, "     2.500");
    EXPECT_EQ(r.KOT_FARKI, "   -0.500");
}

TEST_F(Decode700, AShortLineHasEmptyFieldsNotThePreviousOnes) {
    decode("STN,S1,1.550,K1");
    decode("STN,S2");
    EXPECT_EQ(r.DUR_NOKTA, "S2        ");
    EXPECT_EQ(r.CIHAZ_YUK, "      ");
    EXPECT_EQ(r.ACIKLAMA, "");
}

TEST_F(Decode700, LongNamesAreKeptWhole) {
    decode("STN,POLIGON1234,1.5");
    EXPECT_EQ(r.DUR_NOKTA, "POLIGON1234");
    EXPECT_EQ(r.YENI_DURAK, 1);
}

TEST_F(Decode700, ReflectorWarningRepeatsUntilASmallerHeight) {
    decode("SS,P1,12,X");
    decode("SD,1,2,3");
    decode("SS,P2,10");
    decode("SD,1,2,3");
    EXPECT_EQ(dialogs.messageLines(),
              (std::vector<std::string>{
                  "Hata Mesajı:  Noktasında Reflektör Yüksekliği     12 Limit değer..:",
                  "Hata Mesajı:  Noktasında Reflektör Yüksekliği     12 Limit değer..:"}));
}

// Short random lines built from the characters the records are made of reach
// every branch with pieces missing; nothing may read or write out of range.
TEST(Decoders, RandomRecordsNeverCrash) {
    test::ScriptedDialogs dialogs;
    DecodedRecord r;
    std::mt19937 rng(42);
    const std::string alphabet = "_'R*<?W[(U/xm g,+-.0123456789`SBKHDFNT\t";
    for (int i = 0; i < 50000; ++i) {
        std::string line;
        const int len = static_cast<int>(rng() % 90);
        for (int k = 0; k < len; ++k) line.push_back(alphabet[rng() % alphabet.size()]);
        r.HAM_SATIR = line;
        if (i % 2) {
            HAMDATACOZ_210(r, dialogs);
        } else {
            HAMDATACOZ_700(r, dialogs);
        }
    }
    SUCCEED();
}

}  // namespace
}  // namespace velkar::conversion
