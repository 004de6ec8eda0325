#include "conversion/window.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

namespace fs = std::filesystem;

TEST(SavedFileName, ExtensionFollowsTheOutput) {
    EXPECT_EQ(savedFileName("/home/u/iş/deneme.txt", *catalogue::findOutput("YDE-EGHAS"), 1), fs::path("/home/u/iş/deneme.YDE"));
    EXPECT_EQ(savedFileName("/a/b.pol", *catalogue::findOutput("XYZ"), 1), fs::path("/a/b.pol"));
    EXPECT_EQ(savedFileName("/a/b.ncn", *catalogue::findOutput("YXZ"), 2), fs::path("/a/b.ncn"));
    EXPECT_EQ(savedFileName("/a/b.coords", *catalogue::findOutput("XYZ"), 1), fs::path("/a/b.coo"));
    EXPECT_EQ(savedFileName("/a/x", *catalogue::findOutput("KESIT-NETCAD"), 1), fs::path("/a/x.KSE"));
    EXPECT_EQ(savedFileName("/a/x", *catalogue::findOutput("KESIT-KLISE"), 1), fs::path("/a/x.KSE"));
    EXPECT_EQ(savedFileName("/a/x.raw", *catalogue::findOutput("RASAT KARNESi"), 1), fs::path("/a/x.RAS"));
    EXPECT_EQ(savedFileName("/a/x.raw", *catalogue::findOutput("KOORDINAT"), 1), fs::path("/a/x.KOO"));
    EXPECT_EQ(savedFileName("/a/x.raw", *catalogue::findOutput("KOT HESABI"), 1), fs::path("/a/x.KOT"));
    EXPECT_EQ(savedFileName("/a/x.raw", *catalogue::findOutput("iLLER BANKASI"), 1), fs::path("/a/x.iLL"));
    EXPECT_EQ(savedFileName("/a/x.raw", *catalogue::findOutput("YMK-GEOCAD"), 1), fs::path("/a/x.YMK"));
}

TEST(SavedFileName, ADotInAFolderNameIsNeverTheExtension) {
    EXPECT_EQ(savedFileName("/proje.eski/x", *catalogue::findOutput("KESIT-KLISE"), 1), fs::path("/proje.eski/x.KSE"));
    EXPECT_EQ(savedFileName("/proje.eski/x.v1.txt", *catalogue::findOutput("YDE-NETCAD"), 1), fs::path("/proje.eski/x.v1.YDE"));
}

TEST(SavedFileName, CoordinateListWithoutADotTakesTheFilter) {
    EXPECT_EQ(savedFileName("/a/liste", *catalogue::findOutput("XYZ"), 1), fs::path("/a/liste.pol"));
    EXPECT_EQ(savedFileName("/a/liste", *catalogue::findOutput("YXZ"), 1), fs::path("/a/liste.ncn"));
    EXPECT_EQ(savedFileName("/a/liste", *catalogue::findOutput("XYZ"), 2), fs::path("/a/liste.xyz"));
}

struct SaveFixture : ::testing::Test {
    test::ScriptedDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    fs::path dir = test::tempDir("save");
    ConversionWindow w{dialogs, pump, table, dir / "prog"};

    void makeResult(const std::string& bytes) {
        fs::create_directories(w.workFolder);
        test::writeBytes(w.resultWorkFile(), bytes);
        w.setSaveEnabled(true);
    }
};

TEST_F(SaveFixture, MovesTheWorkFileAndDisablesTheButton) {
    makeResult("P1 1 2 3\r\n");
    w.setOutput("YDE-NETCAD");
    w.dialog.fileName = dir / "ham.txt";  // offered: the raw file just read
    dialogs.answerFile(dir / "sonuc.txt");
    EXPECT_EQ(kayitEt(w), dir / "sonuc.YDE");
    EXPECT_EQ(test::readBytes(dir / "sonuc.YDE"), "P1 1 2 3\r\n");
    EXPECT_FALSE(fs::exists(w.resultWorkFile()));
    EXPECT_FALSE(w.saveEnabled);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const auto& box = dialogs.shown()[0];
    EXPECT_EQ(box.title, cp1254("Kayıt Edilecek Dosya Adını Yazınız "));
    EXPECT_EQ(box.file.mode, FileDialogMode::Save);
    EXPECT_EQ(box.file.fileName, dir / "ham.txt");
    EXPECT_EQ(w.dialog.fileName, dir / "sonuc.YDE");
    EXPECT_EQ(w.dialog.flags, kAskBeforeOverwrite);
}

TEST_F(SaveFixture, CancelSavesNothingAndLeavesTheButtonDisabled) {
    makeResult("x\r\n");
    w.setOutput("YDE-NETCAD");
    dialogs.answerFile({});
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_FALSE(w.saveEnabled);
    EXPECT_TRUE(fs::exists(w.resultWorkFile()));
}

TEST_F(SaveFixture, ReplacesAnExistingFileOnlyAfterConfirmation) {
    makeResult("new\r\n");
    w.setOutput("XYZ");
    test::writeBytes(dir / "a.pol", "old");
    dialogs.answerFile(dir / "a.pol");
    dialogs.answerMessage(MessageResult::Cancel);
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_EQ(test::readBytes(dir / "a.pol"), "old");
    EXPECT_TRUE(w.saveEnabled);  // still in the work file: it can be saved again

    dialogs.answerFile(dir / "a.pol");
    dialogs.answerMessage(MessageResult::Ok);
    EXPECT_EQ(kayitEt(w), dir / "a.pol");
    EXPECT_EQ(test::readBytes(dir / "a.pol"), "new\r\n");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("a.pol zaten var."), std::string::npos);
}

TEST_F(SaveFixture, NeverReplacesTheFileTheRunRead) {
    makeResult("result\r\n");
    w.setOutput("XYZ");
    test::writeBytes(dir / "olcu.pol", "raw data");
    w.noteInput(dir / "olcu.pol");
    dialogs.answerFile(dir / "olcu.pol");
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_EQ(test::readBytes(dir / "olcu.pol"), "raw data");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, cp1254("Hata Mesajı"));
}

TEST_F(SaveFixture, AFailedMoveTellsWhyAndKeepsTheResult) {
    makeResult("keep me\r\n");
    w.setOutput("YMK-EGHAS");
    dialogs.answerFile(dir / "no-such-folder" / "r.txt");
    EXPECT_TRUE(kayitEt(w).empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, cp1254("Hata Mesajı"));
    EXPECT_NE(dialogs.messages()[0].text.find("r.YMK"), std::string::npos);
    EXPECT_EQ(test::readBytes(w.resultWorkFile()), "keep me\r\n");
    EXPECT_TRUE(w.saveEnabled);
}

TEST_F(SaveFixture, AReadOnlyFileIsAskedForAndNotReplaced) {
    makeResult("new\r\n");
    w.setOutput("XYZ");
    test::writeBytes(dir / "ro.pol", "old");
    fs::permissions(dir / "ro.pol", fs::perms::owner_read | fs::perms::group_read);
    dialogs.answerFile(dir / "ro.pol");
    dialogs.answerMessage(MessageResult::Ok);
    EXPECT_TRUE(kayitEt(w).empty());
    EXPECT_EQ(test::readBytes(dir / "ro.pol"), "old");
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("ro.pol zaten var."), std::string::npos);
    EXPECT_NE(lines[1].find("ro.pol kayıt edilemedi: dosya yalnız okunabilir"), std::string::npos);
    EXPECT_TRUE(w.saveEnabled);
}

TEST_F(SaveFixture, ResultWorkFileThatCannotBeCreatedIsReported) {
    test::writeBytes(dir / "file-not-folder", "x");
    ConversionWindow bad{dialogs, pump, table, dir / "file-not-folder"};
    TextWriter out;
    EXPECT_FALSE(openResultWorkFile(bad, out));
    EXPECT_FALSE(bad.saveEnabled);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find("VELKAR$$.KB$"), std::string::npos);
}

TEST(Hucreyaz, EachRowLeavesOneEmptyRowAfterIt) {
    test::ScriptedDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    ConversionWindow w{dialogs, pump, table, "/tmp"};
    HUCREYAZ(w, "h1", "h2", "h3", "h4", "h5", "h6", "h7", "h8", "ninth");
    HUCREYAZ(w, "r1");
    HUCREYAZ(w, "r2", "", "", "", "", "", "", "c7");
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.cell(0, 7), "h8");
    EXPECT_EQ(table.cell(2, 7), "c7");
    EXPECT_EQ(table.cell(3, 0), "");
    EXPECT_EQ(w.SATIR_NO, 3);
}

TEST(DosyaAc, ShowsTheLastFiftyCharactersOfThePath) {
    test::ScriptedDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    ConversionWindow w{dialogs, pump, table, "/tmp"};
    w.dialog.title = cp1254("Dosya Seçiniz");
    w.dialog.fileName = "/old";
    const std::string longPath = "/" + std::string(60, 'a') + "/olcu.txt";
    dialogs.answerFile(longPath);
    dosya_ac(w);
    EXPECT_TRUE(w.DOSYA_SECILDI);
    EXPECT_EQ(w.statusText, longPath.substr(longPath.size() - 50));
    EXPECT_EQ(dialogs.shown()[0].file.flags, kFileMustExist);
    EXPECT_TRUE(dialogs.shown()[0].file.fileName.empty());  // cleared before it shows
    dialogs.answerFile({});
    dosya_ac(w);
    EXPECT_FALSE(w.DOSYA_SECILDI);
}

}  // namespace
}  // namespace velkar::conversion
