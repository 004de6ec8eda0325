// USIKATA: a line logger for any device that sends text.
//
// Whatever arrives is collected; every LF ends a line, which is written to
// the file numbered (the number right-aligned in 11 characters, two blanks,
// the text).  CR and the other control characters except TAB are not kept.
// There is no instruction box and no end marker: the logger runs until the
// stop button.  Like the DL-100 download it runs with RTS/CTS handshaking and
// leaves the port with XON/XOFF flow control.
#include <cstdio>
#include <string>

#include "link/transfer_common.h"

namespace velkar::link {
namespace {

std::string numberedLine(int number, const std::string& text) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%11d  ", number);
    return prefix + text;
}

bool kept(char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == TAB || (u >= 0x20 && u != 0x7F);
}

}  // namespace

TransferOutcome USIKATA(TransferContext& ctx) {
    using namespace detail;
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    DownloadFile file(ctx);
    const HandshakeSession handshake(ctx);
    if (!startDownload(ctx, file)) return TransferOutcome::Failed;

    int number = 1;
    std::string collected;
    auto writeLine = [&] {
        ctx.fields.SATIR = numberedLine(number++, collected);
        ctx.log.setText(ctx.fields.SATIR);
        file.writeLine(ctx.fields.SATIR);
        collected.clear();
    };
    bool lost = false;
    ctx.fields.AKTARMA_DEVAM = true;
    while (ctx.fields.AKTARMA_DEVAM && !lost) {
        const std::string chunk = waitAndRead(ctx, lost);
        for (char c : chunk) {
            if (c == LF) {
                writeLine();
            } else if (kept(c)) {
                collected += c;
            }
        }
        if (!chunk.empty()) file.flush();
    }
    // Text still collected at the stop is the last line.
    if (!collected.empty()) writeLine();
    if (lost) {
        reportLostPort(ctx);
        file.finish();
        return TransferOutcome::Failed;
    }
    if (!file.finish()) return TransferOutcome::Failed;
    return file.received() ? TransferOutcome::Stopped : TransferOutcome::NothingArrived;
}

}  // namespace velkar::link
