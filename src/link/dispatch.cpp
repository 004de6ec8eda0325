// The launchers' dispatch tables: which transfer runs for which instrument.
#include <array>
#include <string>

#include "link/transfer.h"
#include "platform/cp1254.h"

namespace velkar::link {
namespace {

const std::array<const char*, 5> kGts200Family = {
    "GTS-210 / 220", "GTS-230N", "GPT-3000 / GPT-3000LN", "GPT-1000 / 2000", "GTS-6"};

}  // namespace

bool isGts200Family(const std::string& text) {
    for (const char* name : kGts200Family) {
        if (text == name) return true;
    }
    return false;
}

bool hasDownload(const std::string& text) {
    return text == "GTS-600 / 700" || isGts200Family(text) || text == "DL-100" || text == "USIKATA";
}

bool hasUpload(const std::string& text) {
    return text == "GTS-600 / 700" || isGts200Family(text);
}

FileDialogRequest downloadFileRequest(const std::filesystem::path& initialFolder) {
    FileDialogRequest r;
    r.title = cp1254("Bilgisayar Ortamında Oluşturulacak Dosya Adı Yazınız");
    r.flags = kAskBeforeOverwrite;
    r.initialFolder = initialFolder;
    r.mode = FileDialogMode::Save;
    return r;
}

FileDialogRequest uploadFileRequest(const std::filesystem::path& initialFolder) {
    FileDialogRequest r;
    r.title = cp1254("Cihaza Aktarılacak Dosyayı Seçiniz");
    r.flags = kFileMustExist;
    r.initialFolder = initialFolder;
    r.mode = FileDialogMode::Open;
    return r;
}

TransferOutcome runDownload(const std::string& instrumentText, TransferContext& ctx) {
    ctx.instrument = instrumentText;
    if (instrumentText == "GTS-600 / 700") return AB700(ctx);
    if (isGts200Family(instrumentText)) return AB200(ctx);
    if (instrumentText == "DL-100") return DL100AB(ctx);
    if (instrumentText == "USIKATA") return USIKATA(ctx);
    return TransferOutcome::NotStarted;
}

TransferOutcome runUpload(const std::string& instrumentText, TransferContext& ctx) {
    ctx.instrument = instrumentText;
    if (instrumentText == "GTS-600 / 700") return BA700(ctx);
    if (isGts200Family(instrumentText)) return BA200(ctx);
    return TransferOutcome::NotStarted;
}

}  // namespace velkar::link
