// Upload to the GTS-600/700 family.
//
// The file is read item by item, as a comma-separated list (an item ends at
// a comma or the line end, leading blanks skipped, a quoted item taken
// without its quotes), and each item goes to the instrument as a line of its
// own ended by LF CR.  STX EOT ETX closes the upload.  The instrument sends
// nothing back.
#include <string>
#include <vector>

#include "link/ba700.h"
#include "link/transfer_common.h"
#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/program_folder.h"

namespace velkar::link {

std::vector<std::string> listItems(std::string_view line) {
    std::vector<std::string> items;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && line[i] == ' ') ++i;
        std::string item;
        if (i < line.size() && line[i] == '"') {
            const auto close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                item = line.substr(i + 1);
                i = line.size();
            } else {
                item = line.substr(i + 1, close - i - 1);
                i = close + 1;
            }
            // What follows the closing quote up to the next comma is not part of it.
            const auto comma = line.find(',', i);
            i = comma == std::string_view::npos ? line.size() : comma;
        } else {
            const auto comma = line.find(',', i);
            const auto end = comma == std::string_view::npos ? line.size() : comma;
            item = line.substr(i, end - i);
            i = end;
        }
        items.push_back(std::move(item));
        if (i >= line.size()) break;
        ++i;  // past the comma; a comma at the line end leaves one empty item
    }
    return items;
}

namespace {

bool isBlankOnly(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A line of blank- or tab-separated values reads as one item with blanks inside.
bool separatedByBlanks(std::string_view line, const std::vector<std::string>& items) {
    if (items.size() != 1 || line.find('"') != std::string_view::npos) return false;
    const std::string text = trimBlanks(line);
    return text.find_first_of(" \t") != std::string::npos;
}

}  // namespace

std::string uploadRefusal(const std::vector<std::string>& lines) {
    std::size_t expected = 0;
    std::size_t expectedLine = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (isBlankOnly(lines[n])) continue;  // goes out as one empty item
        const std::vector<std::string> items = listItems(lines[n]);
        std::string reason;
        if (separatedByBlanks(lines[n], items)) {
            reason = cp1254("alanlar virgülle ayrılmamış");
        } else if (expected == 0) {
            expected = items.size();
            expectedLine = n + 1;
        } else if (items.size() != expected) {
            reason = cp1254("alan sayısı ") + std::to_string(items.size()) + ", " +
                     std::to_string(expectedLine) + cp1254(". satırda ") + std::to_string(expected);
        }
        if (!reason.empty()) {
            return std::to_string(n + 1) + cp1254(". satır gönderilemez: ") + reason;
        }
    }
    return {};
}

TransferOutcome BA700(TransferContext& ctx) {
    using namespace detail;
    ctx.fields.AKTARMA_DEVAM = false;
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    TextReader in;
    if (!in.open(ctx.file)) {
        ctx.dialogs.error(pathText(ctx.file) + cp1254(" dosyası açılamadı: ") + in.error());
        return TransferOutcome::Failed;
    }
    // The whole file is read and checked before the port is touched: a line
    // that would shift every later item is refused and nothing is sent.
    std::vector<std::string> lines;
    for (std::string line; in.readLine(line);) lines.push_back(std::move(line));
    in.close();
    if (const std::string refusal = uploadRefusal(lines); !refusal.empty()) {
        ctx.dialogs.error(refusal);
        return TransferOutcome::Failed;
    }
    if (!openPortAndShow(ctx)) return TransferOutcome::Failed;
    bool lost = false;
    bool ok = showInstructions(
        ctx, {"   [AKTAR ]", "   [ AL  ]", "   [ Dosya Türü ]", "   [BILGISAYAR]"});
    if (ok) {
        ctx.fields.AKTARMA_DEVAM = true;
        for (std::size_t n = 0; n < lines.size() && ctx.fields.AKTARMA_DEVAM && !lost; ++n) {
            for (const std::string& item : listItems(lines[n])) {
                if (!ctx.fields.AKTARMA_DEVAM) break;
                ctx.pump.processPending();
                if (!send(ctx, item + LF + CR)) {
                    lost = true;
                    break;
                }
                ctx.fields.SATIR = item;
                ctx.log.setText(item);
            }
        }
        if (!lost && !send(ctx, std::string{STX, EOT, ETX})) lost = true;
    }
    if (lost) {
        reportLostPort(ctx);
        return TransferOutcome::Failed;
    }
    ctx.port.close();
    const bool finished = ctx.fields.AKTARMA_DEVAM;
    tell(ctx, finished ? finishedText() : stoppedText());
    if (!ok) return TransferOutcome::Cancelled;
    return finished ? TransferOutcome::Finished : TransferOutcome::Stopped;
}

}  // namespace velkar::link
