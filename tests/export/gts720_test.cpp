#include "export/gts720.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "scripted_dialogs.h"

namespace velkar::exporting {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The menu command: an open and a save dialog, the input's lines
// rewritten (golden file: every form, Turkish letters copied byte for byte, a
// line of 25 fields), ".txt" appended even to a name ending in ".txt".
TEST(PrepareGts720, WritesTheChosenNameWithTxtAppended) {
    const fs::path dir = test::tempDir("gts720");
    const fs::path input = dir / "yxz.txt";
    fs::copy_file(test::dataDir() / "export" / "yxz.txt", input);
    test::ScriptedDialogs dialogs;
    dialogs.answerFile(input);
    dialogs.answerFile(dir / "liste.txt");
    EXPECT_EQ(prepareGts720(dialogs), dir / "liste.txt.txt");
    EXPECT_EQ(dialogs.shown()[1].file.fileName, input);  // the input offered as the name
    EXPECT_TRUE(test::matchesGolden(test::readBytes(dir / "liste.txt.txt"),
                                    test::dataDir() / "export" / "yxz.gts720.gold"));
}

// A cancel anywhere writes nothing; accepting "a" for the input "a.txt" would
// write the input over itself.
TEST(PrepareGts720, WritesNothingWhenCancelledAndNeverOverItsInput) {
    const fs::path dir = test::tempDir("gts720-cancel");
    const fs::path input = dir / "a.txt";
    test::writeBytes(input, "P1 1 2\r\n");
    test::writeBytes(dir / "b.txt", "old");  // the file "b" gives
    test::ScriptedDialogs dialogs;
    dialogs.answerFile({});
    EXPECT_TRUE(prepareGts720(dialogs).empty());
    dialogs.answerFile(input);
    dialogs.answerFile({});
    EXPECT_TRUE(prepareGts720(dialogs).empty());
    dialogs.answerFile(input);
    dialogs.answerFile(dir / "b");
    dialogs.answerMessage(MessageResult::Cancel);
    EXPECT_TRUE(prepareGts720(dialogs).empty());
    dialogs.answerFile(input);
    dialogs.answerFile(dir / "a");
    EXPECT_TRUE(prepareGts720(dialogs).empty());
    const Lines lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("b.txt zaten var."), std::string::npos);
    EXPECT_EQ(lines[1], "Hata Mesajı: " + input.string() +
                            " dosyası yazılamadı: okunan dosyanın üzerine yazılamaz");
    EXPECT_EQ(test::readBytes(input), "P1 1 2\r\n");
    EXPECT_EQ(test::readBytes(dir / "b.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace velkar::exporting
