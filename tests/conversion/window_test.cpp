#include "conversion/window.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "scripted_dialogs.h"

namespace velkar::conversion {
namespace {

namespace fs = std::filesystem;

// The saved name takes the output's extension; a coordinate list keeps the
// one it was given (its first three letters), or without one the filter's.
TEST(SavedFileName, ExtensionFollowsTheOutput) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"/home/u/iş/deneme.txt", "YDE-EGHAS", 1, "/home/u/iş/deneme.YDE"},
        {"/a/b.pol", "XYZ", 1, "/a/b.pol"},
        {"/a/b.ncn", "YXZ", 2, "/a/b.ncn"},
        {"/a/b.coords", "XYZ", 1, "/a/b.coo"},
        {"/a/x", "KESIT-NETCAD", 1, "/a/x.KSE"},
        {"/a/x.raw", "RASAT KARNESi", 1, "/a/x.RAS"},
        {"/a/x.raw", "KOORDINAT", 1, "/a/x.KOO"},
        {"/a/x.raw", "KOT HESABI", 1, "/a/x.KOT"},
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

// Cancel saves nothing; a name moves the work file there and disables the button.
TEST_F(SaveFixture, MovesTheWorkFileAndDisablesTheButton) {
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
    EXPECT_EQ(dialogs.shown()[0].file.mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.shown()[0].file.fileName, dir / "ham.txt");
    EXPECT_EQ(w.dialog.flags, kAskBeforeOverwrite);
}

// An existing file is replaced only after the question; a read-only one not
// even then.  Until it is saved the result stays in the work file.
TEST_F(SaveFixture, ReplacesAnExistingFileOnlyAfterConfirmation) {
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

TEST_F(SaveFixture, AFailedMoveTellsWhyAndKeepsTheResult) {
    makeResult("keep me\r\n");
    w.setOutput("YMK-EGHAS");
    dialogs.answerFile(dir / "no-such-folder" / "r.txt");
    EXPECT_TRUE(kayitEt(w).empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find("r.YMK"), std::string::npos);
    EXPECT_EQ(test::readBytes(w.resultWorkFile()), "keep me\r\n");
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

}  // namespace
}  // namespace velkar::conversion
