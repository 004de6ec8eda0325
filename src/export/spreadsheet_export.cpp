#include "export/spreadsheet_export.h"

#include "export/xls_workbook.h"
#include "platform/cp1254.h"
#include "platform/line_fields.h"
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
