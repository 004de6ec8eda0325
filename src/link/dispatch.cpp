// The launchers' dispatch tables: which transfer runs for which instrument.
#include <string>

#include "catalogue/catalogue.h"
#include "link/transfer.h"
#include "platform/cp1254.h"

namespace velkar::link {

namespace {

using catalogue::Family;
using catalogue::InstrumentId;

const catalogue::Instrument* transferInstrument(const std::string& text) {
    const catalogue::Instrument* i = catalogue::findInstrument(text);
    return i && i->transferListPosition > 0 ? i : nullptr;
}

bool can(const std::string& text, bool catalogue::Instrument::*transfer) {
    const catalogue::Instrument* i = transferInstrument(text);
    return i && i->*transfer;
}

}  // namespace

bool isInstrument(const TransferContext& ctx, catalogue::InstrumentId id) {
    const catalogue::Instrument* i = catalogue::findInstrument(ctx.instrument);
    return i && i->id == id;
}

bool isGts200Family(const std::string& text) {
    const catalogue::Instrument* i = transferInstrument(text);
    return i && i->family == Family::Gts200;
}

bool hasDownload(const std::string& text) {
    return can(text, &catalogue::Instrument::download);
}

bool hasUpload(const std::string& text) {
    return can(text, &catalogue::Instrument::upload);
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
    const catalogue::Instrument* i = transferInstrument(instrumentText);
    if (!i || !i->download) return TransferOutcome::NotStarted;
    switch (i->family) {
        case Family::Gts700:
            return AB700(ctx);
        case Family::Gts200:
            return AB200(ctx);
        case Family::Dl100:
            return DL100AB(ctx);
        case Family::Text:
            return USIKATA(ctx);
    }
    return TransferOutcome::NotStarted;
}

TransferOutcome runUpload(const std::string& instrumentText, TransferContext& ctx) {
    ctx.instrument = instrumentText;
    const catalogue::Instrument* i = transferInstrument(instrumentText);
    if (!i || !i->upload) return TransferOutcome::NotStarted;
    if (i->family == Family::Gts700) return BA700(ctx);
    if (i->family == Family::Gts200) return BA200(ctx);
    return TransferOutcome::NotStarted;
}

}  // namespace velkar::link
