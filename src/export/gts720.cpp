#include "export/gts720.h"

#include <vector>

#include "platform/cp1254.h"
#include "platform/line_fields.h"
#include "platform/program_folder.h"
#include "platform/textfile.h"

namespace velkar::exporting {

std::string gts720Line(std::string_view inputLine) {
    const std::vector<std::string> fields = mainWindowSplit(inputLine);
    auto f = [&](std::size_t i) -> const std::string& { return fieldOrEmpty(fields, i); };
    std::string out = f(0) + "," + f(1) + "," + f(2) + ",";
    if (!f(3).empty()) out += f(3) + "," + f(4);
    return out;
}

std::filesystem::path gts720PathFor(const std::filesystem::path& chosenName) {
    std::filesystem::path out = chosenName;
    out += ".txt";
    return out;
}

bool writeGts720File(const std::filesystem::path& inputFile,
                     const std::filesystem::path& outputFile, std::string& failure) {
    TextReader reader;
    if (!reader.open(inputFile)) {
        failure = pathText(inputFile) + cp1254(" dosyası okunamadı: ") + reader.error();
        return false;
    }
    std::error_code ec;
    if (std::filesystem::equivalent(inputFile, outputFile, ec)) {
        failure =
            pathText(outputFile) + cp1254(" dosyası yazılamadı: okunan dosyanın üzerine yazılamaz");
        return false;
    }
    TextWriter writer;
    if (!writer.replace(outputFile)) {
        failure = pathText(outputFile) + cp1254(" dosyası yazılamadı: ") + writer.error();
        return false;
    }
    std::string line;
    while (reader.readLine(line)) writer.writeLine(gts720Line(line));
    if (reader.tooLong()) {
        failure = reader.tooLongText();
        return false;  // the writer's temporary file goes with it
    }
    if (!writer.close()) {
        failure = pathText(outputFile) + cp1254(" dosyası yazılamadı: ") + writer.error();
        return false;
    }
    return true;
}

bool prepareGts720File(Dialogs& dialogs, const std::filesystem::path& inputFile,
                       const std::filesystem::path& outputName) {
    std::string failure;
    if (!writeGts720File(inputFile, gts720PathFor(outputName), failure)) {
        dialogs.error(failure);
        return false;
    }
    return true;
}

std::filesystem::path prepareGts720(Dialogs& dialogs) {
    FileDialogRequest request;
    request.title = cp1254("Cihaza Aktarılacak Dosyayı Seçiniz");
    request.flags = kFileMustExist;
    request.mode = FileDialogMode::Open;
    const std::filesystem::path input = dialogs.chooseFile(request).path;
    if (input.empty()) return {};

    request.title = cp1254("Kayıt Edilecek Dosya Adını Yazınız ");
    request.flags = 0;  // the question is asked below, for the name the file really gets
    request.mode = FileDialogMode::Save;
    request.fileName = input;  // the dialog offers the input name
    const std::filesystem::path output = dialogs.chooseFile(request).path;
    if (output.empty()) return {};
    const std::filesystem::path target = gts720PathFor(output);
    std::error_code ec;
    const bool isInput = std::filesystem::equivalent(input, target, ec);  // refused below
    if (!isInput && !confirmReplace(dialogs, target, cp1254("Kayıt Et"))) return {};
    if (!prepareGts720File(dialogs, input, output)) return {};
    return target;
}

}  // namespace velkar::exporting
