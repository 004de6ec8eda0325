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
// line of 25 fields), ".txt" appended even to a name ending in ".txt", no box.
TEST(PrepareGts720, WritesTheChosenNameWithTxtAppended) {
    const fs::path dir = test::tempDir("gts720");
    const fs::path input = dir / "yxz.txt";
    fs::copy_file(test::dataDir() / "export" / "yxz.txt", input);
    test::ScriptedDialogs dialogs;
    dialogs.answerFile(input);
    dialogs.answerFile(dir / "liste.txt");

    EXPECT_EQ(prepareGts720(dialogs), dir / "liste.txt.txt");

    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].file.flags, kFileMustExist);
    EXPECT_EQ(dialogs.shown()[1].file.mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.shown()[1].file.fileName, input);  // the input offered as the name

    EXPECT_TRUE(test::matchesGolden(test::readBytes(dir / "liste.txt.txt"),
                                    test::dataDir() / "export" / "yxz.gts720.gold"));
    EXPECT_FALSE(fs::exists(dir / "liste.txt"));
}

TEST(PrepareGts720, CancelInEitherDialogOrTheOverwriteQuestionWritesNothing) {
    const fs::path dir = test::tempDir("gts720-cancel");
    test::writeBytes(dir / "a.txt", "P1 1 2\r\n");
    test::ScriptedDialogs first;
    first.answerFile({});
    EXPECT_TRUE(prepareGts720(first).empty());
    EXPECT_EQ(first.shown().size(), 1u);

    test::ScriptedDialogs second;
    second.answerFile(dir / "a.txt");
    second.answerFile({});
    EXPECT_TRUE(prepareGts720(second).empty());
    EXPECT_EQ(second.shown().size(), 2u);
    EXPECT_EQ(fs::directory_iterator(dir)->path().filename(), "a.txt");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    test::writeBytes(dir / "b.txt", "old");  // the file "b" gives
    test::ScriptedDialogs third;
    third.answerFile(dir / "a.txt");
    third.answerFile(dir / "b");
    third.answerMessage(MessageResult::Cancel);
    EXPECT_TRUE(prepareGts720(third).empty());
    EXPECT_EQ(test::readBytes(dir / "b.txt"), "old");
    EXPECT_NE(third.messageLines().at(0).find("b.txt zaten var."), std::string::npos);
}

// Accepting "a" for the input "a.txt" would write the input over itself; an
// output that cannot be created is told too.  The input stays as it was.
TEST(PrepareGts720, RefusesToWriteOverItsInputAndTellsFailures) {
    const fs::path dir = test::tempDir("gts720-fail");
    const fs::path input = dir / "a.txt";
    test::writeBytes(input, "P1 1 2\r\n");

    test::ScriptedDialogs dialogs;
    dialogs.answerFile(input);
    dialogs.answerFile(dir / "a");
    EXPECT_TRUE(prepareGts720(dialogs).empty());
    EXPECT_EQ(dialogs.messageLines(),
              Lines{"Hata Mesajı: " + input.string() +
                    " dosyası yazılamadı: okunan dosyanın üzerine yazılamaz"});
    EXPECT_EQ(test::readBytes(input), "P1 1 2\r\n");

    test::ScriptedDialogs missing;
    EXPECT_FALSE(prepareGts720File(missing, input, dir / "yok" / "b"));
    EXPECT_EQ(missing.messageLines(), Lines{"Hata Mesajı: " + (dir / "yok" / "b.txt").string() +
                                            " dosyası yazılamadı: dosya veya klasör yok"});
}

}  // namespace
}  // namespace velkar::exporting
