// The workbook writer, read back by an independent reader, and the menu
// command that converts a text file into a workbook.
#include <gtest/gtest.h>

#include <cmath>

#include "export/spreadsheet_export.h"
#include "export/xls_workbook.h"
#include "golden.h"
#include "platform/cp1254.h"
#include "run_process.h"
#include "scripted_dialogs.h"

namespace velkar::exporting {
namespace {

// The independent reader: read_xls.py (xlrd with the cell formats) prints what
// it finds in a workbook; see that script for the form.
bool xlrdAvailable() {
    static const bool available =
        test::runProcess("/usr/bin/python3", {"-c", "import xlrd"}).exitCode == 0;
    return available;
}

// The reader's listing of the workbook; with ends only the first and last row
// of each sheet.
std::string readWorkbook(const std::filesystem::path& file, bool ends = false) {
    std::vector<std::string> args{VELKAR_XLS_READER, file.string()};
    if (ends) args.push_back("--ends");
    const test::ProcessResult r = test::runProcess("/usr/bin/python3", args);
    if (r.exitCode != 0) return "reader failed (" + std::to_string(r.exitCode) + "): " + r.err;
    return r.out + r.err;
}

#define REQUIRE_XLRD() \
    if (!xlrdAvailable()) GTEST_SKIP() << "python3-xlrd is not installed"

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
    if (xlrdAvailable()) {
        EXPECT_TRUE(test::matchesGolden(readWorkbook(dir / "olcu.txt.xls"),
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
    ASSERT_EQ(dialogs.messages().size(), 4u);           // the refusal, then a question each time
    EXPECT_EQ(dialogs.messages()[0].title, errorTitle());
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

// A workbook and its rows, which save() is handed again.
struct Book {
    XlsWorkbook workbook;
    std::vector<std::vector<std::string>> rows;
    void addRow(const std::vector<std::string>& row) {
        workbook.addRow(row);
        rows.push_back(row);
    }
};

// Saves a workbook, handing it these rows as the rows it was given.
bool saveWith(const XlsWorkbook& workbook, const std::vector<std::vector<std::string>>& rows,
              const fs::path& file, std::string& reason) {
    std::size_t next = 0;
    const auto again = [&](std::vector<std::string>& cells) {
        return next < rows.size() && (cells = rows[next++], true);
    };
    return workbook.save(file, again, reason);
}

fs::path saved(const Book& book, const std::string& name) {
    const fs::path file = test::tempDir(name) / "book.xls";
    std::string reason;
    EXPECT_TRUE(saveWith(book.workbook, book.rows, file, reason)) << reason;
    return file;
}

// The text file is read twice; one that changed in between saves nothing.
TEST(XlsWorkbook, AListThatChangesWhileItIsWrittenIsNotSaved) {
    const fs::path dir = test::tempDir("xls-changed");
    Book book;
    book.addRow({"P1", "100.5"});
    book.addRow({"P2", "200.5"});
    const std::vector<std::vector<std::string>> changed[] = {
        {{"P1", "100.5"}, {"P9", "200.5"}},  // a text the first reading did not see
        {{"P1", "100.5"}},                   // shorter
        {{"P1", "100.5"}, {"P2", ""}},       // another size: a number became an empty cell
    };
    for (const auto& rows : changed) {
        std::string reason;
        EXPECT_FALSE(saveWith(book.workbook, rows, dir / "out.xls", reason));
        EXPECT_NE(reason.find("de\xF0i\xFEti"), std::string::npos) << reason;
        EXPECT_TRUE(fs::is_empty(dir)) << "a file is left behind";
    }
}

TEST(SpreadsheetNumber, PlainDecimalsOnly) {
    // clang-format off
    const std::pair<const char*, double> numbers[] = {
        {"0", 0}, {"-0", 0}, {"-0.000", 0}, {"100.5", 100.5}, {"-12", -12}, {".5", 0.5},
        {"-.25", -0.25}, {"4512345.678912", 4512345.678912}, {"0.000000000000000000123", 1.23e-19},
        {"123456789012345", 123456789012345.0}, {"12345678.9012345", 12345678.9012345}};
    const char* const texts[] = {"", "-", ".", "-.", "007", "00", "00.5", "-01", "+5", "1E5", "1e5",
        "12.", "1.2.3", "1,5", " 1", "1 ", "0x10", "inf", "nan", "1234567890123456",
        "1.234567890123456", "-0.1234567890123456"};
    // clang-format on
    for (const auto& [text, value] : numbers) {
        const auto n = spreadsheetNumber(text);
        ASSERT_TRUE(n.has_value()) << text;
        EXPECT_EQ(*n, value) << text;
        EXPECT_FALSE(std::signbit(*n) && *n == 0) << text << " gave a negative zero";
    }
    for (const char* text : texts) EXPECT_FALSE(spreadsheetNumber(text)) << '"' << text << '"';
}

// Texts longer than one record continue in CONTINUE records, split between
// characters, one-byte and two-byte alike; Excel's cell limit cuts the longest.
TEST(XlsWorkbook, EveryCellReadsBackWithItsValueTypeAndFrame) {
    REQUIRE_XLRD();
    const std::string narrow(9000, 'x');
    const std::string wide = cp1254("Ş") + std::string(5000, 'a');
    Book book;
    book.addRow({"P1", "4512345.678912", "-0.5", "", "007"});
    book.addRow({});
    book.addRow({cp1254("ŞEHİR ğı"), "1E5", "P1", narrow, wide, std::string(40000, 'y')});
    EXPECT_EQ(readWorkbook(saved(book, "xls-cells")),
              "sheet VELKAR rows=3 cols=6\n"
              "A1 text 'P1' framed\n"
              "B1 number 4512345.678912 framed\n"
              "C1 number -0.5 framed\n"
              "D1 empty framed\n"
              "E1 text '007' framed\n"
              "A3 text 'ŞEHİR ğı' framed\n"
              "B3 text '1E5' framed\n"
              "C3 text 'P1' framed\n"
              "D3 text '" +
                  narrow + "' framed\nE3 text '" + toUtf8(wide) + "' framed\nF3 text '" +
                  std::string(32767, 'y') + "' framed\n");
    const fs::path empty = saved(Book(), "xls-empty");
    EXPECT_EQ(readWorkbook(empty), "sheet VELKAR rows=0 cols=0\n");
    EXPECT_EQ(fs::file_size(empty) % 512, 0u);
}

// A string whose 3-byte header and first character just fit stays in the
// full record (8,224 bytes of data); only its rest moves on.
TEST(XlsWorkbook, AStringHeaderThatJustFitsStaysInTheRecord) {
    Book book;
    book.addRow({std::string(8224 - 8 - 3 - 4, 'x'), "ab"});  // counts, one string, room for 3 + 1
    const std::string bytes = test::readBytes(saved(book, "xls-boundary"));
    EXPECT_NE(bytes.find(std::string("\xFC\x00\x20\x20\x02\0\0\0\x02\0\0\0", 12)),
              std::string::npos)
        << "no shared string record of 8,224 bytes";
}

// 65,536 rows fill a sheet; the rest go on VELKAR2.  The file is large enough
// (more than 109 FAT sectors) to need the DIFAT sectors of the container.
TEST(XlsWorkbook, RowsContinueOnTheNextSheet) {
    REQUIRE_XLRD();
    Book book;
    for (std::size_t r = 1; r <= XlsWorkbook::kRowsPerSheet + 2; ++r) {
        book.addRow({"N" + std::to_string(r), std::to_string(r) + ".5", "", "", "", "", "", "",
                     "K" + std::to_string(r % 7)});
    }
    EXPECT_EQ(book.workbook.sheetCount(), 2u);
    const fs::path file = saved(book, "xls-sheets");
    EXPECT_GT(fs::file_size(file), 109u * 128 * 512);
    const auto row = [](std::size_t at, std::size_t n) {
        const std::string r = std::to_string(at);
        std::string s = "A" + r + " text 'N" + std::to_string(n) + "' framed\nB" + r + " number " +
                        std::to_string(n) + ".5 framed\n";
        for (char c = 'C'; c <= 'H'; ++c) s += c + r + " empty framed\n";
        return s + "I" + r + " text 'K" + std::to_string(n % 7) + "' framed\n";
    };
    EXPECT_EQ(readWorkbook(file, true), "sheet VELKAR rows=65536 cols=9\n" + row(1, 1) +
                                            row(65536, 65536) + "sheet VELKAR2 rows=2 cols=9\n" +
                                            row(1, 65537) + row(2, 65538));
}

}  // namespace
}  // namespace velkar::exporting
