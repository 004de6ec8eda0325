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

bool createDownloadFile(TransferContext& ctx, TextWriter& out) {
    if (out.create(ctx.file)) return true;
    ctx.dialogs.error(pathText(ctx.file) + cp1254(" dosyası oluşturulamadı: ") + out.error());
    return false;
}

bool closeDownloadFile(TransferContext& ctx, TextWriter& out) {
    if (out.close()) return true;
    ctx.dialogs.error(pathText(ctx.file) + cp1254(" dosyasına yazılamadı: ") + out.error());
    return false;
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

bool startDownload(TransferContext& ctx, TextWriter& out) {
    if (!createDownloadFile(ctx, out)) return false;
    if (openPortAndShow(ctx)) return true;
    out.close();
    return false;
}

}  // namespace velkar::link::detail
