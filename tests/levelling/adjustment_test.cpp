// Closure check, adjustment, the go-and-return run and the summary table.
#include "levelling_fixture.h"
#include "platform/program_folder.h"

namespace velkar::levelling::test {
namespace {

struct Adjustment : LevellingFixture {
    // Four stations of 1000 m (two 500 m sights each, first readings), each
    // falling by the foresight less 1 m, from 100.000 to the known end
    // elevation 100.000, with or without "Kot Ekle".
    std::string fourKilometres(const std::string& foresight, bool adjust) {
        settings.values = {
            ReadingSelection::First, "0", false, false, adjust, false, "100.000", "100.000"};
        std::vector<std::string> lines;
        for (int i = 0; i < 4; ++i) {
            lines.push_back("g,13,100000,500000,,,,P" + std::to_string(i) + ",");
            lines.push_back("i,13," + foresight + ",500000,,,,P" + std::to_string(i + 1) + ",");
        }
        lines.push_back("v,13,,,");
        return run("KOT HESABI", rawLines("km.raw", lines));
    }
};

TEST_F(Adjustment, MisclosureWithinTheLimitIsSpreadByDistance) {
    // e = 100.000 - 99.985 = 15 mm; limit = 20 * sqrt(4) = 40 mm; each
    // 1000 m station receives 15 * 1000 / 4000 = 3.75 mm.
    const std::string out = fourKilometres("100375", true);
    // P0 keeps the start elevation; P1 (1000 m after it) receives 3.75 mm.
    EXPECT_NE(
        out.find(
            "\r\nP0          500.00    0.00   1.00000   -------   0.00000    0.0000   100.0000\r\n"
            "P1          500.00  500.00   1.00000   -------   1.00375    3.7500   100.0000\r\n"),
        std::string::npos)
        << out;
    EXPECT_NE(
        out.find(cp1254("\r\n\r\nDüzeltme Değeri.: 15.0000 mm.     Sınır Değer.: 40.0000 mm.   "
                        "Toplam Mesafe.: 4000 m.\r\n")),
        std::string::npos);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(fs::exists(w.workFolder / kAdjustmentWorkFileName));
    // e = 50 mm > 40 mm: one box, and the report stays as it is without "Kot Ekle".
    EXPECT_EQ(fourKilometres("101250", true), fourKilometres("101250", false));
    EXPECT_EQ(dialogs.messageLines().size(), 1u);
}

TEST_F(Adjustment, TheLimitGrowsWithTheDescentBetweenTheBenchmarks) {
    settings.values.addElevations = true;
    w.setOutput("KOT HESABI");
    fs::create_directories(w.workFolder);
    const auto limitLine = [&](double H, const char* start, const char* end) {
        writeBytes(w.resultWorkFile(), "h1\r\nh2\r\n");
        EXPECT_TRUE(DL_NIVELMAN(w, settings, H, 4000, start, end));
        const std::string out = readBytes(w.resultWorkFile());
        return out.substr(out.find(cp1254("Sınır")) + 14, 7);
    };
    EXPECT_EQ(limitLine(150, "100", "150"), "39.9900");
    EXPECT_EQ(limitLine(100, "150", "100"), "40.0100");
    // Without "Kot Ekle" nothing is checked or touched.
    settings.values.addElevations = false;
    writeBytes(w.resultWorkFile(), "h1\r\nh2\r\n");
    EXPECT_TRUE(DL_NIVELMAN(w, settings, 0, 4000, "100", "150"));
    EXPECT_EQ(readBytes(w.resultWorkFile()), "h1\r\nh2\r\n");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Adjustment, AdjustedReportWithIntermediateSights) {
    settings.values.startElevation = "100.0000";
    settings.values.endElevation = "100.4030";
    settings.values.addElevations = true;
    settings.values.printIntermediate = true;
    EXPECT_TRUE(
        matchesGolden(report("KOT HESABI", "line1k.raw"), data("kot_intermediate_adjusted.KOT")));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Adjustment, ZeroTotalDistanceIsNeverDividedBy) {
    settings.values.addElevations = true;
    settings.values.readings = ReadingSelection::First;
    const std::string out =
        run("KOT HESABI", rawLines("zero.raw", {"g,12,15000,0,,,,A,", "i,12,15000,0,,,,B,"}));
    EXPECT_EQ(dialogs.messageLines().size(), 1u);
    EXPECT_EQ(out.substr(0, 9), " Nokta N.");
    EXPECT_NE(out.find("Toplam Mesafe..:  0.00"), std::string::npos);  // the plain report stays
}

TEST_F(Adjustment, ShortReportIsCheckedButNeverRewritten) {
    settings.values.addElevations = true;
    settings.values.startElevation = "100.0000";
    settings.values.endElevation = "101";  // 600 mm off
    EXPECT_TRUE(matchesGolden(report("KOT HESABI-1", "line1.raw"), data("short_both.KOT")));
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(Adjustment, GoAndReturnRunWithSummaryTable) {
    settings.values.startElevation = "100.0000";
    settings.values.endElevation = "100.4030";
    settings.values.addElevations = true;
    settings.values.returnRun = true;
    w.setOutput("KOT HESABI");
    for (const fs::path& answer : {raw("line1.raw"), dir / "gidis.txt", raw("line1r.raw"),
                                   dir / "donus.txt", dir / "ozet.txt"}) {
        dialogs.answerFile(answer);
    }
    const LevellingRunResult r = levellingAction(w, state, settings);
    EXPECT_FALSE(r.failed);
    ASSERT_EQ(r.saved,
              (std::vector<fs::path>{dir / "gidis.KOT", dir / "donus.KOT", dir / "ozet.KOT"}));
    EXPECT_TRUE(matchesGolden(readBytes(dir / "gidis.KOT"), data("kot_adjusted.KOT")));
    EXPECT_TRUE(matchesGolden(readBytes(dir / "donus.KOT"), data("return_adjusted.KOT")));
    EXPECT_TRUE(matchesGolden(readBytes(dir / "ozet.KOT"), data("summary.KOT")));
    EXPECT_EQ(dialogs.messageLines().size(), 3u);
    EXPECT_EQ(settings.values.startElevation, "100.0000");  // exchanged twice
    EXPECT_FALSE(fs::exists(dir / "line1r.raw.HTA"));  // no sight out of tolerance: no error file
}

TEST_F(Adjustment, SummaryListsUpperCaseNamesAndEveryMatch) {
    const std::string outward =
        "HEAD\r\nA 1 2 3 ------- 5 6 10.00000\r\n1X 1 2 3 ------- 5 6 11.00000\r\n"
        "pq 1 2 3 ------- 5 6 12.00000\r\nK 1 2 3 1.20000 ------ ------ 13.00000\r\n"
        "P 1 2 3 ------- 5 6 14.00000\r\nToplam Mesafe\r\n";
    writeBytes(dir / "g.KOT", outward);
    writeBytes(dir / "d.KOT",
               "P 1 2 3 ------- 5 6 14.00002\r\n1X 1 2 3 ------- 5 6 11.00000\r\n"
               "K 1 2 3 1.20000 ------ ------ 13.00000\r\nP 1 2 3 ------- 5 6 13.99998\r\n"
               "A 1 2 3 ------- 5 6 10.00004\r\n");
    state.GIDIS_DOSYASI = dir / "g.KOT";
    state.HAT_BASI = "A        ";
    w.dialog.fileName = dir / "d.KOT";
    w.setOutput("KOT HESABI");
    dialogs.answerFile(dir / "ozet.txt");
    bool failed = true;
    EXPECT_EQ(ozet_cizelge(w, state, failed), dir / "ozet.KOT");
    EXPECT_FALSE(failed);
    const std::string body = readBytes(dir / "ozet.KOT");
    EXPECT_EQ(body.substr(body.find("-----------\r\n") + 13),
              "A-----      10.00000   10.00004   10.00002\r\n"
              "-----   P   14.00000   14.00002   14.00001\r\n"
              "-----   P   14.00000   13.99998   13.99999\r\n");
    // The summary is never saved over one of the results it read.
    writeBytes(w.resultWorkFile(), "x\r\n");
    dialogs.answerFile(dir / "g.KOT");
    EXPECT_TRUE(conversion::kayitEt(w).empty());
    EXPECT_EQ(readBytes(dir / "g.KOT"), outward);
    // Without a saved outward result nothing happens.
    state.GIDIS_DOSYASI.clear();
    EXPECT_TRUE(ozet_cizelge(w, state, failed).empty());
    EXPECT_FALSE(failed);
}

}  // namespace
}  // namespace velkar::levelling::test
