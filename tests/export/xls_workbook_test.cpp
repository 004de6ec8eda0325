#include "export/xls_workbook.h"

#include <gtest/gtest.h>

#include <cmath>

#include "golden.h"
#include "platform/cp1254.h"
#include "xls_reader.h"

namespace velkar::exporting {
namespace {

namespace fs = std::filesystem;

fs::path saved(const XlsWorkbook& book, const std::string& name) {
    const fs::path file = test::tempDir(name) / "book.xls";
    std::string reason;
    EXPECT_TRUE(book.save(file, reason)) << reason;
    return file;
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
    XlsWorkbook book;
    book.addRow({"P1", "4512345.678912", "-0.5", "", "007"});
    book.addRow({});
    book.addRow({cp1254("ŞEHİR ğı"), "1E5", "P1", narrow, wide, std::string(40000, 'y')});
    EXPECT_EQ(test::readWorkbook(saved(book, "xls-cells")),
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
    const fs::path empty = saved(XlsWorkbook(), "xls-empty");
    EXPECT_EQ(test::readWorkbook(empty), "sheet VELKAR rows=0 cols=0\n");
    EXPECT_EQ(fs::file_size(empty) % 512, 0u);
}

// A string whose 3-byte header and first character just fit stays in the
// full record (8,224 bytes of data); only its rest moves on.
TEST(XlsWorkbook, AStringHeaderThatJustFitsStaysInTheRecord) {
    XlsWorkbook book;
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
    XlsWorkbook book;
    for (std::size_t r = 1; r <= XlsWorkbook::kRowsPerSheet + 2; ++r) {
        book.addRow({"N" + std::to_string(r), std::to_string(r) + ".5", "", "", "", "", "", "",
                     "K" + std::to_string(r % 7)});
    }
    EXPECT_EQ(book.sheetCount(), 2u);
    const fs::path file = saved(book, "xls-sheets");
    EXPECT_GT(fs::file_size(file), 109u * 128 * 512);
    const auto row = [](std::size_t at, std::size_t n) {
        const std::string r = std::to_string(at);
        std::string s = "A" + r + " text 'N" + std::to_string(n) + "' framed\nB" + r + " number " +
                        std::to_string(n) + ".5 framed\n";
        for (char c = 'C'; c <= 'H'; ++c) s += c + r + " empty framed\n";
        return s + "I" + r + " text 'K" + std::to_string(n % 7) + "' framed\n";
    };
    EXPECT_EQ(test::readWorkbook(file, true),
              "sheet VELKAR rows=65536 cols=9\n" + row(1, 1) + row(65536, 65536) +
                  "sheet VELKAR2 rows=2 cols=9\n" + row(1, 65537) + row(2, 65538));
}

}  // namespace
}  // namespace velkar::exporting
