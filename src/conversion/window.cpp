#include "conversion/window.h"

#include <algorithm>
#include <utility>

#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::conversion {
namespace {

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)) {
        return std::filesystem::equivalent(a, b, ec);
    }
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

}  // namespace

void FileChooser::show(Dialogs& dialogs, FileDialogMode mode) {
    FileDialogRequest r;
    r.title = title;
    r.filter = filter;
    r.filterIndex = filterIndex;
    r.flags = flags;
    r.fileName = fileName;
    r.mode = mode;
    const FileDialogResult result = dialogs.chooseFile(r);
    fileName = result.path;
    if (!result.path.empty()) filterIndex = result.filterIndex;
}

std::filesystem::path ConversionWindow::resultWorkFile() const {
    return workFolder / kResultWorkFileName;
}

void ConversionWindow::setSaveEnabled(bool enabled) {
    saveEnabled = enabled;
    if (hooks) hooks->saveButtonEnabled(enabled);
}

void ConversionWindow::setStatusText(const std::string& text) {
    statusText = text;
    if (hooks) hooks->statusTextChanged(text);
}

void ConversionWindow::setIntermediateButtonVisible(bool visible) {
    if (hooks) hooks->intermediateButtonVisible(visible);
}

void ConversionWindow::setInstrument(std::string_view text) {
    request.instrumentText = std::string(text);
    request.instrument = catalogue::findInstrument(text);
}

void ConversionWindow::setOutput(std::string_view text) {
    request.outputText = std::string(text);
    request.output = catalogue::findOutput(text);
}

void ConversionWindow::noteInput(const std::filesystem::path& file) {
    inputsRead.push_back(file);
}

void ConversionWindow::progress(std::uint64_t done, std::uint64_t total) {
    if (hooks) hooks->progress(done, total);
}

void dosya_ac(ConversionWindow& w) {
    w.DOSYA_SECILDI = false;
    w.dialog.fileName.clear();
    w.dialog.flags = kFileMustExist;
    if (!w.request.inputFile.empty()) {
        w.dialog.fileName = std::exchange(w.request.inputFile, {});
    } else {
        w.dialog.show(w.dialogs, FileDialogMode::Open);
    }
    if (!w.dialog.fileName.empty()) {
        w.DOSYA_SECILDI = true;
        const std::string full = pathText(w.dialog.fileName);
        w.setStatusText(full.size() > 50 ? full.substr(full.size() - 50) : full);
    }
}

void HUCREYAZ(ConversionWindow& w, const std::string& h1, const std::string& h2,
              const std::string& h3, const std::string& h4, const std::string& h5,
              const std::string& h6, const std::string& h7, const std::string& h8,
              const std::string& /*h9: accepted, never shown*/) {
    if (!w.keepRows) {
        ++w.SATIR_NO;
        return;
    }
    const std::string* cells[8] = {&h1, &h2, &h3, &h4, &h5, &h6, &h7, &h8};
    for (int c = 0; c < 8; ++c) w.table.setCell(w.SATIR_NO, c, *cells[c]);
    ++w.SATIR_NO;
    w.table.setRowCount(w.SATIR_NO + 1);
}

bool openResultWorkFile(ConversionWindow& w, TextWriter& out) {
    const auto file = w.resultWorkFile();
    std::string error;
    if (!ensureFolder(w.workFolder, error) || !out.create(file)) {
        w.dialogs.error(pathText(file) + cp1254(" oluşturulamadı: ") +
                        (error.empty() ? out.error() : error));
        w.setSaveEnabled(false);
        return false;
    }
    w.setSaveEnabled(true);
    return true;
}

bool reportUnreadable(ConversionWindow& w, const std::filesystem::path& file,
                      const std::string& reason) {
    w.dialogs.error(pathText(file) + cp1254(" okunamadı: ") + reason);
    return false;
}

bool reportUnwritable(ConversionWindow& w, const std::filesystem::path& file,
                      const std::string& reason) {
    w.dialogs.error(pathText(file) + cp1254(" yazılamadı: ") + reason);
    return false;
}

bool reportTooLong(ConversionWindow& w, const TextReader& in) {
    w.dialogs.error(in.tooLongText());
    w.setSaveEnabled(false);
    return false;
}

void warnEmptyResult(ConversionWindow& w) {
    w.dialogs.message(
        {cp1254("Bu dosyada seçilen çıktı için kayıt bulunamadı: hiçbir satır yazılmadı."),
         cp1254("Uyarı"), MessageIcon::Warning, MessageButtons::Ok});
}

bool openChosenInput(ConversionWindow& w, TextReader& in) {
    const auto input = w.dialog.fileName;
    if (!in.open(input)) return reportUnreadable(w, input, in.error());
    w.noteInput(input);
    return true;
}

bool closeResultWorkFile(ConversionWindow& w, TextWriter& out) {
    if (out.close()) return true;
    w.setSaveEnabled(false);
    return reportUnwritable(w, w.resultWorkFile(), out.error());
}

std::filesystem::path savedFileName(const std::filesystem::path& chosen,
                                    const catalogue::Output& output, int filterIndex) {
    using catalogue::Extension;
    const std::string name = pathText(chosen.filename());
    const auto dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string ext;
    switch (output.extension) {
        case Extension::CoordinateList:
            if (dot != std::string::npos && dot + 1 < name.size()) {
                ext = "." + name.substr(dot + 1, 3);
            } else if (filterIndex == 2) {
                ext = ".xyz";
            } else {
                ext = output.id == catalogue::OutputId::Yxz ? ".ncn" : ".pol";
            }
            break;
        case Extension::CrossSection:
            ext = ".KSE";
            break;
        case Extension::FromText:
            ext = "." + std::string(output.text).substr(0, 3);
            break;
    }
    if (base.empty()) base = name;  // ".profile": the dot starts the name
    return chosen.parent_path() / textPath(base + ext);
}

std::filesystem::path kayitEt(ConversionWindow& w) {
    w.dialog.title = cp1254("Kayıt Edilecek Dosya Adını Yazınız ");
    const catalogue::Output* output = w.request.output;
    if (!output) return {};  // nothing was run: there is nothing to save
    w.setSaveEnabled(false);
    if (output->id == catalogue::OutputId::Yxz) {
        w.dialog.filter = "NetCAD(.ncn)|*.ncn|Koordinat(.xyz)|*.xyz|";
    } else if (output->id == catalogue::OutputId::Xyz) {
        w.dialog.filter = "EGHAS(.pol)|*.pol|Koordinat(.xyz)|*.xyz|";
    }
    w.dialog.flags = kAskBeforeOverwrite;
    // The overwrite question is asked below, for the name the file really gets.
    FileChooser chooser = w.dialog;
    chooser.flags = 0;
    chooser.show(w.dialogs, FileDialogMode::Save);
    w.dialog.filterIndex = chooser.filterIndex;
    if (chooser.fileName.empty()) {
        w.dialog.fileName.clear();
        return {};
    }
    const std::filesystem::path target =
        savedFileName(chooser.fileName, *output, chooser.filterIndex);
    w.dialog.fileName = target;
    const std::string targetText = pathText(target);
    for (const auto& input : w.inputsRead) {
        if (samePath(input, target)) {
            w.dialogs.error(targetText +
                            cp1254(" bu işlemde okunan dosya: üzerine kayıt edilemez."));
            w.setSaveEnabled(true);
            return {};
        }
    }
    if (!confirmReplace(w.dialogs, target, cp1254("Kayıt Et"))) {
        w.setSaveEnabled(true);
        return {};
    }
    std::error_code ec;
    std::string error;
    if (!moveFileReplacing(w.resultWorkFile(), target, error)) {
        w.dialogs.error(targetText + cp1254(" kayıt edilemedi: ") + error);
        // The result stays in the work file; it can be saved again.
        if (std::filesystem::exists(w.resultWorkFile(), ec)) w.setSaveEnabled(true);
        return {};
    }
    w.setStatusText(savedMessage(target));
    return target;
}

}  // namespace velkar::conversion
