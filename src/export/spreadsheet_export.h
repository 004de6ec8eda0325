// "Excel'e Dönüştür": a text file whose lines hold fields separated by commas,
// blanks or TABs becomes an Excel 97-2003 workbook, by default beside it and
// named as the text file with ".xls" appended (olcu.txt gives olcu.txt.xls).  Each line is one row;
// its first nine fields (main-window splitter) fill columns A to I, each of the nine cells framed
// by a thin line on all edges, empty ones included.  Rows past 65,536 continue on the sheets
// VELKAR2, VELKAR3, ...
//
// The workbook is written by the program itself, once, after the whole text
// file has been read.  The completion message follows only a written workbook;
// a file that cannot be read or written gives "Hata Mesajı" with the path and
// the reason.
#pragma once

#include <filesystem>
#include <string>

#include "platform/dialogs.h"
#include "platform/event_pump.h"

namespace velkar::exporting {

inline constexpr std::size_t kSpreadsheetColumns = 9;
inline constexpr const char* kSpreadsheetTemplateName = "VELKAR.XLS";

// The workbook name of a text file: its full name + ".xls".
std::filesystem::path spreadsheetPathFor(const std::filesystem::path& textFile);

// Reads textFile and writes the workbook.  false and the message for the user
// (Windows-1254: "PATH dosyası okunamadı: REASON" or "PATH dosyası yazılamadı:
// REASON") when a file cannot be read or written.  A pump, when given, lets
// window events run once per line.
bool convertToSpreadsheet(const std::filesystem::path& textFile,
                          const std::filesystem::path& workbookFile, std::string& failure,
                          EventPump* pump = nullptr);

// The export of one chosen text file, with its boxes: writes
// spreadsheetPathFor(textFile), then shows "Excel'e dönüşüm sona erdi." (no
// title), or the failure with the title "Hata Mesajı".  true when written.
// velkar-cli xls runs this.
bool exportSpreadsheetFile(Dialogs& dialogs, const std::filesystem::path& textFile,
                           EventPump* pump = nullptr);

// The menu command "Excel'e Dönüştür": asks for the text file (open dialog
// "Excel'e Dönüştürülecek Dosyayı Seçiniz", flags 4096, no name offered), then
// for the workbook name (save dialog "Kayıt Edilecek Dosya Adını Yazınız ",
// spreadsheetPathFor() of the text file offered; ".xls" added to a name
// without an extension).  The text file itself is never replaced ("Hata
// Mesajı"); an existing workbook only after the program's overwrite question.
// A cancel anywhere ends it without a box.  Leaves the empty VELKAR.XLS in
// programFolder (older releases opened it in Excel), writes the workbook and
// shows "Excel'e dönüşüm sona erdi.", or the failure with the title "Hata
// Mesajı".  Returns the workbook written (empty when none).
std::filesystem::path exportSpreadsheet(Dialogs& dialogs,
                                        const std::filesystem::path& programFolder,
                                        EventPump* pump = nullptr);

}  // namespace velkar::exporting
