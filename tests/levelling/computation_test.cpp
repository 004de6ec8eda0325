// The elevation report and the short report (golden files worked by hand),
// the closure check, the adjustment, the go-and-return run and the summary table.
#include <iterator>
#include <sstream>

#include "levelling_fixture.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"

namespace velkar::levelling::test {
namespace {

using Computation = LevellingFixture;

TEST_F(Computation, ElevationReportForEachReadingSelection) {
    const std::pair<ReadingSelection, const char*> cases[] = {
        {ReadingSelection::Both, "kot_both.KOT"},
        {ReadingSelection::First, "kot_first.KOT"},
        {ReadingSelection::Second, "kot_second.KOT"},
    };
    for (const auto& [readings, golden] : cases) {
        settings.values.readings = readings;
        settings.values.startElevation = "100.0000";
        EXPECT_TRUE(matchesGolden(report("KOT HESABI", "line1.raw"), data(golden))) << golden;
    }
    EXPECT_EQ(dialogs.messages().size(), 0u);  // within the tolerance, no closure check
}

// Each point row of the table holds the values of the report line of the same
// point under the heading of the report column they stand in; a cell without a
// heading stays empty.
TEST_F(Computation, TableRowsShowTheReportValuesUnderTheirHeadings) {
    struct Case {
        const char* form;
        const char* raw;
        size_t reportTokens;
        std::vector<int> reportColumn;  // table column c: token of the report line (-1: none)
    };
    // Report line tokens: point, backsight distance, foresight distance, backsight,
    // intermediate, foresight, misclosure, elevation (short form: point, backsight, foresight).
    const Case cases[] = {{"KOT HESABI", "line1k.raw", 8, {0, 1, 2, 3, 4, 5, 7, -1}},
                          {"KOT HESABI-1", "line1.raw", 3, {0, 1, 2, -1, -1, -1, -1, -1}}};
    settings.values.printIntermediate = true;
    for (const Case& c : cases) {
        settings.values.startElevation = "100.0000";
        std::istringstream report(run(c.form, raw(c.raw)));
        std::vector<std::vector<std::string>> pointLines;
        for (std::string line; std::getline(report, line);) {
            std::istringstream tokens(line);
            std::vector<std::string> t{std::istream_iterator<std::string>(tokens), {}};
            if (t.size() == c.reportTokens && t[0][0] != '-' && t[0] != "Toplam" &&
                line.find("(m.)") == std::string::npos) {
                pointLines.push_back(t);
            }
        }
        ASSERT_EQ(static_cast<int>(pointLines.size()), table.rowCount() - 2) << c.form;
        for (int row = 0; row + 1 < table.rowCount(); ++row) {
            for (int col = 0; col < ResultTable::kColumns; ++col) {
                const int k = c.reportColumn[static_cast<size_t>(col)];
                const std::string cell = trimBlanks(table.cell(row, col));
                SCOPED_TRACE(std::string(c.form) + " row " + std::to_string(row) + " column " +
                             std::to_string(col));
                if (row == 0 || k < 0) {
                    EXPECT_EQ(cell.empty(), k < 0);  // the heading row
                    continue;
                }
                const std::string& token =
                    pointLines[static_cast<size_t>(row - 1)][static_cast<size_t>(k)];
                if (col == 0) {
                    EXPECT_EQ(cell, token);
                } else if (cell.empty() || cell[0] == '-') {
                    EXPECT_EQ(token.find_first_not_of('-'), std::string::npos);
                } else {
                    EXPECT_NEAR(leadingNumber(cell), leadingNumber(token), 1e-9);
                }
            }
        }
    }
}

// Intermediate sights are listed after their station only when asked for and
// change nothing else; the short report never lists them (and its totals start
// afresh each run).
TEST_F(Computation, IntermediateSightsFollowTheirStationAndChangeNothingElse) {
    for (const bool listed : {true, false}) {
        settings.values.printIntermediate = listed;
        settings.values.startElevation = "100.0000";
        EXPECT_TRUE(matchesGolden(report("KOT HESABI", "line1k.raw"),
                                  data(listed ? "kot_intermediate.KOT" : "kot_both.KOT")));
    }
    settings.values.printIntermediate = true;
    for (const char* raw : {"line1k.raw", "line1.raw"})
        EXPECT_TRUE(matchesGolden(report("KOT HESABI-1", raw), data("short_both.KOT"))) << raw;
    // An intermediate sight before any backsight has no row.
    settings.values.readings = ReadingSelection::First;
    const std::vector<std::string> station = {"g,12,15000,2500,,,,A,", "i,12,8000,2400,,,,B,"};
    std::vector<std::string> early = {"k,12,12000,1500,,,,K0,"};
    early.insert(early.end(), station.begin(), station.end());
    EXPECT_EQ(run("KOT HESABI", rawLines("early.raw", early)),
              run("KOT HESABI", rawLines("plain.raw", station)));
}

TEST_F(Computation, NoFormNoFileNoReport) {
    w.setOutput("KOT");  // no levelling computation: refused before any file is asked for
    EXPECT_TRUE(levellingAction(w, state, settings).failed);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.shown().size(), 1u);
    w.setOutput("KOT HESABI");
    dialogs.answerFile({});
    const LevellingRunResult r = levellingAction(w, state, settings);
    EXPECT_FALSE(r.failed);
    EXPECT_TRUE(r.saved.empty());
    EXPECT_FALSE(fs::exists(w.resultWorkFile()));
}

// Two readings of one sight more than the tolerance (0.3 mm) apart: one box
// naming the point and the error file, one line in it.  A difference equal to
// the tolerance passes.
TEST_F(Computation, ReadingsBeyondTheToleranceGiveOneMessageAndOneErrorLine) {
    const fs::path file =
        rawLines("ölçü 1.raw", {"g,13,150000,2500,,,,A,", "i,13,80000,2400,,,,B,",
                                "j,13,80000,2400,,,,B,", "h,13,150040,2500,,,,A,"});
    const std::string out = run("KOT HESABI", file);
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("A         "), std::string::npos);
    EXPECT_NE(lines[0].find(file.string() + ".HTA"), std::string::npos);
    EXPECT_EQ(readBytes(dir / "ölçü 1.raw.HTA"),
              "A             Geri :   1.50000 m.    1.50040 m.   \r\n");
    // B = 1.50020, the station closes with the file: elevation 0.70020.
    EXPECT_NE(out.find("     0.70020\r\n\r\nToplam Mesafe..:  4.90\r\n"), std::string::npos) << out;

    dialogs.clearShown();
    run("KOT HESABI", rawLines("tol2.raw", {"g,13,150000,2500,,,,A,", "i,13,80000,2400,,,,B,",
                                            "j,13,80040,2400,,,,B,", "h,13,150030,2500,,,,A,"}));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text.rfind("B         ", 0), 0u);
    EXPECT_EQ(readBytes(dir / "tol2.raw.HTA"),
              "B        " + cp1254("    İleri :") + "   0.80000 m.    0.80040 m.\r\n");
}

// A station closes on the line-end record unless its status blocks it ("0"):
// then the total printed there is still 0 and it closes with the file.
TEST_F(Computation, StationClosesOnTheLineEndRecordUnlessItsStatusBlocks) {
    settings.values.readings = ReadingSelection::First;
    const auto line = [&](const char* end) {
        return run("KOT HESABI",
                   rawLines("v.raw", {"g,12,15000,2500,,,,A,", "i,12,8000,2400,,,,B,", end, ""}));
    };
    EXPECT_NE(line("v,12,,,").find("           0\r\n \r\nToplam Mesafe..:    49.00\r\n \r\n"),
              std::string::npos);
    EXPECT_NE(line("v,,,").find("Toplam Mesafe..:    49.00"), std::string::npos);
    const std::string blocked = line("v,02,,,");
    EXPECT_NE(blocked.find("----------\r\n \r\nToplam Mesafe..:     0.00\r\n \r\nA  "),
              std::string::npos)
        << blocked;
    EXPECT_NE(blocked.find("Toplam Mesafe..:  49.00"), std::string::npos);
}

TEST_F(Computation, ElevationBoxesAreExchangedAfterEachSingleRun) {
    settings.values.startElevation = "100.0000";
    settings.values.endElevation = "100.4030";
    report("KOT HESABI", "line1.raw");
    EXPECT_EQ(settings.values.startElevation, "100.4030");
    EXPECT_EQ(settings.values.endElevation, "100.0000");
    report("KOT HESABI-1", "line1.raw");
    EXPECT_EQ(settings.values.startElevation, "100.0000");
}

TEST_F(Computation, EachPassStartsWithNoReadingsLeftOver) {
    const fs::path second =
        rawLines("second.raw", {"h,12,15000,2500,,,,X,", "g,12,15000,2500,,,,X,",
                                "i,12,8000,2400,,,,Y,", "j,12,8000,2400,,,,Y,"});
    const std::string fresh = run("KOT HESABI", second, "fresh.txt");
    // An outward file that ends inside a station (first reading and both foresights).
    run("KOT HESABI", rawLines("open.raw", {"g,12,15000,2500,,,,A,", "i,12,8000,2400,,,,B,",
                                            "j,12,8000,2400,,,,B,"}));
    EXPECT_EQ(run("KOT HESABI", second, "again.txt"), fresh);
}

// A file with no DL-100 record (here a total-station download) gives no
// report: the empty-result warning, nothing to save, no error file.
TEST_F(Computation, AFileWithoutADl100RecordIsAWarningNotAReport) {
    const fs::path file = rawLines("gts.raw", {"_'S1_)K0_(1.500__+", "STN,S1,1.5", ""});
    for (const std::string form : {"KOT HESABI", "KOT HESABI-1", "iLLER BANKASI"}) {
        dialogs.clearShown();
        w.setOutput(form);
        dialogs.answerFile(file);
        const LevellingRunResult r = levellingAction(w, state, settings);
        EXPECT_TRUE(r.nothingRead && r.saved.empty()) << form;
        EXPECT_EQ(dialogs.messageLines(),
                  std::vector<std::string>{"Uyarı: Bu dosyada seçilen çıktı için kayıt "
                                           "bulunamadı: hiçbir satır yazılmadı."});
        EXPECT_FALSE(w.saveEnabled);
        EXPECT_FALSE(fs::exists(dir / "gts.raw.HTA"));
    }
}

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
