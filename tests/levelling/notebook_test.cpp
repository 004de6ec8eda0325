// The İller Bankası notebook.
#include "levelling_fixture.h"

namespace velkar::levelling::test {
namespace {

using Notebook = LevellingFixture;

TEST_F(Notebook, MeanReadingsWithElevationsAndTraverseInformation) {
    settings.values.startElevation = "100.0000";
    settings.values.addElevations = true;
    settings.values.addTraverseInfo = true;
    EXPECT_TRUE(
        matchesGolden(run("iLLER BANKASI", raw("book.raw"), "defter.txt"), data("book_both.iLL")));
    EXPECT_TRUE(fs::exists(dir / "defter.iLL"));
    // Saved first, then the completion box.
    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[1].file.mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.messageLines().size(), 1u);
    // No adjustment, no exchange of the elevation boxes, no pass state change.
    EXPECT_EQ(settings.values.startElevation, "100.0000");
    EXPECT_EQ(w.DONUS_DOSYASI, 0);
    // Job header row, then a backsight and a foresight row per station.
    EXPECT_EQ(table.cell(1, 3), "   1.50020");
    EXPECT_EQ(table.cell(2, 0), "T1       ");
    EXPECT_EQ(table.cell(6, 5), "    22.000");
    EXPECT_EQ(table.rowCount(), 8);
}

TEST_F(Notebook, ReturnRunTickedLeavesNoPendingReturnRun) {
    settings.values.returnRun = true;
    run("iLLER BANKASI", raw("book.raw"));
    EXPECT_EQ(w.DONUS_DOSYASI, 0);
    settings.values.returnRun = false;
    run("KOT HESABI", raw("line1.raw"));  // a single run: no return file is asked for
    EXPECT_EQ(w.DONUS_DOSYASI, 3);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(Notebook, FirstReadingsWithoutElevations) {
    settings.values.readings = ReadingSelection::First;
    EXPECT_TRUE(matchesGolden(run("iLLER BANKASI", raw("book.raw")), data("book_first.iLL")));
    EXPECT_EQ(table.cell(1, 3), "    ------");
}

TEST_F(Notebook, SecondSectionEndCarriesTheTotalsFromTheStartOfTheFile) {
    settings.values.readings = ReadingSelection::First;
    const std::string out =
        run("iLLER BANKASI",
            rawLines("two.raw", {"c,12,H," + std::string(15, ',') + "S,,050711,",
                                 "g,12,15000,1000,,,,S,", "i,12,5000,1000,,,,P,", "w,12,,P,",
                                 "g,12,12000,2000,,,,P,", "i,12,2000,2000,,,,Q,", "w,12,,Q,", ""}));
    EXPECT_NE(
        out.find(cp1254(
            "TOPLAM GERİ  MİRA OKUMALARI ORT. :  1.50000          TOPLAM ORT. MESAFE.: 20\r\n")),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("S - P KOT FARKI          :  1.00000\r\n"), std::string::npos);
    EXPECT_NE(
        out.find(cp1254(
            "TOPLAM GERİ  MİRA OKUMALARI ORT. :  2.70000          TOPLAM ORT. MESAFE.: 60\r\n")),
        std::string::npos);
    EXPECT_NE(out.find(cp1254("TOPLAM İLERİ MİRA OKUMALARI ORT. :  0.70000     \r\n")),
              std::string::npos);
    EXPECT_NE(out.find("S - Q KOT FARKI          :  2.00000\r\n"), std::string::npos);
    // Nothing follows the last report.
    EXPECT_EQ(out.substr(out.size() - 77), std::string(75, '-') + "\r\n");
}

TEST_F(Notebook, TotalDistanceIsTheDecimalSumOfTheStations) {
    // 115 stations of 25.011 + 24.300 m: 5670.765 m, which a plain binary
    // running sum would show as 5670.76499999999.
    settings.values.readings = ReadingSelection::First;
    std::vector<std::string> lines;
    for (int i = 0; i < 115; ++i) {
        lines.push_back("g,13,150000,25011,,,,P" + std::to_string(i) + ",");
        lines.push_back("i,13,140000,24300,,,,P" + std::to_string(i + 1) + ",");
    }
    lines.push_back("w,13,,P115,");
    const std::string out = run("iLLER BANKASI", rawLines("long.raw", lines));
    EXPECT_NE(out.find("TOPLAM ORT. MESAFE.: 5670.765\r\n"), std::string::npos)
        << out.substr(out.size() - 400);
}

TEST_F(Notebook, WithoutAJobHeaderTheSectionEndHasNoStartPoint) {
    settings.values.readings = ReadingSelection::First;
    run("iLLER BANKASI", raw("book.raw"));
    const std::string out =
        run("iLLER BANKASI",
            rawLines("nohead.raw", {"g,12,15000,1000,,,,S,", "i,12,5000,1000,,,,P,", "w,12,,P,"}));
    EXPECT_NE(out.find("\r\n - P KOT FARKI          :  1.00000\r\n"), std::string::npos) << out;
}

TEST_F(Notebook, TraverseEndReportsOnlyWhenAskedAndRestartTheTotals) {
    settings.values.readings = ReadingSelection::First;
    const std::vector<std::string> lines = {
        "g,12,15000,1000,,,,S,", "i,12,5000,1000,,,,P,", "v,12,,,",
        "g,12,12000,2000,,,,P,", "i,12,2000,2000,,,,Q,", "v,12,,,"};
    std::string out = run("iLLER BANKASI", rawLines("trav.raw", lines));
    EXPECT_EQ(out.find(cp1254("POLİGON")), std::string::npos);

    settings.values.addTraverseInfo = true;
    settings.values.startElevation = "10";
    out = run("iLLER BANKASI", rawLines("trav.raw", lines));
    // first traverse S - P: 1.5 - 0.5
    EXPECT_NE(out.find(cp1254(
                  "TOPLAM GERİ  MİRA OKUMALARI ORT..:  1.50000    TOPLAM ORT. MESAFE : 20\r\n")),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("S - P KOT FARKI ..:       1.00000\r\n - P KOT FARKI ..:       1.00000      "
                       "  P KOT ..: "
                       "        11.0000\r\n"),
              std::string::npos);
    // second traverse P - Q: its own totals, the running sum of both
    EXPECT_NE(out.find(cp1254("TOPLAM İLERİ MİRA OKUMALARI ORT..:  0.20000\r\n")),
              std::string::npos);
    EXPECT_NE(out.find("P - Q KOT FARKI ..:       1.00000\r\n - Q KOT FARKI ..:       2.00000      "
                       "  Q KOT ..: "
                       "        12.0000\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace velkar::levelling::test
