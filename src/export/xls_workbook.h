// An Excel 97-2003 workbook (BIFF8 records in a Compound File Binary container)
// written by the program itself: rows of framed cells on worksheets.
//
// The "Workbook" stream holds the workbook globals, then one worksheet
// substream per sheet.  Every record is a 2-byte id, a 2-byte data length and
// the data (little-endian, at most 8224 data bytes).
//
//   globals:  BOF (0x0809, workbook globals)
//             CODEPAGE (0x0042): 1200, the texts are UTF-16
//             WINDOW1 (0x003D): the workbook window, first sheet active
//             FONT (0x0031) x4: Arial 10 (indexes 0-3; index 4 never exists)
//             XF (0x00E0) x18: 16 style XFs, the default cell XF (16) and the
//                   cell XF of every written cell (17): thin lines on all four
//                   edges in the automatic colour
//             STYLE (0x0293): the built-in style "Normal" on XF 0
//             BOUNDSHEET (0x0085) per sheet: stream offset of its BOF, name
//             SST (0x00FC) + CONTINUE (0x003C): every distinct text once
//             EXTSST (0x00FF): stream offsets of every dsst-th text of the SST
//             EOF (0x000A)
//   sheet:    BOF (0x0809, worksheet), DIMENSIONS (0x0200),
//             per row: ROW (0x0208) and its cells: NUMBER (0x0203) for a
//             number, LABELSST (0x00FD, index into the SST) for a text,
//             BLANK (0x0201) for an empty cell; then WINDOW2 (0x023E), EOF.
//
// A sheet holds at most 65,536 rows; further rows continue on sheets named
// NAME2, NAME3, ...  The globals come first but hold every text of the
// workbook, so the file is written once by save(), after all rows were added.
// The cell records are never held: addRow notes only the texts and sizes, and
// save() is handed the same rows again and writes their records as they come,
// so a list of any length never stands whole in memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/compound_file.h"

namespace velkar::exporting {

// The number a text cell stands for, when it is a plain decimal number that
// Excel would keep as it stands: -?(0|[1-9][0-9]*)(.[0-9]+)? or -?.[0-9]+ with
// at most 15 significant digits (the digits from the first non-zero one to the
// last one written).  "007", "+5", "1E5", "12." and 16-digit numbers stay text.
// "-0" is the number 0.
std::optional<double> spreadsheetNumber(std::string_view text);

class XlsWorkbook {
  public:
    static constexpr std::size_t kRowsPerSheet = 65536;
    static constexpr std::size_t kMaxColumns = 256;
    static constexpr std::size_t kMaxTextLength = 32767;
    // The distinct texts are held until the file is written, and then once
    // more as the shared string table; past this much memory for them the
    // workbook is too large (tooLarge()).  A list of a hundred thousand
    // points with names of up to eight letters takes about 12 MB.
    static constexpr std::size_t kTextMemoryLimit = std::size_t{32} << 20;

    using RowSource = std::function<bool(std::vector<std::string>& cells)>;

    explicit XlsWorkbook(std::string sheetName = "VELKAR");

    // Appends a row: cells[c] goes to column c, a number cell when
    // spreadsheetNumber() accepts it, an empty cell when empty, else a text
    // cell; every cell is framed.  Texts are Windows-1254; a text longer than
    // 32,767 characters (Excel's cell limit) is cut there; cells past column
    // 256 are dropped.
    void addRow(const std::vector<std::string>& cells);

    std::size_t rowCount() const { return rows_; }
    std::size_t sheetCount() const { return sheets_.size(); }
    bool tooLarge() const { return textMemory_ > kTextMemoryLimit; }

    // Writes the workbook; rows(cells) gives the added rows again, in order
    // (false after the last).  false and the reason (Windows-1254) on failure.
    bool save(const std::filesystem::path& file, const RowSource& rows, std::string& reason) const;

  private:
    struct Sheet {
        std::uint64_t cellBytes = 0;
        std::uint32_t rows = 0;
        std::uint16_t columns = 0;
    };
    std::uint32_t sharedStringIndex(std::string_view text);
    // The globals in three parts: up to the sheet list, the string table, the rest.
    std::array<std::string, 3> globals(const std::vector<std::uint64_t>& sheetSizes) const;

    std::string sheetName_;
    std::vector<Sheet> sheets_;
    std::size_t rows_ = 0;
    std::unordered_map<std::string, std::uint32_t> stringIndex_;
    std::vector<const std::string*> strings_;  // keys of stringIndex_ by index
    std::uint32_t textCells_ = 0;
    std::size_t textMemory_ = 0;
};

}  // namespace velkar::exporting
