#include "export/spreadsheet_export.h"

#include "platform/line_fields.h"
#include "export/xls_workbook.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::exporting {

std::filesystem::path spreadsheetPathFor(const std::filesystem::path& textFile) {
    std::filesystem::path out = textFile;
    out += ".xls";
    return out;
}

bool convertToSpreadsheet(const std::filesystem::path& textFile,
                          const std::filesystem::path& workbookFile, std::string& failure,
                          EventPump* pump) {
    TextReader reader;
    if (!reader.open(textFile)) {
        failure = pathText(textFile) + cp1254(" dosyası okunamadı: ") + reader.error();
        return false;
    }
    XlsWorkbook workbook;
    std::string line;
    std::vector<std::string> cells(kSpreadsheetColumns);
    while (reader.readLine(line)) {
        if (pump) pump->processPending();
        const std::vector<std::string> fields = mainWindowSplit(line);
        for (std::size_t c = 0; c < kSpreadsheetColumns; ++c) cells[c] = fieldOrEmpty(fields, c);
        workbook.addRow(cells);
    }
    if (reader.tooLong()) {
        failure = reader.tooLongText();
        return false;
    }
    reader.close();
    std::string reason;
    if (!workbook.save(workbookFile, reason)) {
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

bool exportSpreadsheet(Dialogs& dialogs, const std::filesystem::path& programFolder,
                       EventPump* pump) {
    FileDialogRequest request;
    request.title = cp1254("Excel'e Dönüştürülecek Dosyayı Seçiniz");
    request.flags = kFileMustExist;
    request.mode = FileDialogMode::Open;
    const std::filesystem::path chosen = dialogs.chooseFile(request).path;
    if (chosen.empty()) return false;

    // The original handed Excel an empty file of this name to open; nothing
    // reads it any more, so a failure to leave it behind is not reported.
    std::string ignored;
    if (ensureFolder(programFolder, ignored)) {
        writeFileBytes(programFolder / kSpreadsheetTemplateName, "");
    }
    return exportSpreadsheetFile(dialogs, chosen, pump);
}

}  // namespace velkar::exporting
