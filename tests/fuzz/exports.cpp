// The main window's exports of a text file: the GTS-720 / GPT-7000 upload file
// and the Excel workbook.
#include "export/gts720.h"
#include "export/spreadsheet_export.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    const auto input = fuzz::writeScratch(
        "liste.txt", std::string_view(reinterpret_cast<const char*>(data), size));
    std::string failure;
    (void)exporting::writeGts720File(input, fuzz::scratch() / "liste.gts720.txt", failure);
    (void)exporting::convertToSpreadsheet(input, fuzz::scratch() / "liste.xls", failure, nullptr);
    return 0;
}
