#include "export/spreadsheet_export.h"

#include "export/xls_workbook.h"
#include "platform/cp1254.h"
#include "platform/line_fields.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::exporting {

std::filesystem::path spreadsheetPathFor(const std::filesystem::path& textFile) {
    std::filesystem::path out = textFile;
    out += ".xls";
    return out;
}

namespace {

// The cells of the next line of a text file; false at its end.
bool nextRow(TextReader& reader, std::string& line, std::vector<std::string>& cells,
             EventPump* pump) {
    if (!reader.readLine(line)) return false;
    if (pump) pump->processPending();
    std::vector<std::string> fields = mainWindowSplit(line);
    clearText(line);  // a long line is not kept beside its cells
    cells.resize(kSpreadsheetColumns);
    for (std::size_t c = 0; c < kSpreadsheetColumns; ++c) {
        if (c < fields.size()) {
            cells[c] = std::move(fields[c]);
        } else {
            clearText(cells[c]);
        }
    }
    return true;
}

}  // namespace

bool convertToSpreadsheet(const std::filesystem::path& textFile,
                          const std::filesystem::path& workbookFile, std::string& failure,
                          EventPump* pump) {
    // The text file is read twice: first for the workbook's texts and sizes,
    // which come at its start, then for the cells, written as they are read.
    // So a list of any length never stands whole in memory.
    TextReader reader;
    auto openText = [&] {
        if (reader.open(textFile)) return true;
        failure = pathText(textFile) + cp1254(" dosyası okunamadı: ") + reader.error();
        return false;
    };
    if (!openText()) return false;
    XlsWorkbook workbook;
    std::string line;
    std::vector<std::string> cells;
    while (nextRow(reader, line, cells, pump)) {
        workbook.addRow(cells);
        if (workbook.tooLarge()) {
            failure = pathText(textFile) +
                      cp1254(
                          " dosyası bir Excel 97-2003 çalışma kitabı için çok büyük: dosyayı "
                          "bölerek dönüştürünüz.");
            return false;
        }
    }
    if (reader.tooLong()) {
        failure = reader.tooLongText();
        return false;
    }
    if (!openText()) return false;
    std::string reason;
    const bool saved = workbook.save(
        workbookFile,
        [&](std::vector<std::string>& row) { return nextRow(reader, line, row, pump); }, reason);
    if (!saved) {
        failure = pathText(workbookFile) + cp1254(" dosyası yazılamadı: ") + reason;
        return false;
    }
    return true;
}

bool exportSpreadsheetFile(Dialogs& dialogs, const std::filesystem::path& textFile,
                           EventPump* pump) {
    std::string failure;
    if (!convertToSpreadsheet(textFile, spreadsheetPathFor(textFile), failure, pump)) {
        dialogs.error(failure);
        return false;
    }
    dialogs.info(cp1254("Excel'e dönüşüm sona erdi."));
    return true;
}

std::filesystem::path exportSpreadsheet(Dialogs& dialogs,
                                        const std::filesystem::path& programFolder,
                                        EventPump* pump) {
    FileDialogRequest request;
    request.title = cp1254("Excel'e Dönüştürülecek Dosyayı Seçiniz");
    request.flags = kFileMustExist;
    request.mode = FileDialogMode::Open;
    const std::filesystem::path chosen = dialogs.chooseFile(request).path;
    if (chosen.empty()) return {};

    request.title = cp1254("Kayıt Edilecek Dosya Adını Yazınız ");
    request.filter = "Excel(.xls)|*.xls|";
    request.flags = 0;  // the question is asked below, for the name the file really gets
    request.mode = FileDialogMode::Save;
    request.fileName = spreadsheetPathFor(chosen);
    std::filesystem::path target = dialogs.chooseFile(request).path;
    if (target.empty()) return {};
    if (!target.has_extension()) target += ".xls";
    std::error_code ec;
    if (std::filesystem::equivalent(chosen, target, ec)) {
        dialogs.error(pathText(target) +
                      cp1254(" bu işlemde okunan dosya: üzerine kayıt edilemez."));
        return {};
    }
    if (!confirmReplace(dialogs, target, cp1254("Kayıt Et"))) return {};

    // Older releases handed Excel an empty file of this name to open; nothing
    // reads it any more, so a failure to leave it behind is not reported.
    std::string ignored;
    if (ensureFolder(programFolder, ignored)) {
        writeFileBytes(programFolder / kSpreadsheetTemplateName, "");
    }
    std::string failure;
    if (!convertToSpreadsheet(chosen, target, failure, pump)) {
        dialogs.error(failure);
        return {};
    }
    dialogs.info(cp1254("Excel'e dönüşüm sona erdi."));
    return target;
}

}  // namespace velkar::exporting
