// Coordinate and cross-section computations: hand-derived golden files and
// the worked geometry cases.

#include <gtest/gtest.h>

#include "conversion_rig.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"
#include "survey/survey.h"

namespace velkar::survey {
namespace {

namespace fs = std::filesystem;
using conversion::ActionOutcome;

const fs::path kSamples = fs::path(VELKAR_SAMPLES_DIR);
const std::string kDone = "Hesaplama İşlemi Tamamlandı..Kayıt Etmeyi Unutmayınız.!!!";

struct Compute : test::ConversionRig {
    Compute() : ConversionRig("survey") { w.setMode(catalogue::Mode::Compute); }

    std::string run(const std::string& instrument, const std::string& output, const fs::path& raw,
                    ActionOutcome expected = ActionOutcome::Converted) {
        w.setInstrument(instrument);
        w.setOutput(output);
        dialogs.answerFile(raw);
        EXPECT_EQ(runActionButton(w, state), expected);
        return test::readBytes(w.resultWorkFile());
    }
    // KOORDINAT with a polygon file of "name Y X Z" lines.
    std::string coordinates(const std::string& instrument, const std::string& raw,
                            const std::string& polygon) {
        test::writeBytes(dir / "ham.txt", raw);
        test::writeBytes(dir / "poligon.txt", polygon);
        w.setInstrument(instrument);
        w.setOutput("KOORDINAT");
        dialogs.answerFile(dir / "ham.txt");
        dialogs.answerFile(dir / "poligon.txt");
        EXPECT_EQ(runActionButton(w, state), ActionOutcome::Converted);
        return test::readBytes(w.resultWorkFile());
    }
    std::string cell(int r, int c) const { return toUtf8(table.cell(r, c)); }
};

TEST_F(Compute, CoordinatesFromPolygonAndEarlierPoints) {
    w.setInstrument("GTS-210 / 220 / 6");
    w.setOutput("KOORDINAT");
    dialogs.answerFile(kSamples / "gts210_koordinat_ham.txt");
    dialogs.answerFile(kSamples / "poligon.txt");
    EXPECT_EQ(runActionButton(w, state), ActionOutcome::Converted);
    EXPECT_TRUE(test::matchesGolden(test::readBytes(w.resultWorkFile()),
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
    const std::string out = coordinates("GTS-600 / 700", GetParam().raw, GetParam().polygon);
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
    test::writeBytes(dir / "ham.txt", "STN,S9,1.5\r\nBKB,B9,0,0\r\nSS,P1,1.5\r\nHD,0,10,0\r\n");
    w.setInstrument("GTS-600 / 700");
    w.setOutput("KOORDINAT");
    dialogs.answerFile(dir / "ham.txt");
    dialogs.answerFile({});  // no polygon file
    for (const char* v : {"100", "200", "50", "100", "300"}) dialogs.answerInput(std::string(v));
    dialogs.answerInput(std::nullopt);  // Z of the backsight cancelled
    EXPECT_EQ(runActionButton(w, state), ActionOutcome::Converted);
    std::string asked;  // the point and axis of each question, in order
    for (const auto& b : dialogs.shown()) {
        if (b.kind == test::ShownBox::Kind::Input)
            asked += b.text.substr(0, 2) + b.text.substr(b.text.find(' ', 3) + 1, 1) + " ";
    }
    EXPECT_EQ(asked, "S9X S9Y S9Z B9X B9Y B9Z ");
    // S9 at X 100 Y 200, backsight at X 100 Y 300: due east.
    EXPECT_EQ(test::readBytes(w.resultWorkFile()),
              "P1                   210.0000         100.0000          50.0000\r\n");
    EXPECT_EQ(state.BAK_Z, "0.00");
}

// The result lines are shown in the table, one a row below the heading row,
// and the run ends with one completion box.
TEST_F(Compute, CrossSectionsFromCoordinates) {
    const std::string listing =
        run("GTS-210 / 220 / 6", "KESIT-KLISE", kSamples / "gts210_kesit.txt");
    EXPECT_TRUE(
        test::matchesGolden(listing, test::dataDir() / "survey" / "gts210_kesit_klise.gold"));
    EXPECT_EQ(dialogs.messageLines(),
              (std::vector<std::string>{"İlk kesit noktasından önce gelen 1 nokta yazılmadı.",
                                        kDone + "\n19 satır yazıldı."}));
    std::string shown;
    for (int r = 1; r + 1 < table.rowCount(); ++r) shown += table.cell(r, 0) + "\r\n";
    EXPECT_EQ(shown, listing);
    EXPECT_TRUE(test::matchesGolden(
        run("GPT-3000 / GPT-3000LN", "KESIT-NETCAD", kSamples / "gts210_kesit.txt"),
        test::dataDir() / "survey" / "gts210_kesit_netcad.gold"));
}

// A section with fewer left points than the widest is right-aligned on it:
// the centre points of all sections stand in one column.  Only a right point
// starts the left count again, so here the widest count is 3 (L1, L2, L3).
TEST_F(Compute, CrossSectionListingAlignsTheCentres) {
    test::writeBytes(dir / "ham.txt",
                     "C1_ U+00000000+00000000+00100000_+\r\nL1_ U+00001000+00000000+00101000_+\r\n"
                     "L2_ U+00002000+00000000+00102000_+\r\nC2_ U+00000000+00010000+00100000_+\r\n"
                     "L3_ U+00001000+00010000+00103000_+\r\n");
    const std::string out = run("GTS-210 / 220 / 6", "KESIT-KLISE", dir / "ham.txt");
    EXPECT_EQ(out,
              "                                         KM = C1\r\n\r\n"
              "                   102.000      101.000      100.000\r\n"
              "             ------------------------------------------\r\n"
              "                    -2.000       -1.000        0.000\r\n\r\n\r\n"
              "                                         KM = C2\r\n\r\n"
              "                                103.000      100.000\r\n"
              "                             ----------------------------\r\n"
              "                                 -1.000        0.000\r\n");
}

TEST_F(Compute, CrossSectionsFromOffsetLists) {
    EXPECT_TRUE(
        test::matchesGolden(run("GTS-600 / 700", "KESIT-KLISE", kSamples / "gts700_kesit.txt"),
                            test::dataDir() / "survey" / "gts700_kesit_klise.gold"));
    EXPECT_TRUE(
        test::matchesGolden(run("GTS-600 / 700", "KESIT-NETCAD", kSamples / "gts700_kesit.txt"),
                            test::dataDir() / "survey" / "gts700_kesit_netcad.gold"));
}

TEST_F(Compute, CrossSectionsWithoutASectionGiveAnEmptyResult) {
    test::writeBytes(dir / "bos.txt", "\r\n  \r\n");
    test::writeBytes(dir / "yalniz_sol.txt", "L1_ U+00003000+00004000+00099500_+\r\n");
    for (const char* output : {"KESIT-KLISE", "KESIT-NETCAD"}) {
        EXPECT_EQ(run("GTS-600 / 700", output, dir / "bos.txt", ActionOutcome::NotConverted), "");
        EXPECT_EQ(run("GTS-230N", output, dir / "yalniz_sol.txt", ActionOutcome::NotConverted), "");
        EXPECT_FALSE(w.saveEnabled);
    }
}

TEST_F(Compute, NoFileChosenStillEndsWithTheComputationMessage) {
    w.setInstrument("GTS-600 / 700");
    for (const char* output : {"KESIT-NETCAD", "KOORDINAT"}) {
        w.setOutput(output);
        dialogs.answerFile({});
        EXPECT_EQ(runActionButton(w, state), ActionOutcome::NotConverted);
    }
    EXPECT_EQ(dialogs.messageLines(), std::vector<std::string>(2, kDone));
}

TEST_F(Compute, AResultFileThatCannotBeCreatedEndsWithoutTheCompletionMessage) {
    test::writeBytes(dir / "prog", "a file where the program folder should be");
    test::writeBytes(dir / "ham.txt", "A,-5,100,x\r\n");
    for (const char* output : {"KOORDINAT", "KESIT-KLISE", "KESIT-NETCAD"}) {
        dialogs.clearShown();
        w.setInstrument("GTS-600 / 700");
        w.setOutput(output);
        dialogs.answerFile(dir / "ham.txt");
        if (std::string(output) == "KOORDINAT") dialogs.answerFile({});  // no polygon file
        EXPECT_EQ(runActionButton(w, state), ActionOutcome::NotConverted) << output;
        const auto lines = dialogs.messageLines();
        ASSERT_EQ(lines.size(), 1u) << output;
        EXPECT_EQ(lines[0].rfind("Hata Mesajı: ", 0), 0u) << lines[0];
        EXPECT_FALSE(w.saveEnabled);
    }
}

}  // namespace
}  // namespace velkar::survey
