// Download from the DL-100 digital level.
//
// The level sends a job as text lines and waits after each for the
// acknowledgement ACK "," "R" "," CR LF.  The line that starts with "Z" ends
// the job; the "A" line (the job header of the output menu) is not kept.  The
// line runs with RTS/CTS handshaking; afterwards the port is left with
// XON/XOFF flow control.
#include <string>

#include "link/transfer_common.h"
#include "platform/cp1254.h"

namespace velkar::link {
namespace {

char firstNonBlank(std::string_view line) {
    const auto p = line.find_first_not_of(' ');
    return p == std::string_view::npos ? '\0' : line[p];
}

std::string dl100InstructionText() {
    const std::string t(1, TAB);
    const std::string cr(1, CR);
    return "[ DISPLAY" + t + "]   [ TUS ]" + cr + "[ Menu Utility" + t + "]   [  8  ]SET" + cr +
           "[ File Out    " + t + "]   [ ENT ]" + cr + "[ JobType Level" + t + "]   [ ENT ]" + cr +
           "[ Job         " + t + "]   [ ENT ]" + cr + "[ Out? RECorESC " + t + "]   [  7  ]REC";
}

}  // namespace

TransferOutcome DL100AB(TransferContext& ctx) {
    using namespace detail;
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    DownloadFile file(ctx);
    const HandshakeSession handshake(ctx);
    if (!startDownload(ctx, file)) return TransferOutcome::Failed;
    const MessageResult answer = ctx.dialogs.message(
        {dl100InstructionText(), cp1254("    CİHAZDA AŞAĞIDAKİ MENÜLERİ SEÇİN      "),
         MessageIcon::Information, MessageButtons::OkCancel});
    if (answer != MessageResult::Ok) {
        tell(ctx, stoppedText());
        file.discard();
        return TransferOutcome::Cancelled;
    }

    const std::string acknowledgement{ACK, ',', 'R', ',', CR, LF};
    bool more = true;
    bool lost = false;
    ctx.fields.AKTARMA_DEVAM = true;
    std::string buffer;
    while (ctx.fields.AKTARMA_DEVAM && more && !lost) {
        const std::string chunk = waitAndRead(ctx, lost);
        if (chunk.empty()) continue;
        buffer += chunk;
        // Each completed line is written with the level's own line end and
        // acknowledged; the level sends the next one only then.
        std::size_t lf;
        while (more && (lf = buffer.find(LF)) != std::string::npos) {
            const std::string_view line = std::string_view(buffer).substr(0, lf + 1);
            const char first = firstNonBlank(line);
            if (first == 'Z') {
                more = false;
                buffer.clear();
            } else {
                if (first != 'A') {
                    file.write(line);
                    // The log shows the line without its line end.
                    const auto end = line.find_last_not_of("\r\n");
                    ctx.log.setText(
                        std::string(line.substr(0, end == std::string_view::npos ? 0 : end + 1)));
                }
                buffer.erase(0, lf + 1);
            }
            if (!lost && !send(ctx, acknowledgement)) lost = true;
        }
        file.flush();
    }
    if (!lost && !send(ctx, std::string{ACK, CR, LF})) lost = true;
    file.writeRemainder(buffer);
    if (lost) {
        reportLostPort(ctx);
        file.finish();
        return TransferOutcome::Failed;
    }
    const bool finished = ctx.fields.AKTARMA_DEVAM;
    if (!file.finish()) return TransferOutcome::Failed;
    if (!file.received()) return TransferOutcome::NothingArrived;
    if (finished) tell(ctx, finishedFramedText());
    return finished ? TransferOutcome::Finished : TransferOutcome::Stopped;
}

}  // namespace velkar::link
