// The format writer end to end: raw file in, result work file and result
// table out (every golden file is compared here, once), and the save step.

#include <gtest/gtest.h>

#include "conversion/format_writer.h"
#include "conversion_rig.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(VELKAR_SAMPLES_DIR);

struct Convert : test::ConversionRig {
    Convert() : ConversionRig("format") {}

    std::string run(const std::string& instrument, const std::string& output, const fs::path& raw,
                    ActionOutcome expected = ActionOutcome::Converted) {
        w.setInstrument(instrument);
        w.setOutput(output);
        dialogs.answerFile(raw);
        EXPECT_EQ(runAction(w, state), expected);
        return test::readBytes(w.resultWorkFile());
    }
    // The same for a raw file of these bytes (ham.txt).
    std::string runText(const std::string& instrument, const std::string& output,
                        const std::string& raw, ActionOutcome expected = ActionOutcome::Converted) {
        test::writeBytes(dir / "ham.txt", raw);
        return run(instrument, output, dir / "ham.txt", expected);
    }
    // A result in the work file, ready to be saved.
    void makeResult(const std::string& bytes) {
        fs::create_directories(w.workFolder);
        test::writeBytes(w.resultWorkFile(), bytes);
        w.setSaveEnabled(true);
    }
    std::vector<std::string> row(int i) const {
        std::vector<std::string> cells;
        for (int c = 0; c < ResultTable::kColumns; ++c) cells.push_back(toUtf8(table.cell(i, c)));
        return cells;
    }
};

struct GoldenCase {
    const char* name;
    const char* instrument;
    const char* raw;
    const char* output;
    const char* golden;
};

class Golden : public Convert, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(Golden, OutputMatchesByteForByte) {
    const GoldenCase& c = GetParam();
    EXPECT_TRUE(test::matchesGolden(run(c.instrument, c.output, kSamples / c.raw),
                                    test::dataDir() / "conversion" / c.golden));
}

// clang-format off
const GoldenCase kGoldenCases[] = {
    {"gts210_yde_netcad", "GTS-210 / 220 / 6", "gts210_ornek.txt", "YDE-NETCAD", "gts210_yde_netcad.gold"},
    {"gts210_yde_geocad", "GTS-210 / 220 / 6", "gts210_ornek.txt", "YDE-GEOCAD", "gts210_yde_netcad.gold"},
    {"gts210_ymk_netcad", "GTS-210 / 220 / 6", "gts210_ornek.txt", "YMK-NETCAD", "gts210_ymk_netcad.gold"},
    {"gts230n_ymk_geocad", "GTS-230N", "gts210_ornek.txt", "YMK-GEOCAD", "gts210_ymk_netcad.gold"},
    {"gpt1000_yde_eghas", "GPT-1000 / 2000", "gts210_ornek.txt", "YDE-EGHAS", "gts210_yde_eghas.gold"},
    {"gpt3000_ymk_eghas", "GPT-3000 / GPT-3000LN", "gts210_ornek.txt", "YMK-EGHAS", "gts210_ymk_eghas.gold"},
    {"gts210_xyz", "GTS-210 / 220 / 6", "gts210_ornek.txt", "XYZ", "gts210_xyz.gold"},
    {"gts210_yxz", "GTS-210 / 220 / 6", "gts210_ornek.txt", "YXZ", "gts210_yxz.gold"},
    {"gts700_yde_netcad", "GTS-600 / 700", "gts700_ornek.txt", "YDE-NETCAD", "gts700_yde_netcad.gold"},
    {"gts700_yde_geocad", "GTS-600 / 700", "gts700_ornek.txt", "YDE-GEOCAD", "gts700_yde_netcad.gold"},
    {"gts700_ymk_netcad", "GTS-600 / 700", "gts700_ornek.txt", "YMK-NETCAD", "gts700_ymk_netcad.gold"},
    {"gts700_ymk_geocad", "GTS-600 / 700", "gts700_ornek.txt", "YMK-GEOCAD", "gts700_ymk_netcad.gold"},
    {"gts700_yde_eghas", "GTS-600 / 700", "gts700_ornek.txt", "YDE-EGHAS", "gts700_yde_eghas.gold"},
    {"gts700_ymk_eghas", "GTS-600 / 700", "gts700_ornek.txt", "YMK-EGHAS", "gts700_ymk_eghas.gold"},
    {"gts700_xyz", "GTS-600 / 700", "gts700_koordinat.txt", "XYZ", "gts700_xyz.gold"},
    {"gts700_yxz", "GTS-600 / 700", "gts700_koordinat.txt", "YXZ", "gts700_yxz.gold"},
    {"gts700_observation_book", "GTS-600 / 700", "gts700_rasat.txt", "RASAT KARNESi", "gts700_rasat.gold"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Samples, Golden, ::testing::ValuesIn(kGoldenCases), test::ByName());

// Header, one row a line, one empty row; the completion box counts the lines.
TEST_F(Convert, TableMirrorsTheFile) {
    run("GTS-600 / 700", "YDE-NETCAD", kSamples / "gts700_ornek.txt");
    EXPECT_EQ(table.rowCount(), 8 + 2);
    EXPECT_EQ(row(3), (std::vector<std::string>{"P1        ", " 123.4500", "  89.5930",
                                                "    25.123", " 1.700", "", "AGAC", ""}));
    EXPECT_EQ(row(9), std::vector<std::string>(8));
    EXPECT_EQ(dialogs.messageLines(),
              std::vector<std::string>{"İşlem Sonu: Format Dönüştürme İşlemi Tamamlandı\n"
                                       "8 satır yazıldı."});
    EXPECT_TRUE(w.saveEnabled);
}

const std::string kNothingWritten =
    "Uyarı: Bu dosyada seçilen çıktı için kayıt bulunamadı: hiçbir satır yazılmadı.";

// Nothing to write is no success: the warning instead of the completion
// message, and nothing to save.
TEST_F(Convert, AnEmptyResultIsAWarningAndCannotBeSaved) {
    EXPECT_EQ(run("GTS-210 / 220 / 6", "RASAT KARNESi", kSamples / "gts210_ornek.txt",
                  ActionOutcome::NotConverted),
              "");
    EXPECT_EQ(table.rowCount(), 2);
    runText("GTS-210 / 220 / 6", "YDE-EGHAS", "", ActionOutcome::NotConverted);
    // Polar records only: no coordinate record for XYZ.
    run("GTS-210 / 220 / 6", "XYZ", kSamples / "gts210_koordinat_ham.txt",
        ActionOutcome::NotConverted);
    EXPECT_EQ(dialogs.messageLines(), std::vector<std::string>(3, kNothingWritten));
    EXPECT_FALSE(w.saveEnabled);
}

TEST_F(Convert, ObservationBookHasNoPointLimitAndNoLeftoverFaces) {
    std::string raw = "STN,S1,1.5\r\n";
    for (int i = 0; i < 150; ++i) raw += "SS,P" + std::to_string(i) + "\r\nSD,1,100,10\r\n";
    // Face II of P148 reads below face I + 200, that of P149 above it.
    raw += "SS,P148\r\nSD,200.9996,300,10\r\nSS,P149\r\nSD,201.0002,300,10\r\n";
    raw += "STN,S2,1.5\r\nSS,P0\r\nSD,5,100,10\r\n";
    runText("GTS-600 / 700", "RASAT KARNESi", raw);
    ASSERT_EQ(table.rowCount(), 150 + 1 + 2);
    EXPECT_EQ(row(150)[3], " 201.0002");
    EXPECT_EQ(row(150)[6], "      1.0001");
    EXPECT_EQ(row(149)[6], "      0.9998");
    // P0 of S2 was seen in one face: no face II from S1's book, its face I is the mean.
    EXPECT_EQ(row(151),
              (std::vector<std::string>{"S2        ", "P0        ", "   5.0000", "", " 100.0000",
                                        "    10.000", "      5.0000", " 10.0000"}));
}

// A choice the lists do not have, or an output of the other mode, is refused
// before any file is asked for; no file chosen ends silently.
TEST_F(Convert, RunsOnlyWhatTheChoiceNames) {
    table.setCell(0, 0, "earlier result");
    table.setRowCount(2);
    for (const auto& [instrument, output] :
         {std::pair{"GTS-600 / 700", "ABC"}, {"", "XYZ"}, {"Bilinmeyen", "XYZ"}}) {
        w.setInstrument(instrument);
        w.setOutput(output);
        EXPECT_EQ(runAction(w, state), ActionOutcome::NotConverted);
    }
    EXPECT_EQ(dialogs.messageLines(),
              std::vector<std::string>(3, "Uyarı: Cihaz ve çıktı seçiniz."));
    EXPECT_EQ(table.rowCount(), 2);  // nothing else changed
    w.setInstrument("DL-100");
    EXPECT_EQ(runAction(w, state), ActionOutcome::RunLevelling);
    w.setInstrument("GTS-230N");
    w.setOutput("KOORDINAT");
    w.setMode(catalogue::Mode::Compute);
    EXPECT_EQ(runAction(w, state), ActionOutcome::RunComputation);
    w.setOutput("YXZ");
    EXPECT_EQ(runAction(w, state), ActionOutcome::NotConverted);
    w.setMode(catalogue::Mode::Convert);
    w.setOutput("KESIT-KLISE");
    EXPECT_EQ(runAction(w, state), ActionOutcome::NotConverted);
    const auto lines = dialogs.messageLines();  // each names what its mode runs
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3].rfind("Uyarı: YXZ bir hesap değil: KOORDINAT, ", 0), 0u);
    EXPECT_EQ(lines[4].rfind("Uyarı: KESIT-KLISE bir format dönüşümü değil: YXZ, XYZ, ", 0), 0u);
    dialogs.clearShown();
    w.setOutput("XYZ");
    dialogs.answerFile({});
    EXPECT_EQ(runAction(w, state), ActionOutcome::NotConverted);
    EXPECT_EQ(dialogs.messageLines().size(), 0u);
    EXPECT_FALSE(fs::exists(w.resultWorkFile()));
}

TEST_F(Convert, ConsumedFieldsAreClearedBetweenRecords) {
    // The second SD has no target of its own: the name was consumed by the first.
    EXPECT_EQ(runText("GTS-600 / 700", "YDE-NETCAD",
                      "SS,P1,1.7,K\r\nSD,1,2,3\r\nSD,4,5,6\r\nSS,P2\r\nSD,7,8,9\r\n"),
              "   P1           1.0000    2.0000      3.000    1.7 K\r\n"
              "   P2           7.0000    8.0000      9.000        \r\n");
}

// The raw file the run read is never replaced (a copy of it, in case the guard fails).
TEST_F(Convert, SaveNeverReplacesTheRawFileJustRead) {
    const std::string raw = test::readBytes(kSamples / "gts210_ornek.txt");
    runText("GTS-210 / 220 / 6", "XYZ", raw);
    dialogs.answerFile(dir / "ham.txt");
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_EQ(test::readBytes(dir / "ham.txt"), raw);
}

TEST_F(Convert, StateCarriesOverBetweenRuns) {
    // A station whose backsight is in the next file: the record lives as long as the window.
    runText("GTS-210 / 220 / 6", "YDE-NETCAD", "_'S1_)K0_(1.550__+\r\n");
    EXPECT_EQ(runText("GTS-210 / 220 / 6", "YDE-NETCAD",
                      "B1_ ?+00045678m0900000+0000000d_)POL_(1.600__+\r\n"),
              "   B1           0.0000   90.0000   45.678  1.600 POL\r\n");
    EXPECT_EQ(state.record.BAK_NOKTA, "B1");
}

// The saved name takes the output's extension; a coordinate list keeps the
// one it was given (its first three letters), or without one the filter's.
TEST(SavedFileName, ExtensionFollowsTheOutput) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"/home/u/iş/deneme.txt", "YDE-EGHAS", 1, "/home/u/iş/deneme.YDE"},
        {"/a/b.pol", "XYZ", 1, "/a/b.pol"},
        {"/a/b.coords", "XYZ", 1, "/a/b.coo"},
        {"/a/x", "KESIT-NETCAD", 1, "/a/x.KSE"},
        {"/a/x.raw", "RASAT KARNESi", 1, "/a/x.RAS"},
        {"/a/x.raw", "iLLER BANKASI", 1, "/a/x.iLL"},
        {"/proje.eski/x", "KESIT-KLISE", 1, "/proje.eski/x.KSE"},  // a dot in a folder name
        {"/proje.eski/x.v1.txt", "YDE-NETCAD", 1, "/proje.eski/x.v1.YDE"},
        {"/a/liste", "XYZ", 1, "/a/liste.pol"},
        {"/a/liste", "YXZ", 1, "/a/liste.ncn"},
        {"/a/liste", "XYZ", 2, "/a/liste.xyz"},
    };
    for (const auto& [chosen, output, filter, saved] : cases) {
        EXPECT_EQ(savedFileName(chosen, *catalogue::findOutput(output), filter), fs::path(saved))
            << chosen << " " << output;
    }
}

// Cancel saves nothing; a name moves the work file there and disables the button.
TEST_F(Convert, MovesTheWorkFileAndDisablesTheButton) {
    makeResult("P1 1 2 3\r\n");
    w.setOutput("YDE-NETCAD");
    w.dialog.fileName = dir / "ham.txt";  // offered: the raw file just read
    dialogs.answerFile({});
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_FALSE(w.saveEnabled);
    w.setSaveEnabled(true);
    dialogs.answerFile(dir / "sonuc.txt");
    EXPECT_EQ(kayitEt(w), dir / "sonuc.YDE");
    EXPECT_EQ(test::readBytes(dir / "sonuc.YDE"), "P1 1 2 3\r\n");
    EXPECT_FALSE(fs::exists(w.resultWorkFile()));
    EXPECT_FALSE(w.saveEnabled);
    EXPECT_EQ(dialogs.shown()[0].file.fileName, dir / "ham.txt");
}

// An existing file is replaced only after the question; a read-only one not
// even then.  Until it is saved the result stays in the work file.
TEST_F(Convert, ReplacesAnExistingFileOnlyAfterConfirmation) {
    makeResult("new\r\n");
    w.setOutput("XYZ");
    test::writeBytes(dir / "a.pol", "old");
    test::writeBytes(dir / "ro.pol", "old");
    fs::permissions(dir / "ro.pol", fs::perms::owner_read | fs::perms::group_read);
    for (const auto& [file, answer] : {std::pair{"a.pol", MessageResult::Cancel},
                                       {"ro.pol", MessageResult::Ok},
                                       {"a.pol", MessageResult::Ok}}) {
        dialogs.answerFile(dir / file);
        dialogs.answerMessage(answer);
        EXPECT_EQ(kayitEt(w).empty(), answer == MessageResult::Cancel || *file == 'r') << file;
    }
    EXPECT_EQ(test::readBytes(dir / "ro.pol"), "old");
    EXPECT_EQ(test::readBytes(dir / "a.pol"), "new\r\n");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[1].find("ro.pol zaten var."), std::string::npos);
    EXPECT_NE(lines[2].find("ro.pol kayıt edilemedi: dosya yalnız okunabilir"), std::string::npos);
    // Writable again, so that the fixture's folder can be cleared (Windows
    // refuses to remove a read-only file).
    fs::permissions(dir / "ro.pol", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(Convert, AFailedMoveTellsWhyAndKeepsTheResult) {
    makeResult("keep me\r\n");
    w.setOutput("YMK-EGHAS");
    dialogs.answerFile(dir / "no-such-folder" / "r.txt");
    EXPECT_TRUE(kayitEt(w).empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find("r.YMK"), std::string::npos);
    EXPECT_EQ(test::readBytes(w.resultWorkFile()), "keep me\r\n");
    EXPECT_TRUE(w.saveEnabled);
}

}  // namespace
}  // namespace velkar::conversion
