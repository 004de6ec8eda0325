// Download from the GTS-210/220 family.
//
// The instrument answers ENQ with its memory as a stream of 136-character
// blocks: a framing character, 128 data characters, then block digit, check
// digits, ETX, CR and LF.  In the data characters a record ends at the marker
// "_'" (a station or backsight record follows) or "_+" (a point follows); each
// record becomes one line of the raw download file.  With the protocol "ACK /
// NAK" the instrument waits for ACK CR LF before it sends more; with "ONE
// WAY" it streams without waiting.  EOT ends the dump.
#include <string>

#include "link/transfer_common.h"
#include "platform/cp1254.h"

namespace velkar::link {
namespace {

constexpr std::size_t kBlockLength = 136;
constexpr std::size_t kFirstData = 1;  // 0-based: characters 2 to 129
constexpr std::size_t kDataLength = 128;

// Cuts the data characters of the blocks into records.  The record and the
// character before carry over from one block to the next.
class RecordCutter {
  public:
    RecordCutter(detail::DownloadFile& out, TransferLog& log) : out_(out), log_(log) {}

    void takeBlock(std::string_view block) {
        for (char c : block.substr(kFirstData, kDataLength)) {
            record_ += c;
            if (previous_ == '\'') record_.insert(0, "_'");
            if (previous_ == '_' && (c == '\'' || c == '+')) {
                // A record of "_+" alone (the stream starts with a point) is no record.
                if (record_ != "_+") {
                    out_.writeLine(record_);
                    log_.setText(record_);
                }
                record_.clear();
            }
            previous_ = c;
        }
    }
    // The record still being assembled, written as the last line.
    void finish() { out_.writeRemainder(record_); }

  private:
    detail::DownloadFile& out_;
    TransferLog& log_;
    std::string record_;
    char previous_ = '\0';
};

}  // namespace

TransferOutcome AB200(TransferContext& ctx) {
    using namespace detail;
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    DownloadFile file(ctx);
    if (!startDownload(ctx, file)) return TransferOutcome::Failed;
    bool ok;
    if (isInstrument(ctx, catalogue::InstrumentId::Gts6)) {
        ok = showInstructions(
            ctx, {"   [ MENU   ]", "   2 KERE [F4 ]   ", "  [ F1 : COMPUTER COM ]",
                  "   [ F1 : SEND DATA  ]", "   [ F4 :   START ] ", " Bilgisayardan Tamamı Seç"});
    } else {
        ok = showInstructions(
            ctx, {"   [MENU ]", "  [ F3 : HAFIZA KONTROL ]", "   2 KERE [F4 ]   ",
                  "   [F1 : DATA AKTARMA ]", "   [F1 : DATA GONDER ]", "   DOSYAYI SEÇ ",
                  "  Bilgisayardan Tamamı seç ", "  Cihazdan [F3] EVET "});
    }
    if (!ok) {
        tell(ctx, stoppedText());
        file.discard();
        return TransferOutcome::Cancelled;
    }

    const bool acknowledge = ctx.settings.protocol == "ACK / NAK";
    bool lost = !send(ctx, std::string{ENQ, CR, LF});
    bool more = true;
    ctx.fields.AKTARMA_DEVAM = true;
    RecordCutter cutter(file, ctx.log);
    std::string buffer;
    while (ctx.fields.AKTARMA_DEVAM && more && !lost) {
        const std::string chunk = waitAndRead(ctx, lost);
        if (chunk.empty()) continue;
        buffer += chunk;
        if (chunk.find(EOT) != std::string::npos) more = false;
        if (buffer.find(CR) == std::string::npos) continue;
        // Every complete block goes out at once: the "ONE WAY" stream may bring
        // several in one read, and the EOT may come with the last of them.
        std::size_t taken = 0;
        while (buffer.size() - taken >= kBlockLength) {
            cutter.takeBlock(std::string_view(buffer).substr(taken, kBlockLength));
            taken += kBlockLength;
        }
        buffer.erase(0, taken);
        file.flush();
        // One acknowledgement per pass that brought characters while a block
        // end (CR) was in the buffer: the instrument sends on when it sees it.
        if (acknowledge && !send(ctx, std::string{ACK, CR, LF})) lost = true;
    }
    cutter.finish();
    if (lost) {
        reportLostPort(ctx);
        file.finish();
        return TransferOutcome::Failed;
    }
    const bool finished = ctx.fields.AKTARMA_DEVAM;
    if (finished && file.received()) tell(ctx, finishedFramedText());
    if (!file.finish()) return TransferOutcome::Failed;
    if (!file.received()) return TransferOutcome::NothingArrived;
    return finished ? TransferOutcome::Finished : TransferOutcome::Stopped;
}

}  // namespace velkar::link
