// "YXZ --> GTS-720 / GPT-7000": a coordinate list whose fields are separated by
// commas, blanks or TABs in any mixture is rewritten with the fields joined by
// single commas, the file the GTS-720 and GPT-7000 instruments load.
//
// Of each line (main-window splitter) the first five fields a to e count
// (point name, Y, X, Z, code in a YXZ list):
//
//   field d empty      a,b,c,         (an empty line gives ",,,")
//   field d not empty  a,b,c,d,e
//
// Nothing is trimmed, converted or checked.  The output name is the name the
// user gave with ".txt" always appended (liste.txt gives liste.txt.txt).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace velkar::exporting {

// The upload line of one input line.
std::string gts720Line(std::string_view inputLine);

// The output file of a chosen name: the name + ".txt".
std::filesystem::path gts720PathFor(const std::filesystem::path& chosenName);

// Writes outputFile (created anew) from inputFile, lines ended by CR LF.  false
// and the message for the user when the input cannot be read, the output
// cannot be written, or the output is the input file itself.
bool writeGts720File(const std::filesystem::path& inputFile,
                     const std::filesystem::path& outputFile, std::string& failure);

// Writes gts720PathFor(outputName) from inputFile; a failure is shown with the
// title "Hata Mesajı".  No box on success.  velkar-cli gts720 runs this.
bool prepareGts720File(Dialogs& dialogs, const std::filesystem::path& inputFile,
                       const std::filesystem::path& outputName);

// The menu command: asks for the input ("Cihaza Aktarılacak Dosyayı Seçiniz",
// open, flags 4096), then for the output name ("Kayıt Edilecek Dosya Adını
// Yazınız ", save, the input name offered); an existing output file (the name
// with ".txt") is replaced only after the program's overwrite question.  A
// cancel anywhere ends it without writing.  Returns the file written (empty
// when none).
std::filesystem::path prepareGts720(Dialogs& dialogs);

}  // namespace velkar::exporting
