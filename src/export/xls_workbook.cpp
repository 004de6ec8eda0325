#include "export/xls_workbook.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "export/compound_file.h"
#include "platform/cp1254.h"

namespace velkar::exporting {
namespace {

constexpr std::size_t kMaxRecordData = 8224;

// Record ids.
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kCodepage = 0x0042;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kWindow2 = 0x023E;

constexpr std::uint16_t kStyleXfCount = 16;
constexpr std::uint16_t kFramedXf = kStyleXfCount + 1;  // after the default cell XF
constexpr std::uint8_t kAutomaticColour = 64;

void put8(std::string& out, std::uint8_t v) {
    out.push_back(static_cast<char>(v));
}
void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putDouble(std::string& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}
void header(std::string& out, std::uint16_t id, std::size_t length) {
    put16(out, id);
    put16(out, static_cast<std::uint16_t>(length));
}
void record(std::string& out, std::uint16_t id, std::string_view data) {
    header(out, id, data.size());
    out.append(data);
}

std::string bof(std::uint16_t substreamType) {
    std::string d;
    put16(d, 0x0600);  // BIFF8
    put16(d, substreamType);
    put16(d, 0x0DBB);  // build
    put16(d, 0x07CC);  // year
    put32(d, 0);       // file history flags
    put32(d, 0x0006);  // lowest version that can read every record
    std::string r;
    record(r, kBof, d);
    return r;
}

// An XF record.  Style XFs have no parent (0xFFF); cell XFs use XF 0.
std::string xf(bool style, bool framed) {
    std::string d;
    put16(d, 0);                        // font
    put16(d, 0);                        // number format: General
    put16(d, style ? 0xFFF5 : 0x0001);  // locked; style flag and parent 0xFFF, or parent 0
    put8(d, 0x20);                      // general horizontal, bottom vertical alignment
    put8(d, 0);                         // no rotation
    put8(d, 0);                         // no indent, no shrink
    put8(d, style ? 0xF4 : 0xF8);       // attribute groups this XF sets itself
    std::uint32_t lines = 0;
    std::uint32_t lineColours = 0;
    if (framed) {
        // Line style 1 (thin) for left, right, top and bottom, automatic colours.
        lines = 1u | 1u << 4 | 1u << 8 | 1u << 12 | std::uint32_t{kAutomaticColour} << 16 |
                std::uint32_t{kAutomaticColour} << 23;
        lineColours = kAutomaticColour | std::uint32_t{kAutomaticColour} << 7;
    }
    put32(d, lines);
    put32(d, lineColours);  // top and bottom colours, no diagonal, no fill pattern
    put16(d, 0x20C0);       // pattern colours: automatic foreground (64) and background (65)
    std::string r;
    record(r, kXf, d);
    return r;
}

// The text of a cell as UTF-16 code units (Windows-1254 lies in the BMP).
std::u16string utf16(std::string_view text) {
    std::u16string u;
    u.reserve(text.size());
    for (const unsigned char c : text) u.push_back(static_cast<char16_t>(cp1254ToUnicode(c)));
    return u;
}

// The shared string table: SST followed by CONTINUE records when it outgrows
// one record.  A string's 3-byte header (character count, option flags) never
// splits; its characters may, and the part in a CONTINUE record starts with the
// option flags byte again.  Strings whose characters all lie below U+0100 are
// stored one byte per character, others as UTF-16.
struct SharedStrings {
    std::string bytes;
    std::vector<std::uint32_t> bucketOffsets;        // from the start of bytes
    std::vector<std::uint16_t> bucketRecordOffsets;  // from the start of its record
    std::uint16_t bucketSize = 8;
};

SharedStrings buildSharedStrings(const std::vector<const std::string*>& strings,
                                 std::uint32_t totalUses) {
    SharedStrings sst;
    const auto unique = static_cast<std::uint32_t>(strings.size());
    sst.bucketSize = static_cast<std::uint16_t>(std::max<std::uint32_t>(unique / 128 + 1, 8));
    std::string& out = sst.bytes;
    // Room for it all at once: grown step by step it could take twice its size.
    std::size_t estimate = 8;
    for (const std::string* t : strings) {
        const bool wide = std::any_of(t->begin(), t->end(), [](char c) {
            return cp1254ToUnicode(static_cast<unsigned char>(c)) > 0xFF;
        });
        estimate += 3 + (wide ? 2 : 1) * t->size();
    }
    out.reserve(estimate + (estimate / (kMaxRecordData - 8) + 1) * 8);
    std::size_t recordStart = 0;
    auto closeRecord = [&] {
        const auto length = out.size() - recordStart - 4;
        out[recordStart + 2] = static_cast<char>(length & 0xFF);
        out[recordStart + 3] = static_cast<char>(length >> 8);
    };
    auto openRecord = [&](std::uint16_t id) {
        if (!out.empty()) closeRecord();
        recordStart = out.size();
        header(out, id, 0);
    };
    auto room = [&] { return kMaxRecordData - (out.size() - recordStart - 4); };

    openRecord(kSst);
    put32(out, totalUses);
    put32(out, unique);
    for (std::uint32_t i = 0; i < unique; ++i) {
        const std::u16string text = utf16(*strings[i]);
        const bool wide =
            std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
        const std::size_t charSize = wide ? 2 : 1;
        if (room() < 3 + charSize) openRecord(kContinue);
        if (i % sst.bucketSize == 0) {
            sst.bucketOffsets.push_back(static_cast<std::uint32_t>(out.size()));
            sst.bucketRecordOffsets.push_back(static_cast<std::uint16_t>(out.size() - recordStart));
        }
        put16(out, static_cast<std::uint16_t>(text.size()));
        put8(out, wide ? 1 : 0);
        std::size_t next = 0;
        for (;;) {
            const std::size_t count = std::min(text.size() - next, room() / charSize);
            for (std::size_t k = next; k < next + count; ++k) {
                if (wide) {
                    put16(out, text[k]);
                } else {
                    put8(out, static_cast<std::uint8_t>(text[k]));
                }
            }
            next += count;
            if (next == text.size()) break;
            openRecord(kContinue);
            put8(out, wide ? 1 : 0);
        }
    }
    closeRecord();
    return sst;
}

}  // namespace

std::optional<double> spreadsheetNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto isDigit = [&](std::size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };
    if (i < n && text[i] == '-') ++i;
    const std::size_t intStart = i;
    if (i < n && text[i] == '0') {
        ++i;
    } else {
        while (isDigit(i)) ++i;
    }
    const bool hasInteger = i > intStart;
    if (i < n && text[i] == '.') {
        ++i;
        if (!isDigit(i)) return std::nullopt;
        while (isDigit(i)) ++i;
    } else if (!hasInteger) {
        return std::nullopt;
    }
    if (i != n) return std::nullopt;  // anything else: "007", "+5", "1E5", "1,5"

    int significant = 0;
    bool seenNonZero = false;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        seenNonZero = seenNonZero || c != '0';
        if (seenNonZero) ++significant;
    }
    if (significant > 15) return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + n, value);
    if (result.ec != std::errc() || result.ptr != text.data() + n) return std::nullopt;
    return value == 0 ? 0.0 : value;  // no negative zero
}

namespace {

// The ROW record of a row and its cell records; indexOf gives the shared
// string index of a text cell.
template <class IndexOf>
void appendRowRecords(std::string& out, std::uint16_t row, const std::vector<std::string>& cells,
                      IndexOf&& indexOf) {
    const auto columns =
        static_cast<std::uint16_t>(std::min(cells.size(), XlsWorkbook::kMaxColumns));
    header(out, kRow, 16);
    put16(out, row);
    put16(out, 0);        // first column
    put16(out, columns);  // last column + 1
    put16(out, 0x00FF);   // height 12.75 pt, in twips
    put16(out, 0);
    put16(out, 0);
    put32(out, 0x0100);  // no outline, default format; the bit Excel always sets

    for (std::uint16_t c = 0; c < columns; ++c) {
        const std::string& text = cells[c];
        const auto number = text.empty() ? std::nullopt : spreadsheetNumber(text);
        if (text.empty()) {
            header(out, kBlank, 6);
        } else if (number) {
            header(out, kNumber, 14);
        } else {
            header(out, kLabelSst, 10);
        }
        put16(out, row);
        put16(out, c);
        put16(out, kFramedXf);
        if (number) {
            putDouble(out, *number);
        } else if (!text.empty()) {
            put32(out, indexOf(std::string_view(text).substr(0, XlsWorkbook::kMaxTextLength)));
        }
    }
}

// What a distinct text costs beside its characters (held once as the key, up
// to twice in the UTF-16 string table): the table entry and the string's block.
constexpr std::size_t kTextEntryMemory = 96;
constexpr std::size_t kTextMemoryPerCharacter = 3;

}  // namespace

XlsWorkbook::XlsWorkbook(std::string sheetName) : sheetName_(std::move(sheetName)) {
    sheets_.emplace_back();
}

std::uint32_t XlsWorkbook::sharedStringIndex(std::string_view text) {
    ++textCells_;
    const auto [it, added] =
        stringIndex_.try_emplace(std::string(text), static_cast<std::uint32_t>(strings_.size()));
    if (added) {
        strings_.push_back(&it->first);
        textMemory_ += kTextEntryMemory + kTextMemoryPerCharacter * text.size();
    }
    return it->second;
}

void XlsWorkbook::addRow(const std::vector<std::string>& cells) {
    if (sheets_.back().rows == kRowsPerSheet) sheets_.emplace_back();
    Sheet& sheet = sheets_.back();
    const auto columns = static_cast<std::uint16_t>(std::min(cells.size(), kMaxColumns));
    // Only the size of the records is noted: save() writes them from the rows again.
    std::string records;
    appendRowRecords(records, static_cast<std::uint16_t>(sheet.rows), cells,
                     [this](std::string_view text) { return sharedStringIndex(text); });
    sheet.cellBytes += records.size();
    ++sheet.rows;
    sheet.columns = std::max(sheet.columns, columns);
    ++rows_;
}

std::array<std::string, 3> XlsWorkbook::globals(
    const std::vector<std::uint64_t>& sheetSizes) const {
    std::string g = bof(0x0005);
    std::string d;
    put16(d, 1200);
    record(g, kCodepage, d);

    d.clear();
    for (const std::uint16_t v : {0x01E0, 0x005A, 0x3FCF, 0x2A4E}) put16(d, v);  // position, size
    put16(d, 0x0038);  // scroll bars and sheet tabs shown
    put16(d, 0);       // active sheet
    put16(d, 0);       // first tab shown
    put16(d, 1);       // selected sheets
    put16(d, 0x0258);  // tab bar width: 60 %
    record(g, kWindow1, d);

    d.clear();
    put16(d, 200);     // 10 pt
    put16(d, 0);       // plain
    put16(d, 0x7FFF);  // automatic colour
    put16(d, 400);     // normal weight
    put16(d, 0);       // no super/subscript
    put8(d, 0);        // no underline
    put8(d, 0);        // family
    put8(d, 0xA2);     // Turkish character set
    put8(d, 0);
    put8(d, 5);  // name: 5 characters, one byte each
    put8(d, 0);
    d += "Arial";
    for (int i = 0; i < 4; ++i) record(g, kFont, d);

    for (int i = 0; i < kStyleXfCount; ++i) g += xf(true, false);
    g += xf(false, false);
    g += xf(false, true);

    d.clear();
    put16(d, 0x8000);  // built-in style on XF 0
    put8(d, 0);        // "Normal"
    put8(d, 0xFF);
    record(g, kStyle, d);

    // Sheet names, then where each sheet's BOF lies: after the globals.
    std::vector<std::string> names;
    std::size_t boundSheetsSize = 0;
    for (std::size_t s = 0; s < sheetSizes.size(); ++s) {
        names.push_back(s == 0 ? sheetName_ : sheetName_ + std::to_string(s + 1));
        boundSheetsSize += 4 + 8 + names.back().size();
    }
    SharedStrings sst = buildSharedStrings(strings_, textCells_);
    const std::size_t extSstSize = 4 + 2 + 8 * sst.bucketOffsets.size();
    const std::size_t sstStart = g.size() + boundSheetsSize;
    std::size_t offset = sstStart + sst.bytes.size() + extSstSize + 4;
    for (std::size_t s = 0; s < sheetSizes.size(); ++s) {
        d.clear();
        put32(d, static_cast<std::uint32_t>(offset));
        put8(d, 0);  // visible
        put8(d, 0);  // worksheet
        put8(d, static_cast<std::uint8_t>(names[s].size()));
        put8(d, 0);  // one byte per character
        d += names[s];
        record(g, kBoundSheet, d);
        offset += sheetSizes[s];
    }

    // The string table is handed on as it is: it may be the largest part.
    std::string after;
    header(after, kExtSst, extSstSize - 4);
    put16(after, sst.bucketSize);
    for (std::size_t b = 0; b < sst.bucketOffsets.size(); ++b) {
        put32(after, static_cast<std::uint32_t>(sstStart + sst.bucketOffsets[b]));
        put16(after, sst.bucketRecordOffsets[b]);
        put16(after, 0);
    }
    header(after, kEof, 0);
    return {std::move(g), std::move(sst.bytes), std::move(after)};
}

bool XlsWorkbook::save(const std::filesystem::path& file, const RowSource& rows,
                       std::string& reason) const {
    std::vector<std::string> cells;
    std::string records;
    bool changed = false;  // a row, or a text, the first reading did not have
    auto indexOf = [&](std::string_view text) -> std::uint32_t {
        const auto it = stringIndex_.find(std::string(text));
        changed = changed || it == stringIndex_.end();
        return changed ? 0 : it->second;
    };
    // Per sheet: BOF and DIMENSIONS before its cells, WINDOW2 and EOF after.
    std::vector<std::string> heads;
    std::vector<std::string> tails;
    std::vector<std::uint64_t> sizes;
    for (std::size_t s = 0; s < sheets_.size(); ++s) {
        const Sheet& sheet = sheets_[s];
        std::string head = bof(0x0010);
        header(head, kDimensions, 14);
        put32(head, 0);
        put32(head, sheet.rows);  // last row + 1
        put16(head, 0);
        put16(head, sheet.columns);  // last column + 1
        put16(head, 0);

        std::string tail;
        header(tail, kWindow2, 18);
        // Grid lines, headers, zeros, automatic grid colour, outline symbols;
        // the first sheet selected and shown.
        put16(tail, s == 0 ? 0x06B6 : 0x00B6);
        put16(tail, 0);  // first row shown
        put16(tail, 0);  // first column shown
        put16(tail, kAutomaticColour);
        put16(tail, 0);
        put16(tail, 0);  // page break preview zoom: default
        put16(tail, 0);  // normal view zoom: default
        put32(tail, 0);
        header(tail, kEof, 0);

        sizes.push_back(head.size() + sheet.cellBytes + tail.size());
        heads.push_back(std::move(head));
        tails.push_back(std::move(tail));
    }
    const auto globalRecords = globals(sizes);
    std::uint64_t size = 0;
    for (const auto& part : globalRecords) size += part.size();
    for (const auto sheetSize : sizes) size += sheetSize;
    return writeCompoundFile(
        file, "Workbook", size,
        [&](StreamSink& sink) {
            for (const auto& part : globalRecords) sink.write(part);
            for (std::size_t s = 0; s < sheets_.size(); ++s) {
                sink.write(heads[s]);
                for (std::uint32_t row = 0; row < sheets_[s].rows && !changed; ++row) {
                    changed = !rows(cells);
                    records.clear();
                    if (!changed) {
                        appendRowRecords(records, static_cast<std::uint16_t>(row), cells, indexOf);
                    }
                    sink.write(records);
                }
                if (changed) {
                    reason = kChangedWhileWritten;
                    return false;
                }
                sink.write(tails[s]);
            }
            return true;
        },
        reason);
}

}  // namespace velkar::exporting
