// The İller Bankası notebook and the intermediate elevation difference over
// its table.
#include <sstream>

#include "levelling/intermediate.h"
#include "levelling_fixture.h"
#include "platform/numbers.h"

namespace velkar::levelling::test {
namespace {

struct Notebook : LevellingFixture {
    Notebook() { settings.values.readings = ReadingSelection::First; }
    std::string book(const std::vector<std::string>& lines) {
        return run("iLLER BANKASI", rawLines("book.raw", lines));
    }
};

TEST_F(Notebook, MeanReadingsWithElevationsAndTraverseInformation) {
    settings.values.readings = ReadingSelection::Both;
    settings.values.startElevation = "100.0000";
    settings.values.addElevations = true;
    settings.values.addTraverseInfo = true;
    settings.values.returnRun = true;  // no return run for the notebook
    EXPECT_TRUE(
        matchesGolden(run("iLLER BANKASI", raw("book.raw"), "defter.txt"), data("book_both.iLL")));
    // No adjustment, no exchange of the elevation boxes, no pending return run.
    EXPECT_EQ(settings.values.startElevation, "100.0000");
    EXPECT_EQ(w.DONUS_DOSYASI, 0);
    // Job header row, then a backsight and a foresight row per station.
    EXPECT_EQ(table.cell(1, 3) + "|" + table.cell(6, 5), "   1.50020|    22.000");
    EXPECT_EQ(table.rowCount(), 8);
}

TEST_F(Notebook, FirstReadingsWithoutElevations) {
    EXPECT_TRUE(matchesGolden(run("iLLER BANKASI", raw("book.raw")), data("book_first.iLL")));
}

// The second section end carries the totals from the start of the file.
// Without a job header a section end has no start point.
TEST_F(Notebook, SectionEndsCarryTheTotalsFromTheStartOfTheFile) {
    const std::vector<std::string> stations = {
        "g,12,15000,1000,,,,S,", "i,12,5000,1000,,,,P,", "w,12,,P,",
        "g,12,12000,2000,,,,P,", "i,12,2000,2000,,,,Q,", "w,12,,Q,"};
    std::vector<std::string> lines = {"c,12,H," + std::string(15, ',') + "S,,050711,"};
    lines.insert(lines.end(), stations.begin(), stations.end());
    const std::string out = book(lines);
    for (const char* part :
         {"S - P KOT FARKI          :  1.00000\r\n",
          "TOPLAM GERİ  MİRA OKUMALARI ORT. :  2.70000          TOPLAM ORT. MESAFE.: 60\r\n",
          "S - Q KOT FARKI          :  2.00000\r\n"}) {
        EXPECT_NE(out.find(cp1254(part)), std::string::npos) << part << out;
    }
    // Nothing follows the last report.
    EXPECT_EQ(out.substr(out.size() - 77), std::string(75, '-') + "\r\n");
    EXPECT_NE(book(stations).find("\r\n - P KOT FARKI          :  1.00000\r\n"), std::string::npos);
}

TEST_F(Notebook, TotalDistanceIsTheDecimalSumOfTheStations) {
    // 115 stations of 25.011 + 24.300 m: 5670.765 m, which a plain binary
    // running sum would show as 5670.76499999999.
    std::vector<std::string> lines;
    for (int i = 0; i < 115; ++i) {
        lines.push_back("g,13,150000,25011,,,,P" + std::to_string(i) + ",");
        lines.push_back("i,13,140000,24300,,,,P" + std::to_string(i + 1) + ",");
    }
    lines.push_back("w,13,,P115,");
    EXPECT_NE(book(lines).find("TOPLAM ORT. MESAFE.: 5670.765\r\n"), std::string::npos);
}

TEST_F(Notebook, TraverseEndReportsOnlyWhenAskedAndRestartTheTotals) {
    const std::vector<std::string> lines = {
        "g,12,15000,1000,,,,S,", "i,12,5000,1000,,,,P,", "v,12,,,",
        "g,12,12000,2000,,,,P,", "i,12,2000,2000,,,,Q,", "v,12,,,"};
    EXPECT_EQ(book(lines).find(cp1254("POLİGON")), std::string::npos);
    settings.values.addTraverseInfo = true;
    settings.values.startElevation = "10";
    const std::string out = book(lines);
    // The second traverse P - Q: its own difference, the running sum of both.
    EXPECT_NE(out.find("P - Q KOT FARKI ..:       1.00000\r\n - Q KOT FARKI ..:       2.00000   "
                       "     Q KOT ..:         12.0000\r\n"),
              std::string::npos)
        << out;
}

struct Intermediate : LevellingFixture {
    std::optional<IntermediateDifference> compute(const std::string& start,
                                                  const std::string& end) {
        return araKotFarki(dialogs, table, start, end);
    }

    // The points of an elevation report in line order with their elevations
    // (token 0 and token 7 of every row, as the adjustment reads them).
    static std::vector<std::pair<std::string, double>> elevations(const std::string& report) {
        std::vector<std::pair<std::string, double>> points;
        std::istringstream in(report);
        std::string row;
        for (int skip = 0; skip < 2 && std::getline(in, row);) ++skip;
        while (std::getline(in, row)) {
            std::istringstream tokens(row);
            std::vector<std::string> t;
            for (std::string s; tokens >> s;) t.push_back(s);
            if (t.size() > 7) points.emplace_back(t[0], leadingNumber(t[7]));
        }
        return points;
    }
};

// For every pair of points of a line, forwards and backwards, in every reading
// selection: the difference is the one of their elevations in the elevation
// report of the same raw file.
TEST_F(Intermediate, EveryPairOfPointsGivesTheDifferenceOfTheirElevations) {
    settings.values.startElevation = "100";
    for (const char* rawName : {"line1.raw", "book.raw"}) {
        for (ReadingSelection sel :
             {ReadingSelection::First, ReadingSelection::Second, ReadingSelection::Both}) {
            SCOPED_TRACE(std::string(rawName) + " selection " + std::to_string(int(sel)));
            settings.values.readings = sel;
            const auto points = elevations(report("KOT HESABI", rawName));
            ASSERT_EQ(points.size(), 4u);  // A, T1, T2, B
            run("iLLER BANKASI", raw(rawName));
            dialogs.clearShown();
            for (const auto& [from, fromElevation] : points) {
                for (const auto& [to, toElevation] : points) {
                    const auto r = compute(from, " " + to + " ");
                    ASSERT_TRUE(r);
                    EXPECT_NEAR(r->backsightTotal - r->foresightTotal, toElevation - fromElevation,
                                1e-5)
                        << from << " -> " << to;
                }
            }
        }
    }
    EXPECT_TRUE(dialogs.messageLines().empty());
}

}  // namespace
}  // namespace velkar::levelling::test
