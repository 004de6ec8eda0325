#include "link/transfer_common.h"

#include "platform/cp1254.h"
#include "platform/program_folder.h"
#include "platform/serial_settings.h"

namespace velkar::link::detail {

std::string finishedText() {
    return "Aktarma Islemi Bitti";
}
std::string finishedFramedText() {
    return "     Aktarma Islemi Bitti     ";
}
std::string stoppedText() {
    return cp1254("Aktarma İşlemi Durduruldu");
}
std::string stoppedSmallText() {
    return cp1254("Aktarma işlemi durduruldu");
}
std::string noDeviceText() {
    return cp1254("Cihaz Bağlantısı Yok veya Cihaz Hazır değil");
}

std::string instructionTitle() {
    return " ASAGIDAKI SENECEKLERI SECINIZ.!!!";
}

std::string instructionText(std::initializer_list<const char*> utf8Lines) {
    std::string text;
    for (const char* line : utf8Lines) {
        text += CR;
        text += cp1254(line);
    }
    text += CR;
    text += CR;
    text += "   Seceneklerini seciniz.";
    return text;
}

bool showInstructions(TransferContext& ctx, std::initializer_list<const char*> utf8Lines) {
    return ctx.dialogs.message({instructionText(utf8Lines), instructionTitle(),
                                MessageIcon::Information, MessageButtons::OkCancel}) ==
           MessageResult::Ok;
}

void tell(TransferContext& ctx, const std::string& text) {
    ctx.dialogs.message({text, {}, MessageIcon::Information, MessageButtons::Ok});
}

bool openPortAndShow(TransferContext& ctx) {
    if (!link::portac(ctx.port, ctx.portText, ctx.settings, ctx.dialogs)) return false;
    link::portdurum(ctx.settings, ctx.dialogs);
    return true;
}

std::string deviceName(const TransferContext& ctx) {
    const auto id = parsePortText(ctx.portText);
    return id ? ctx.port.deviceName(*id) : ctx.portText;
}

void reportLostPort(TransferContext& ctx) {
    ctx.dialogs.error(deviceName(ctx) + cp1254(" portunun bağlantısı koptu; aktarma durduruldu."));
}

bool DownloadFile::create() {
    // An existing file that may not be written stays refused, as when the
    // download wrote into it directly (opening it to append changes nothing).
    std::error_code ec;
    if (std::filesystem::exists(ctx_.file, ec)) {
        TextWriter probe;
        if (!probe.append(ctx_.file)) {
            ctx_.dialogs.error(pathText(ctx_.file) + cp1254(" dosyası oluşturulamadı: ") +
                               probe.error());
            return false;
        }
        probe.close();
    }
    // A name of its own beside the chosen file: an unrelated file is never touched.
    const std::filesystem::path base = ctx_.file.string() + ".~indirme";
    temp_ = base;
    for (int n = 2; std::filesystem::exists(temp_, ec); ++n) {
        temp_ = base.string() + std::to_string(n);
    }
    if (out_.create(temp_)) return true;
    ctx_.dialogs.error(pathText(ctx_.file) + cp1254(" dosyası oluşturulamadı: ") + out_.error());
    temp_.clear();
    return false;
}

void DownloadFile::writeLine(std::string_view line) {
    received_ = true;
    out_.writeLine(line);
}

void DownloadFile::write(std::string_view bytes) {
    if (!bytes.empty()) received_ = true;
    out_.write(bytes);
}

void DownloadFile::writeRemainder(std::string_view text) {
    if (!text.empty()) received_ = true;
    out_.writeLine(text);
}

void DownloadFile::discard() {
    if (out_.isOpen()) out_.close();
    if (temp_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
    temp_.clear();
}

bool DownloadFile::finish() {
    if (!out_.close()) {
        ctx_.dialogs.error(pathText(ctx_.file) + cp1254(" dosyasına yazılamadı: ") + out_.error());
        discard();
        return false;
    }
    if (!received_) {
        discard();
        std::error_code ec;
        const bool existed = std::filesystem::exists(ctx_.file, ec);
        tell(ctx_, cp1254("Hiç veri gelmedi; ") + pathText(ctx_.file) +
                       cp1254(existed ? " değiştirilmedi." : " oluşturulmadı."));
        return true;
    }
    std::string error;
    if (!moveFileReplacing(temp_, ctx_.file, error)) {
        // What arrived stays in the temporary file, and the user learns where.
        ctx_.dialogs.error(pathText(ctx_.file) + cp1254(" yerine konamadı: ") + error + CR +
                           cp1254("Gelen veri ") + pathText(temp_) + cp1254(" dosyasında."));
        temp_.clear();
        return false;
    }
    temp_.clear();
    return true;
}

std::string waitAndRead(TransferContext& ctx, bool& lost) {
    ctx.pump.waitForActivity(kWaitMs);
    std::string chunk = ctx.port.readAll();
    if (ctx.port.lost() || !ctx.port.isOpen()) lost = true;
    return chunk;
}

bool send(TransferContext& ctx, std::string_view bytes) {
    return ctx.port.write(bytes);
}

bool startDownload(TransferContext& ctx, DownloadFile& file) {
    if (!file.create()) return false;
    if (openPortAndShow(ctx)) return true;
    file.discard();
    return false;
}

}  // namespace velkar::link::detail
