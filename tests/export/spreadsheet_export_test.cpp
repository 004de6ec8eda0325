#include "export/spreadsheet_export.h"

#include <gtest/gtest.h>

#include "golden.h"
#include "platform/cp1254.h"
#include "scripted_dialogs.h"
#include "xls_reader.h"

namespace velkar::exporting {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct ExportSpreadsheet : ::testing::Test {
    fs::path dir = test::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::path programFolder = dir / "VELKAR";
    test::ScriptedDialogs dialogs;
};

// The edge cases of the command, one line each in olcu.txt: four blank-
// separated fields, an empty line, two commas, a comma and a blank, texts that
// stay text, more than 21 fields, a leading comma, TABs.  The workbook is the
// golden workbook and reads back as the golden listing.
TEST_F(ExportSpreadsheet, WritesTheGoldenWorkbookUnderTheNameOffered) {
    const fs::path text = dir / "olcu.txt";
    fs::copy_file(test::dataDir() / "export" / "olcu.txt", text);
    dialogs.answerFile(text);
    dialogs.answerFile(dir / "olcu.txt.xls");
    EXPECT_EQ(exportSpreadsheet(dialogs, programFolder), dir / "olcu.txt.xls");
    EXPECT_EQ(dialogs.shown()[1].file.fileName, dir / "olcu.txt.xls");  // the name offered
    EXPECT_EQ(dialogs.messageLines(), Lines{"Excel'e dönüşüm sona erdi."});
    EXPECT_TRUE(test::matchesGolden(test::readBytes(dir / "olcu.txt.xls"),
                                    test::dataDir() / "export" / "olcu.txt.xls.gold"));
    if (test::xlrdAvailable()) {
        EXPECT_TRUE(test::matchesGolden(test::readWorkbook(dir / "olcu.txt.xls"),
                                        test::dataDir() / "export" / "olcu.txt.xls.listing"));
    }
    EXPECT_EQ(fs::file_size(programFolder / "VELKAR.XLS"), 0u);
}

// The chosen name gets ".xls" when it has no extension; the text file itself
// is never replaced, an existing workbook only after the overwrite question.
TEST_F(ExportSpreadsheet, TheChosenNameIsWrittenAndNothingReplacedUnasked) {
    dialogs.answerFile({});
    EXPECT_TRUE(exportSpreadsheet(dialogs, programFolder).empty());
    EXPECT_FALSE(fs::exists(programFolder));
    const fs::path text = dir / "liste.txt";
    test::writeBytes(text, "A 1\r\n");
    test::writeBytes(dir / "eski.xls", std::string(100000, 'z'));
    dialogs.answerFile(text);
    dialogs.answerFile(text);
    EXPECT_TRUE(exportSpreadsheet(dialogs, programFolder).empty());
    EXPECT_EQ(test::readBytes(text), "A 1\r\n");
    for (const MessageResult answer : {MessageResult::Cancel, MessageResult::Ok}) {
        dialogs.answerFile(text);
        dialogs.answerFile(dir / "eski");
        dialogs.answerMessage(answer);
        const fs::path written = exportSpreadsheet(dialogs, programFolder);
        EXPECT_EQ(written.empty(), answer == MessageResult::Cancel);
    }
    EXPECT_EQ(fs::file_size(dir / "eski.xls"), 5632u);  // header, 8 stream sectors, FAT, directory
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(dialogs.messages()[0].title, errorTitle());
    EXPECT_NE(lines[1].find("eski.xls zaten var."), std::string::npos);
}

// A workbook that cannot be written, or a text file that cannot be read, is
// told with the path and the reason, and the completion message is not shown.
TEST_F(ExportSpreadsheet, FailuresAreToldNotHidden) {
    const fs::path text = dir / "olcu.txt";
    test::writeBytes(text, "A 1\r\n");
    fs::create_directory(dir / "olcu.txt.xls");  // the name is taken by a folder
    dialogs.answerFile(text);
    dialogs.answerFile(dir / "olcu.txt.xls");
    dialogs.answerMessage(MessageResult::Ok);  // replace it
    EXPECT_TRUE(exportSpreadsheet(dialogs, programFolder).empty());
    EXPECT_FALSE(exportSpreadsheetFile(dialogs, dir / "yok.txt"));
    const Lines lines = dialogs.messageLines();  // the overwrite question, then the failures
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Hata Mesajı: " + (dir / "olcu.txt.xls").string() +
                            " dosyası yazılamadı: bu bir klasör");
    EXPECT_EQ(lines[2], "Hata Mesajı: " + (dir / "yok.txt").string() +
                            " dosyası okunamadı: dosya veya klasör yok");
    EXPECT_EQ(dialogs.messages()[1].icon, MessageIcon::Critical);
    EXPECT_FALSE(fs::exists(dir / "yok.txt.xls"));
}

}  // namespace
}  // namespace velkar::exporting
