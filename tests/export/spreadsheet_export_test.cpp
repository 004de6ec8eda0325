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

struct ExportRun {
    fs::path dir = test::tempDir("xls-export");
    fs::path programFolder = dir / "VELKAR";
    test::ScriptedDialogs dialogs;
};

// The edge cases of the command, one line each in olcu.txt: four blank-
// separated fields, an empty line, two commas, a comma and a blank, texts that
// stay text, more than 21 fields, a leading comma, TABs.  The workbook beside
// the text file is the golden workbook and reads back as the golden listing.
TEST(ExportSpreadsheet, WritesTheChosenFileWithXlsAppended) {
    ExportRun run;
    const fs::path text = run.dir / "olcu.txt";
    fs::copy_file(test::dataDir() / "export" / "olcu.txt", text);
    const fs::path workbook = run.dir / "olcu.txt.xls";
    run.dialogs.answerFile(text);
    run.dialogs.answerFile(workbook);

    EXPECT_EQ(exportSpreadsheet(run.dialogs, run.programFolder), workbook);

    ASSERT_EQ(run.dialogs.shown().size(), 3u);
    const FileDialogRequest& asked = run.dialogs.shown()[0].file;
    EXPECT_EQ(asked.flags, kFileMustExist);
    EXPECT_EQ(asked.mode, FileDialogMode::Open);
    EXPECT_TRUE(asked.fileName.empty());
    const FileDialogRequest& name = run.dialogs.shown()[1].file;
    EXPECT_EQ(name.mode, FileDialogMode::Save);
    EXPECT_EQ(name.fileName, workbook);  // offered: the name the export always had
    EXPECT_EQ(run.dialogs.messageLines(), Lines{"Excel'e dönüşüm sona erdi."});

    EXPECT_TRUE(test::matchesGolden(test::readBytes(workbook),
                                    test::dataDir() / "export" / "olcu.txt.xls.gold"));
    if (test::xlrdAvailable()) {
        EXPECT_TRUE(test::matchesGolden(test::readWorkbook(workbook),
                                        test::dataDir() / "export" / "olcu.txt.xls.listing"));
    }
    EXPECT_TRUE(fs::exists(run.programFolder / "VELKAR.XLS"));
    EXPECT_EQ(fs::file_size(run.programFolder / "VELKAR.XLS"), 0u);
}

TEST(ExportSpreadsheet, ReplacesAnExistingWorkbook) {
    ExportRun run;
    const fs::path text = run.dir / "liste.txt";
    test::writeBytes(text, "A 1\r\n");
    test::writeBytes(run.dir / "liste.txt.xls", std::string(100000, 'z'));
    EXPECT_TRUE(exportSpreadsheetFile(run.dialogs, text));
    const std::string bytes = test::readBytes(run.dir / "liste.txt.xls");
    EXPECT_EQ(bytes.size(), 5632u);  // header, 8 stream sectors, FAT and directory
}

TEST(ExportSpreadsheet, CancelCreatesNothingAndShowsNothing) {
    ExportRun run;
    run.dialogs.answerFile({});
    EXPECT_TRUE(exportSpreadsheet(run.dialogs, run.programFolder).empty());
    EXPECT_EQ(run.dialogs.shown().size(), 1u);
    EXPECT_FALSE(fs::exists(run.programFolder));
}

// The chosen name gets ".xls" when it has no extension; the text file itself
// is never replaced, an existing workbook only after the overwrite question.
TEST(ExportSpreadsheet, TheChosenNameIsWrittenAndNothingReplacedUnasked) {
    ExportRun run;
    const fs::path text = run.dir / "liste.txt";
    test::writeBytes(text, "A 1\r\n");
    test::writeBytes(run.dir / "eski.xls", "old");
    run.dialogs.answerFile(text);
    run.dialogs.answerFile(text);
    EXPECT_TRUE(exportSpreadsheet(run.dialogs, run.programFolder).empty());
    EXPECT_EQ(test::readBytes(text), "A 1\r\n");
    run.dialogs.answerFile(text);
    run.dialogs.answerFile(run.dir / "eski");
    run.dialogs.answerMessage(MessageResult::Cancel);
    EXPECT_TRUE(exportSpreadsheet(run.dialogs, run.programFolder).empty());
    EXPECT_EQ(test::readBytes(run.dir / "eski.xls"), "old");
    run.dialogs.answerFile(text);
    run.dialogs.answerFile(run.dir / "eski");
    run.dialogs.answerMessage(MessageResult::Ok);
    EXPECT_EQ(exportSpreadsheet(run.dialogs, run.programFolder), run.dir / "eski.xls");
    EXPECT_EQ(fs::file_size(run.dir / "eski.xls"), 5632u);
    const auto lines = run.dialogs.messageLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(run.dialogs.messages()[0].title, errorTitle());
    EXPECT_NE(lines[1].find("eski.xls zaten var."), std::string::npos);
}

// A workbook that cannot be written, or a text file that cannot be read, is
// told with the path and the reason, and the completion message is not shown.
TEST(ExportSpreadsheet, FailuresAreToldNotHidden) {
    ExportRun run;
    const fs::path text = run.dir / "olcu.txt";
    test::writeBytes(text, "A 1\r\n");
    fs::create_directory(run.dir / "olcu.txt.xls");  // the name is taken by a folder
    run.dialogs.answerFile(text);
    run.dialogs.answerFile(run.dir / "olcu.txt.xls");
    run.dialogs.answerMessage(MessageResult::Ok);  // replace it
    EXPECT_TRUE(exportSpreadsheet(run.dialogs, run.programFolder).empty());
    ASSERT_EQ(run.dialogs.messages().size(), 2u);  // the overwrite question, then the failure
    EXPECT_EQ(run.dialogs.messageLines()[1], "Hata Mesajı: " + (run.dir / "olcu.txt.xls").string() +
                                                 " dosyası yazılamadı: bu bir klasör");
    EXPECT_EQ(run.dialogs.messages()[1].icon, MessageIcon::Critical);

    test::ScriptedDialogs again;
    EXPECT_FALSE(exportSpreadsheetFile(again, run.dir / "yok.txt"));
    EXPECT_EQ(again.messageLines(), Lines{"Hata Mesajı: " + (run.dir / "yok.txt").string() +
                                          " dosyası okunamadı: dosya veya klasör yok"});
    EXPECT_FALSE(fs::exists(run.dir / "yok.txt.xls"));
}

}  // namespace
}  // namespace velkar::exporting
