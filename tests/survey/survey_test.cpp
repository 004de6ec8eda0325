// Coordinate and cross-section computations: hand-derived golden files, the
// worked geometry cases, and one small job recorded in gon and in degrees
// (DDD.MMSS) for each family, whose computations must agree.
#include <cmath>
#include <numbers>
#include <tuple>

#include <gtest/gtest.h>

#include "conversion_rig.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "scripted_dialogs.h"
#include "survey/survey.h"

namespace velkar::survey {
namespace {

namespace fs = std::filesystem;
using conversion::ActionOutcome;

const std::string kDone = "Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi Unutmayınız.!!!";

std::string sample(const char* name) {
    return test::readBytes(fs::path(VELKAR_SAMPLES_DIR) / name);
}

struct Compute : test::ConversionRig {
    Compute() : ConversionRig("survey") {}

    // The action button on a raw file (its bytes): a computation ("&Hesapla")
    // for KOORDINAT (with the polygon file given, none when empty) and the
    // cross sections, a conversion for the rest.  The result file.
    std::string run(const std::string& instrument, const std::string& output,
                    const std::string& raw, const std::string& polygon = {},
                    ActionOutcome expected = ActionOutcome::Converted) {
        test::writeBytes(dir / "ham.txt", raw);
        w.setInstrument(instrument);
        w.setOutput(output);
        const bool koordinat = output == "KOORDINAT";
        w.setMode(koordinat || output.rfind("KESIT", 0) == 0 ? catalogue::Mode::Compute
                                                             : catalogue::Mode::Convert);
        dialogs.answerFile(dir / "ham.txt");
        if (koordinat) {
            test::writeBytes(dir / "poligon.txt", polygon);
            dialogs.answerFile(polygon.empty() ? fs::path() : dir / "poligon.txt");
        }
        EXPECT_EQ(runActionButton(w, state), expected) << output;
        return test::readBytes(w.resultWorkFile());
    }
    std::string cell(int r, int c) const { return toUtf8(table.cell(r, c)); }
};

TEST_F(Compute, CoordinatesFromPolygonAndEarlierPoints) {
    EXPECT_TRUE(test::matchesGolden(run("GTS-210 / 220 / 6", "KOORDINAT",
                                        sample("gts210_koordinat_ham.txt"), sample("poligon.txt")),
                                    test::dataDir() / "survey" / "gts210_koordinat.gold"));
    // Header, one row per computed point, one empty row.
    EXPECT_EQ(table.rowCount(), 3 + 2);
    EXPECT_EQ(cell(3, 0), "P4          ");
    EXPECT_EQ(dialogs.messageLines(),
              (std::vector<std::string>{"Mesafesi olmayan 1 nokta hesaplanmadı.",
                                        kDone + "\n7 satır yazıldı."}));
}

// GTS-600/700 surveys over a polygon file, one point each: the last line of the result.
struct Polar {
    const char* name;
    const char* raw;
    const char* polygon;
    const char* point;
};

class PolarPoints : public Compute, public ::testing::WithParamInterface<Polar> {};

TEST_P(PolarPoints, LastLineOfTheResult) {
    const std::string out = run("GTS-600 / 700", "KOORDINAT", GetParam().raw, GetParam().polygon);
    EXPECT_EQ(out.substr(out.rfind("\r\n", out.size() - 3) + 2),
              std::string(GetParam().point) + "\r\n");
}

const char* const kHd = "STN,S1,0\r\nBKB,B1,0,0\r\nSS,P1,0\r\nHD,0,10,0\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Gts700, PolarPoints, ::testing::Values(
    // S1 at Y 1000, X 1000; the backsight sets the direction of the point.
    Polar{"North", kHd, "S1 1000 1000 0\r\nB1 1000 2000 0\r\n", "P1                  1000.0000        1010.0000           0.0000"},
    Polar{"South", kHd, "S1 1000 1000 0\r\nB1 1000 0 0\r\n", "P1                  1000.0000         990.0000           0.0000"},
    Polar{"East", kHd, "S1 1000 1000 0\r\nB1 2000 1000 0\r\n", "P1                  1010.0000        1000.0000           0.0000"},
    Polar{"West", kHd, "S1 1000 1000 0\r\nB1 0 1000 0\r\n", "P1                   990.0000        1000.0000           0.0000"},
    // Backsight bearing 50 grads, its reading 100: a point at 50 grads lies due north.
    Polar{"BacksightReadingTakenOff", "STN,S1,1.500\r\nBKB,B1,0,100.0000\r\nSS,P1,1.700\r\nHD,50.0000,50.000,1.000\r\n",
          "S1 1000 1000 100\r\nB1 1100 1100 101\r\n", "P1                  1000.0000        1050.0000         100.8000"},
    Polar{"SlopeDistanceReducedAtTheZenithAngle", "STN,S1,1.5\r\nBKB,B1,0,0\r\nSS,P1,1.5\r\nSD,0,100.0000,100.000\r\n",
          "S1 0 0 10\r\nB1 0 50 10\r\n", "P1                     0.0000         100.0000          10.0000"},
    Polar{"FullValueAndALongName", "STN,S1,0\r\nBKB,B1,0,0\r\nSS,POLIGONNOKTA123,0\r\nHD,0,0,0\r\n",
          "S1 0 4512345.678912 0\r\nB1 0 4512445.678912 0\r\n", "POLIGONNOKTA123           0.0000     4512345.6789           0.0000"}),
    test::ByName());
// clang-format on

TEST_F(Compute, UnknownPointsAreAskedAndTypedBacksightsAreNotWritten) {
    for (const char* v : {"100", "200", "50", "100", "300"}) dialogs.answerInput(std::string(v));
    dialogs.answerInput(std::nullopt);  // Z of the backsight cancelled
    const std::string out =
        run("GTS-600 / 700", "KOORDINAT", "STN,S9,1.5\r\nBKB,B9,0,0\r\nSS,P1,1.5\r\nHD,0,10,0\r\n");
    std::string asked;  // the point and axis of each question, in order
    for (const auto& b : dialogs.shown()) {
        if (b.kind == test::ShownBox::Kind::Input)
            asked += b.text.substr(0, 2) + b.text.substr(b.text.find(' ', 3) + 1, 1) + " ";
    }
    EXPECT_EQ(asked, "S9X S9Y S9Z B9X B9Y B9Z ");
    // S9 at X 100 Y 200, backsight at X 100 Y 300: due east.
    EXPECT_EQ(out, "P1                   210.0000         100.0000          50.0000\r\n");
    EXPECT_EQ(state.BAK_Z, "0.00");
}

// The result lines are shown in the table, one a row below the heading row,
// and the run ends with one completion box.
TEST_F(Compute, CrossSections) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"GTS-210 / 220 / 6", "KESIT-KLISE", "gts210_kesit.txt", "gts210_kesit_klise.gold"},
        {"GPT-3000 / GPT-3000LN", "KESIT-NETCAD", "gts210_kesit.txt", "gts210_kesit_netcad.gold"},
        {"GTS-600 / 700", "KESIT-KLISE", "gts700_kesit.txt", "gts700_kesit_klise.gold"},
        {"GTS-600 / 700", "KESIT-NETCAD", "gts700_kesit.txt", "gts700_kesit_netcad.gold"}};
    for (const auto& [instrument, output, raw, golden] : cases) {
        dialogs.clearShown();
        const std::string listing = run(instrument, output, sample(raw));
        EXPECT_TRUE(test::matchesGolden(listing, test::dataDir() / "survey" / golden));
        std::string shown;
        for (int r = 1; r + 1 < table.rowCount(); ++r) shown += table.cell(r, 0) + "\r\n";
        EXPECT_EQ(shown, listing) << golden;
        EXPECT_EQ(dialogs.messageLines().back().rfind(kDone + "\n", 0), 0u) << golden;
        // Before it, a note of the point of the GTS-210 file before its first section.
        EXPECT_EQ(dialogs.messageLines().size(), std::string(raw).rfind("gts210", 0) == 0 ? 2u : 1u)
            << golden;
    }
}

TEST_F(Compute, CrossSectionsWithoutASectionGiveAnEmptyResult) {
    const auto none = ActionOutcome::NotConverted;
    for (const char* output : {"KESIT-KLISE", "KESIT-NETCAD"}) {
        EXPECT_EQ(run("GTS-600 / 700", output, "\r\n  \r\n", {}, none), "");
        EXPECT_EQ(run("GTS-230N", output, "L1_ U+00003000+00004000+00099500_+\r\n", {}, none), "");
        EXPECT_FALSE(w.saveEnabled);
    }
}

TEST_F(Compute, NoFileChosenStillEndsWithTheComputationMessage) {
    w.setInstrument("GTS-600 / 700");
    w.setMode(catalogue::Mode::Compute);
    for (const char* output : {"KESIT-NETCAD", "KOORDINAT"}) {
        w.setOutput(output);
        dialogs.answerFile({});
        EXPECT_EQ(runActionButton(w, state), ActionOutcome::NotConverted);
    }
    EXPECT_EQ(dialogs.messageLines(), std::vector<std::string>(2, kDone));
}

TEST_F(Compute, AResultFileThatCannotBeCreatedEndsWithoutTheCompletionMessage) {
    test::writeBytes(dir / "prog", "a file where the program folder should be");
    for (const char* output : {"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"}) {
        dialogs.clearShown();
        run("GTS-600 / 700", output, "A,-5,100,x\r\n", {}, ActionOutcome::NotConverted);
        const auto lines = dialogs.messageLines();
        ASSERT_EQ(lines.size(), 1u) << output;
        EXPECT_EQ(lines[0].rfind("Hata Mesajı: ", 0), 0u) << lines[0];
        EXPECT_FALSE(w.saveEnabled);
    }
}

// The numbers of each result line (name, then values).
std::vector<std::vector<double>> numbers(const std::string& result) {
    std::vector<std::vector<double>> rows;
    size_t start = 0;
    for (size_t end; (end = result.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<double> row;
        const std::string line = result.substr(start, end - start);
        for (size_t p = line.find(' '); p != std::string::npos; p = line.find(' ', p + 1)) {
            if (line[p + 1] != ' ') row.push_back(leadingNumber(line.substr(p)));
        }
        rows.push_back(row);
    }
    return rows;
}

void expectSameWithin(const std::string& gon, const std::string& degrees, double tolerance,
                      size_t expectedRows) {
    const auto a = numbers(gon), b = numbers(degrees);
    ASSERT_EQ(a.size(), expectedRows) << gon;
    ASSERT_EQ(b.size(), expectedRows) << degrees;
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].size(), b[i].size()) << i;
        for (size_t k = 0; k < a[i].size(); ++k) EXPECT_NEAR(a[i][k], b[i][k], tolerance) << i;
    }
}

// S1 at Y 1000 X 1000 Z 100, backsight B1 due north.  Angles chosen so that
// both units write them exactly: 123.4750 gon is 111° 07' 39", 98.7500 gon
// 88° 52' 30", 50 gon 45°, 101.2500 gon 91° 07' 30", 300 gon 270°.
const char* kPolygon = "S1 1000 1000 100\r\nB1 1000 1100 101\r\n";

TEST_F(Compute, Gts210CoordinatesAreTheSameFromGonAndDegrees) {
    const std::string gon =
        "_'S1_)K0_(1.500__+\r\n"
        "B1_ ?+00100000m1000000+0000000g_)_(1.600__+\r\n"
        "P1_ ?+00123456m0987500+1234750g_)K_(1.600__+\r\n"
        "P2_ R+00050000m1000000+0500000g+00001000_)K_(1.700__+\r\n"
        "P3_ (+000075000m10125000+30000000g_)K_(1.600__+\r\n";
    const std::string degrees =
        "_'S1_)K0_(1.500__+\r\n"
        "B1_ ?+00100000m0900000+0000000d_)_(1.600__+\r\n"
        "P1_ ?+00123456m0885230+1110739d_)K_(1.600__+\r\n"
        "P2_ R+00050000m0900000+0450000d+00001000_)K_(1.700__+\r\n"
        "P3_ (+000075000m09107300+27000000d_)K_(1.600__+\r\n";
    const std::string a = run("GTS-210 / 220 / 6", "KOORDINAT", gon, kPolygon);
    const std::string b = run("GTS-210 / 220 / 6", "KOORDINAT", degrees, kPolygon);
    expectSameWithin(a, b, 0.0001, 5);  // S1, B1 and the three points
    // P1 by hand: 123.456 m at zenith 98.75 gon, bearing 123.475 gon.
    EXPECT_NEAR(numbers(b)[2][0],
                1000 + 123.456 * std::sin(0.98750 * std::numbers::pi / 2) *
                           std::sin(1.23475 * std::numbers::pi / 2),
                1e-4);
}

TEST_F(Compute, Gts700CoordinatesAndTheBookAreTheSameFromGonAndDegrees) {
    // The backsight reading 25 gon (22° 30') is taken off every direction.
    const std::string gon =
        "STN,S1,1.500\r\nBKB,B1,0,25.0000\r\n"
        "SS,P1,1.600\r\nSD,123.4750,98.7500,123.456\r\n"
        "SS,P2,1.700\r\nHD,50.0000,50.000,1.000\r\n"
        "SS,P1,1.600\r\nSD,323.4750,301.2500,123.457\r\n";
    const std::string degrees =
        "GTS-7 JOB\r\nUNITS M,D\r\nSTN,S1,1.500\r\nBKB,B1,0,22.30000\r\n"
        "SS,P1,1.600\r\nSD,111.07390,88.52300,123.456\r\n"
        "SS,P2,1.700\r\nHD,45.00000,50.000,1.000\r\n"
        "SS,P1,1.600\r\nSD,291.07390,271.07300,123.457\r\n";
    expectSameWithin(run("GTS-600 / 700", "KOORDINAT", gon, kPolygon),
                     run("GTS-600 / 700", "KOORDINAT", degrees, kPolygon), 0.0001, 5);
    // The book: the same side (123.456 sin 98.75 gon), each mean in its file's unit.
    const auto book = [&](const std::string& raw) {
        run("GTS-600 / 700", "RASAT KARNESi", raw);
        return cell(1, 6) + "|" + cell(1, 7);
    };
    EXPECT_EQ(book(gon), "    123.4750| 123.4322");
    EXPECT_EQ(book(degrees), "    111.0739| 123.4322");
}

// Edge cases of the degree book: a mean across the zero direction, a
// reading of 59' 59.5" and a horizontal sight (V = 90°: the side is the
// slope distance).
TEST_F(Compute, DegreeBookAcrossZeroAndAtTheSecondsCarry) {
    run("GTS-600 / 700", "RASAT KARNESi",
        "UNITS,M,D\r\nSTN,S1,1.5\r\n"
        "SS,P1\r\nSD,359.59590,90.00000,100.000\r\nSS,P1\r\nSD,180.00010,270.00000,100.000\r\n"
        "SS,P2\r\nSD,10.59595,90.00000,50.000\r\n");
    // Face I, mean direction, side.
    const auto row = [&](int r) { return cell(r, 2) + "|" + cell(r, 6) + "|" + cell(r, 7); };
    EXPECT_EQ(row(1), " 359.5959|      0.0000| 100.0000");
    EXPECT_EQ(row(2), "  11.0000|     11.0000| 50.0000");  // 10° 59' 59.5" to the even second
}

TEST_F(Compute, RecordsOfUnsupportedUnitsAreSkippedWithOneWarning) {
    const std::string out =
        run("GTS-600 / 700", "KOORDINAT",
            "STN,S1,1.500\r\nBKB,B1,0,0\r\nSS,P1,1.6\r\nSD,1,100,10\r\nUNITS F,G\r\n"
            "SS,P2,1.6\r\nSD,1,100,10\r\nSS,P3,1.6\r\nHD,1,10,0\r\n",
            kPolygon);
    EXPECT_EQ(numbers(out).size(), 3u);  // S1, B1, P1
    EXPECT_EQ(dialogs.messageLines(),
              (std::vector<std::string>{
                  "Uyarı: Birimi desteklenmeyen 2 kayıt hesaplanmadı (ilki: satır 7).",
                  kDone + "\n3 satır yazıldı."}));
    EXPECT_TRUE(w.saveEnabled);
}

TEST_F(Compute, DegreesAndFeetAreNamedInTheEndMessageOfAConversion) {
    const std::string out = run("GTS-600 / 700", "YDE-NETCAD",
                                "UNITS F,D\r\nSTN,S1,1.5\r\nSS,P1\r\nSD,87.47000,90.00000,10\r\n");
    EXPECT_NE(out.find("  87.4700   90.0000"), std::string::npos) << out;  // as written
    EXPECT_EQ(dialogs.messageLines().back(),
              "İşlem Sonu: Format Dönüştürme İşlemi Tamamlandı\n2 satır yazıldı.\n"
              "Açılar derece (DDD.MMSS) olarak yazıldı: CAD programında açı birimini derece "
              "seçiniz.\nMesafeler feet olarak yazıldı.");
}

// A station stored without a name is DURAK1 in every output, keeps its
// instrument height and its backsight, and KOORDINAT asks for it by name.
TEST_F(Compute, UnnamedStationThroughEveryOutputAndKoordinat) {
    const std::string raw =
        "_'_(_)1.540_+\r\n"
        "B1_ ?+00100000m1000000+0000000g_)_(1.600__+\r\n"
        "P1_ ?+00010000m1000000+1000000g_)K_(1.540__+\r\n";
    const std::string unnamed = "Adı olmayan 1 durak noktası DURAK1 adıyla yazıldı.";
    const std::pair<const char*, const char*> outputs[] = {
        {"YDE-NETCAD", "   DURAK1       0.0000    0.0000      0.000 1.540 "},
        {"YMK-NETCAD", " DURAK1       0.0000      0.000     0.000 1.540 "},
        {"YDE-EGHAS", "    DURAK1        B1     1.54"},
        {"YMK-EGHAS", "    DURAK1        B1     1.54"},
    };
    for (const auto& [output, expected] : outputs) {
        dialogs.clearShown();
        EXPECT_EQ(run("GTS-210 / 220 / 6", output, raw).find(expected), 0u) << output;
        const std::string end = dialogs.messageLines().back();
        EXPECT_EQ(end.substr(end.rfind('\n') + 1), unnamed) << output;
    }
    dialogs.clearShown();
    for (const char* v : {"1000", "1000", "100", "1100", "1000", "101"}) {
        dialogs.answerInput(std::string(v));
    }
    EXPECT_EQ(run("GTS-210 / 220 / 6", "KOORDINAT", raw),
              "P1                  1010.0000        1000.0000         100.0000\r\n");
    EXPECT_EQ(toUtf8(dialogs.shown()[2].text), "DURAK1 için X Koordinatını giriniz");
    EXPECT_EQ(dialogs.messageLines().back(), kDone + "\n1 satır yazıldı.\n" + unnamed);
}

// Cancelled, nothing is converted; confirmed, the run goes on.  The other way
// round and in the computations alike.
TEST_F(Compute, AFileOfTheOtherFamilyIsQuestionedBeforeConverting) {
    const std::string raw = "STN,S1,1.5\r\nBKB,B1,0,0\r\nSS,P1\r\nSD,1,2,3\r\n";
    dialogs.answerMessage(MessageResult::Cancel);
    EXPECT_EQ(run("GTS-210 / 220 / 6", "YDE-NETCAD", raw, {}, ActionOutcome::NotConverted), "");
    EXPECT_EQ(dialogs.messageLines(),
              std::vector<std::string>{"Uyarı: Bu dosya GTS-600 / 700 kaydına benziyor, seçilen "
                                       "cihaz GTS-210 / 220 / 6. Yine de dönüştürülsün mü?"});
    dialogs.answerMessage(MessageResult::Ok);  // converted as asked: nothing of the 210's kind
    run("GTS-230N", "YDE-NETCAD", raw, {}, ActionOutcome::NotConverted);
    EXPECT_EQ(dialogs.messages().size(), 3u);
    dialogs.clearShown();
    dialogs.answerMessage(MessageResult::Cancel);
    run("GTS-230N", "KESIT-KLISE", sample("gts700_kesit.txt"), {}, ActionOutcome::NotConverted);
    dialogs.answerMessage(MessageResult::Cancel);
    run("GTS-600 / 700", "KOORDINAT", "_'S1_)K0_(1.500__+\r\nB1_ ?+00010000m1000000+0g_+\r\n", {},
        ActionOutcome::NotConverted);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text.rfind(cp1254("Bu dosya GTS-210 / 220 kaydına"), 0), 0u);
}

}  // namespace
}  // namespace velkar::survey
