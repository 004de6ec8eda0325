// Download from the GTS-600/700 family.
//
// The instrument sends its data as plain text lines ended by CR LF and closes
// with EOT; nothing is sent back to it.  Every line goes into the raw download
// file as it came, without its line end.
#include <string>

#include "link/transfer_common.h"

namespace velkar::link {

TransferOutcome AB700(TransferContext& ctx) {
    using namespace detail;
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    DownloadFile file(ctx);
    if (!startDownload(ctx, file)) return TransferOutcome::Failed;
    if (!showInstructions(ctx, {"   [ AKTAR ]", "   [ GONDER ]", "   [ BILGISAYAR ]"})) {
        file.discard();
        return TransferOutcome::Cancelled;
    }

    bool more = true;
    bool lost = false;
    ctx.fields.AKTARMA_DEVAM = true;
    std::string line;         // text since the last line end
    bool dropNextLf = false;  // a CR ended the last line: its LF may still come
    auto endLine = [&] {
        ctx.log.setText(line);
        file.writeLine(line);
        line.clear();
    };
    while (ctx.fields.AKTARMA_DEVAM && more && !lost) {
        const std::string chunk = waitAndRead(ctx, lost);
        // Lines are cut wherever they end, however the reads cut the stream;
        // the LF of a CR LF is dropped also when it comes in the next read.
        for (char c : chunk) {
            if (dropNextLf) {
                dropNextLf = false;
                if (c == LF) continue;
            }
            if (c == EOT) {
                // Text that came before the EOT without a line end is the last line.
                if (!line.empty()) endLine();
                more = false;
                break;
            }
            if (c == CR) {
                endLine();
                dropNextLf = true;
            } else {
                line += c;
            }
        }
        file.flush();
    }
    // Text without a line end is kept also after a stop or a lost port.
    if (!line.empty()) endLine();
    if (lost) {
        reportLostPort(ctx);
        file.finish();
        return TransferOutcome::Failed;
    }
    ctx.port.close();
    const bool finished = ctx.fields.AKTARMA_DEVAM;
    if (file.received()) tell(ctx, finished ? finishedText() : stoppedSmallText());
    if (!file.finish()) return TransferOutcome::Failed;
    if (!file.received()) return TransferOutcome::NothingArrived;
    return finished ? TransferOutcome::Finished : TransferOutcome::Stopped;
}

}  // namespace velkar::link
