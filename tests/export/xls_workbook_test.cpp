#include "export/xls_workbook.h"

#include <gtest/gtest.h>

#include <cmath>

#include "golden.h"
#include "platform/cp1254.h"
#include "xls_reader.h"

namespace velkar::exporting {
namespace {

#define REQUIRE_XLRD() \
    if (!test::xlrdAvailable()) GTEST_SKIP() << "python3-xlrd is not installed"

TEST(SpreadsheetNumber, PlainDecimalsOnly) {
    const std::pair<const char*, double> numbers[] = {
        {"0", 0},
        {"-0", 0},
        {"-0.000", 0},
        {"100.5", 100.5},
        {"-12", -12},
        {".5", 0.5},
        {"-.25", -0.25},
        {"4512345.678912", 4512345.678912},
        {"0.000000000000000000123", 1.23e-19},
        {"123456789012345", 123456789012345.0},
        {"12345678.9012345", 12345678.9012345},
    };
    for (const auto& [text, value] : numbers) {
        const auto n = spreadsheetNumber(text);
        ASSERT_TRUE(n.has_value()) << text;
        EXPECT_EQ(*n, value) << text;
        EXPECT_FALSE(std::signbit(*n) && *n == 0) << text << " gave a negative zero";
    }
    for (const char* text : {"",
                             "-",
                             ".",
                             "-.",
                             "007",
                             "00",
                             "00.5",
                             "-01",
                             "+5",
                             "1E5",
                             "1e5",
                             "12.",
                             "1.2.3",
                             "1,5",
                             " 1",
                             "1 ",
                             "0x10",
                             "inf",
                             "nan",
                             "1234567890123456",
                             "1.234567890123456",
                             "-0.1234567890123456"}) {
        EXPECT_FALSE(spreadsheetNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(XlsWorkbook, EveryCellReadsBackWithItsValueTypeAndFrame) {
    REQUIRE_XLRD();
    XlsWorkbook book;
    book.addRow({"P1", "4512345.678912", "-0.5", "", "007"});
    book.addRow({});
    book.addRow({cp1254("ŞEHİR ğı"), cp1254("çöüÇÖÜ"), "1E5", "P1"});
    const auto file = test::tempDir("xls-cells") / "a.xls";
    std::string reason;
    ASSERT_TRUE(book.save(file, reason)) << reason;
    EXPECT_EQ(test::readWorkbook(file),
              "sheet VELKAR rows=3 cols=5\n"
              "A1 text 'P1' framed\n"
              "B1 number 4512345.678912 framed\n"
              "C1 number -0.5 framed\n"
              "D1 empty framed\n"
              "E1 text '007' framed\n"
              "A3 text 'ŞEHİR ğı' framed\n"
              "B3 text 'çöüÇÖÜ' framed\n"
              "C3 text '1E5' framed\n"
              "D3 text 'P1' framed\n");
}

TEST(XlsWorkbook, EmptyWorkbookHasOneEmptySheet) {
    REQUIRE_XLRD();
    const auto file = test::tempDir("xls-empty") / "e.xls";
    std::string reason;
    ASSERT_TRUE(XlsWorkbook().save(file, reason)) << reason;
    EXPECT_EQ(test::readWorkbook(file), "sheet VELKAR rows=0 cols=0\n");
    EXPECT_EQ(std::filesystem::file_size(file) % 512, 0u);
}

// Texts longer than one record continue in CONTINUE records, split between
// characters, one-byte and two-byte alike; Excel's cell limit cuts the longest.
TEST(XlsWorkbook, LongTextsSpanSeveralRecords) {
    REQUIRE_XLRD();
    const std::string narrow(9000, 'x');
    const std::string wide = cp1254("Ş") + std::string(5000, 'a');
    const std::string tooLong(40000, 'y');
    XlsWorkbook book;
    book.addRow({"short", narrow, wide, tooLong, "last"});
    const auto file = test::tempDir("xls-long") / "l.xls";
    std::string reason;
    ASSERT_TRUE(book.save(file, reason)) << reason;
    EXPECT_EQ(test::readWorkbook(file),
              "sheet VELKAR rows=1 cols=5\n"
              "A1 text 'short' framed\n"
              "B1 text '" +
                  narrow +
                  "' framed\n"
                  "C1 text '" +
                  toUtf8(wide) +
                  "' framed\n"
                  "D1 text '" +
                  std::string(32767, 'y') +
                  "' framed\n"
                  "E1 text 'last' framed\n");
}

// A string whose 3-byte header and first character just fit stays in the
// full record (8,224 bytes of data); only its rest moves on.
TEST(XlsWorkbook, AStringHeaderThatJustFitsStaysInTheRecord) {
    XlsWorkbook book;
    book.addRow({std::string(8224 - 8 - 3 - 4, 'x'), "ab"});  // counts, one string, room for 3 + 1
    const auto file = test::tempDir("xls-boundary") / "b.xls";
    std::string reason;
    ASSERT_TRUE(book.save(file, reason)) << reason;
    const std::string bytes = test::readBytes(file);
    const auto sst = bytes.find(std::string("\xFC\x00\x20\x20\x02\0\0\0\x02\0\0\0", 12));
    EXPECT_NE(sst, std::string::npos) << "no shared string record of 8,224 bytes";
}

// 65,536 rows fill a sheet; the rest go on VELKAR2.  The file is large enough
// (more than 109 FAT sectors) to need the DIFAT sectors of the container.
TEST(XlsWorkbook, RowsContinueOnTheNextSheet) {
    REQUIRE_XLRD();
    XlsWorkbook book;
    const std::size_t rows = XlsWorkbook::kRowsPerSheet + 2;
    for (std::size_t r = 1; r <= rows; ++r) {
        book.addRow({"N" + std::to_string(r), std::to_string(r) + ".5", "", "", "", "", "", "",
                     "K" + std::to_string(r % 7)});
    }
    EXPECT_EQ(book.sheetCount(), 2u);
    const auto file = test::tempDir("xls-sheets") / "big.xls";
    std::string reason;
    ASSERT_TRUE(book.save(file, reason)) << reason;
    EXPECT_GT(std::filesystem::file_size(file), 109u * 128 * 512);
    const std::string listing = test::readWorkbook(file, true);
    EXPECT_NE(listing.find("sheet VELKAR rows=65536 cols=9\n"
                           "A1 text 'N1' framed\n"
                           "B1 number 1.5 framed\n"),
              std::string::npos)
        << listing.substr(0, 400);
    EXPECT_NE(listing.find("A65536 text 'N65536' framed\n"
                           "B65536 number 65536.5 framed\n"),
              std::string::npos);
    EXPECT_NE(listing.find("sheet VELKAR2 rows=2 cols=9\n"
                           "A1 text 'N65537' framed\n"
                           "B1 number 65537.5 framed\n"),
              std::string::npos);
    EXPECT_NE(listing.find("A2 text 'N65538' framed\n"
                           "B2 number 65538.5 framed\n"
                           "C2 empty framed\n"),
              std::string::npos);
    EXPECT_NE(listing.find("I2 text 'K4' framed\n"), std::string::npos);
    EXPECT_EQ(listing.find("warning"), std::string::npos) << listing.substr(0, 400);
}

}  // namespace
}  // namespace velkar::exporting
