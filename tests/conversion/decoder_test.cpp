// The field splitter and the two total-station decoders: the rules and edge
// cases of the records (the sample files run through the golden files), the
// units of the records (sexagesimal angles, the unit letters), unnamed
// stations and the instrument family check.
#include <gtest/gtest.h>

#include "conversion/decoders.h"
#include "conversion/family.h"
#include "conversion/splitter.h"
#include "conversion/units.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

namespace fs = std::filesystem;

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

// One line after the other: a line without an underscore keeps the point
// name, the code and the reflector of the line before; a grave accent drops
// the text before it; five decimals of an angle round ties to even.
TEST_F(Decode210, PolarRecords) {
    // clang-format off
    const std::pair<const char*, const char*> lines[] = {
        {"P1_ ?+00012345m0901230+1234560d_)K1_(1.600__+", "P1        |?|  12.345|  90.1230| 123.4560|K1| 1.600"},
        {"?+00022222m0901230+1234560d", "P1        |?|  22.222|  90.1230| 123.4560|K1| 1.600"},
        {"AB`P7_ ?+00012345m0901230+1234560d_)x`K1_(1.600__+", "P7        |?|  12.345|  90.1230| 123.4560|K1| 1.600"},
        {"P6_ (+000175000m08912345+27000050d_)K3_(1.600__+", "P6        |(|  17.500|  89.1234| 270.0005|K3| 1.600"},
        {"P6_ (+000175000m08912355+27000050d_)K3_(1.600__+", "P6        |(|  17.500|  89.1236| 270.0005|K3| 1.600"},
    };
    // clang-format on
    for (const auto& [line, fields] : lines) {
        decode(line);
        EXPECT_EQ(polar(), fields) << line;
    }
    EXPECT_EQ(states(), "2001");
}

TEST_F(Decode210, CoordinateRecordsRaiseTheirFlags) {
    decode("P11_ W+000152000m09500000015010000++0045001000+0032002000+0000125000_)KOSE_(1.600_+");
    EXPECT_EQ(r.YAZ_DURUMU + r.KOOR_HAZIR, 3);
    EXPECT_EQ(r.KOOR_X + "|" + r.ACIKLAMA, "       4500.1000|KOSE");
    r = DecodedRecord{};
    decode("P9_x0045123456 y0032123456 z0000123456_+");
    EXPECT_EQ(r.KOOR_X + "|" + r.KOOR_Z, "        4512.345|          12.345");
    EXPECT_DOUBLE_EQ(r.yValue, 3212.345);
    EXPECT_EQ(r.YAZ_DURUMU + r.KOOR_HAZIR, 1);  // the split leaves the first below 2
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
    EXPECT_EQ(dialogs.messageLines().size(), 3u);
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

struct UnitCase {
    const char* line;
    AngleUnit angle;
    DistanceUnit distance;
    const char* horizontal;  // trimmed angle texts ("" not checked)
    const char* vertical;
};

// Every measurement kind of the GTS-210/220: the letters after its distance
// and horizontal-angle groups, and the values still read around them.
TEST_F(Decode210, UnitLettersAfterTheDistanceAndTheHorizontalAngle) {
    // clang-format off
    const UnitCase cases[] = {
        {"P1_ ?+00012345m0901220+1234550d_)K1_(1.600__+", AngleUnit::Degree, DistanceUnit::Metre, "123.4550", "90.1220"},
        {"P1_ ?+00012345m0901220+1234560d_)K1_(1.600__+", AngleUnit::Unknown, DistanceUnit::Metre, "", ""},  // 60 seconds
        {"P1_ ?+00012345f0901220+1234550g_)K1_(1.600__+", AngleUnit::Gon, DistanceUnit::Feet, "123.4550", "90.1220"},
        {"P2_ R+00023456f0895540+0452010g+00001234_)B_(1.700__+", AngleUnit::Gon, DistanceUnit::Feet, "45.2010", "89.5540"},
        // 34.5" and 05.5" to even seconds
        {"P6_ (+000175000m08912345+27000055d_)K3_(1.600__+", AngleUnit::Degree, DistanceUnit::Metre, "270.0006", "89.1234"},
        {"P4_ *+000312340m08845000+30020000g+000005230,1.500_+", AngleUnit::Gon, DistanceUnit::Metre, "300.2000", "088.4500"},
        {"P5_ *_(1.650_ ?+00018765m0910000+0451234d0h+00001.2340_+", AngleUnit::Degree, DistanceUnit::Metre, "45.1234", "91.0000"},
        {"P3_ <0921500+2001530_)K2_(1.700__+", AngleUnit::Unknown, DistanceUnit::Metre, "", ""},
        {"P3_ <0921500+2001530d_)K2_(1.700__+", AngleUnit::Degree, DistanceUnit::Metre, "200.1530", "92.1500"},
    };
    // clang-format on
    for (const UnitCase& c : cases) {
        r = DecodedRecord{};
        decode(c.line);
        EXPECT_EQ(r.angleUnit, c.angle) << c.line;
        EXPECT_EQ(r.distanceUnit, c.distance) << c.line;
        if (*c.horizontal) {
            EXPECT_EQ(trimBlanks(r.YATAY_ACI) + " " + trimBlanks(r.DUSEY_ACI),
                      std::string(c.horizontal) + " " + c.vertical)
                << c.line;
        }
    }
}

TEST_F(Decode700, AUnitsLineHoldsForTheLinesAfterIt) {
    decode("SD,1,2,3");
    EXPECT_EQ(r.angleUnit, AngleUnit::Gon);
    EXPECT_EQ(r.distanceUnit, DistanceUnit::Metre);
    decode("UNITS F,D");
    decode("BKB,B1,0,22.30000");
    EXPECT_EQ(r.backsightAngleUnit, AngleUnit::Degree);
    decode("SD,87.47005,90.00000,10");
    EXPECT_EQ(r.angleUnit, AngleUnit::Degree);
    EXPECT_EQ(r.distanceUnit, DistanceUnit::Feet);
    EXPECT_EQ(r.YATAY_ACI, "  87.4700");
    decode("HD,87.60000,10,1");  // 60 minutes
    EXPECT_EQ(r.angleUnit, AngleUnit::Unknown);
    decode("HD,87.47000,10,1");  // one invalid record does not change the file's units
    EXPECT_EQ(r.angleUnit, AngleUnit::Degree);
    decode("UNITS,M,X");
    decode("SD,1,2,3");
    EXPECT_EQ(r.angleUnit, AngleUnit::Unknown);
    EXPECT_EQ(r.distanceUnit, DistanceUnit::Metre);
    r.startFile();  // the next file starts in gon and metres
    decode("SD,1,2,3");
    EXPECT_EQ(r.angleUnit, AngleUnit::Gon);
}

// The heights and the backsight of DURAK1 go through every output in the survey tests.
TEST_F(Decode210, StationsWithoutANameAreNumberedInFileOrder) {
    decode("_'_(_)1.540_+");
    EXPECT_EQ(r.DUR_NOKTA, "DURAK1    ");
    decode("_'");  // a bare marker is no station
    EXPECT_EQ(r.YENI_DURAK, 0);
    decode("_'_)K9__+");
    EXPECT_EQ(r.DUR_NOKTA, "DURAK2    ");
    decode("_'S7_)K9_(1.500__+");
    EXPECT_EQ(r.DUR_NOKTA, "S7        ");
    EXPECT_EQ(r.unnamedStations, 2);
    r.HAM_SATIR = "STN,,1.540,K3";  // the GTS-600/700 writes an empty name field
    HAMDATACOZ_700(r, dialogs);
    EXPECT_EQ(r.DUR_NOKTA + "|" + r.CIHAZ_YUK + "|" + r.ACIKLAMA, "DURAK3    | 1.540|K3");
}

std::vector<std::string> head(const fs::path& file) {
    std::vector<std::string> lines;
    TextReader in(file);
    std::string line;
    while (lines.size() < kFamilyCheckLines && in.readLine(line)) {
        if (!trimBlanks(line).empty()) lines.push_back(line);
    }
    return lines;
}

// Every sample of each family passes its own family and is caught as the other.
TEST(FamilyCheck, SamplesAreSeenAsTheirOwnFamilyOnly) {
    const fs::path samples = VELKAR_SAMPLES_DIR;
    for (const std::string name :
         {"gts210_ornek.txt", "gts210_koordinat_ham.txt", "gts210_kesit.txt", "gts700_ornek.txt",
          "gts700_koordinat.txt", "gts700_rasat.txt", "gts700_kesit.txt",
          "../tools/sim/samples/gts700-memory.txt", "../tools/sim/samples/points.txt"}) {
        const auto lines = head(samples / name);
        const bool gts210 = name.rfind("gts210", 0) == 0;
        ASSERT_FALSE(lines.empty()) << name;
        EXPECT_FALSE(looksLikeOtherFamily(lines, gts210 ? "200" : "700")) << name;
        EXPECT_TRUE(looksLikeOtherFamily(lines, gts210 ? "700" : "200")) << name;
    }
    // Neither family's shape: no question.
    const std::vector<std::string> binary = {"\x01\x02\xff", "????", "END"};
    EXPECT_FALSE(looksLikeOtherFamily(binary, "200"));
    EXPECT_FALSE(looksLikeOtherFamily(binary, "700"));
    EXPECT_FALSE(looksLikeOtherFamily({}, "700"));
}

}  // namespace
}  // namespace velkar::conversion
