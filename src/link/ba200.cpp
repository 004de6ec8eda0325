// Upload to the GTS-210/220 family.
//
// The points of a coordinate file go into the instrument's coordinate memory
// as 51-character point records ("+", name in 10, X, Y and Z parts of 13,
// "_").  On the line: a request frame (the instrument answers NAK when it is
// ready), a header frame with the number of records, the records as one
// stream "_" + records cut into data frames of 128 characters, each with a
// block digit and the three check digits of BCC_HESAP, and an end frame.
// With "ACK / NAK" the instrument acknowledges every data frame with ACK.
#include "link/ba200.h"

#include <cstdio>
#include <string>

#include "link/transfer_common.h"
#include "platform/cp1254.h"
#include "platform/program_folder.h"

namespace velkar::link {
namespace {

constexpr std::size_t kFrameData = 128;
constexpr std::int64_t kTickMs = 100;         // one tick of the acknowledgement wait
constexpr std::int64_t kAckLimitTicks = 100;  // 10 s per data frame
constexpr std::int64_t kRequestSpacingMs = 1000;
constexpr int kRequestRepeats = 5;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// -?digits[.digits] or -?.digits
bool isNumberText(std::string_view t) {
    if (!t.empty() && t.front() == '-') t.remove_prefix(1);
    const auto dot = t.find('.');
    const std::string_view whole = t.substr(0, dot);
    const std::string_view frac =
        dot == std::string_view::npos ? std::string_view{} : t.substr(dot + 1);
    for (char c : whole) {
        if (!isDigit(c)) return false;
    }
    for (char c : frac) {
        if (!isDigit(c)) return false;
    }
    if (dot == std::string_view::npos) return !whole.empty();
    return !frac.empty();
}

}  // namespace

std::optional<std::string> coordinateField(char axis, const std::string& text,
                                           std::string& reason) {
    if (!isNumberText(text)) {
        reason = cp1254("koordinat sayı değil: ") + text;
        return std::nullopt;
    }
    const bool negative = text.front() == '-';
    const std::string body = negative ? text.substr(1) : text;
    const auto dot = body.find('.');
    std::string whole = body.substr(0, dot);
    std::string decimals = dot == std::string::npos ? std::string{} : body.substr(dot + 1);
    decimals = (decimals + "000").substr(0, 3);
    const std::size_t room = negative ? 6 : 7;
    if (whole.size() > room) {
        reason = cp1254("koordinat kayda sığmıyor: ") + text;
        return std::nullopt;
    }
    std::string part = "_ ";
    part += axis;
    if (negative) {
        part += '-';
    } else if (whole.size() < 7) {
        part += '+';
    }
    if (whole.size() < 6) whole.insert(0, 6 - whole.size(), '0');
    return part + whole + decimals;
}

std::optional<std::string> pointRecord(const TransferFields& f, int fieldCount,
                                       std::string& reason) {
    if (fieldCount < 4) {
        reason = cp1254("alan sayısı 4'ten az");
        return std::nullopt;
    }
    const std::string& name = f.SATIR_ALANLARI[0];
    if (name.size() > 10) {
        reason = cp1254("nokta adı 10 karakterden uzun");
        return std::nullopt;
    }
    std::string record = "+" + name + std::string(10 - name.size(), ' ');
    const std::pair<char, int> parts[] = {{'x', 2}, {'y', 1}, {'z', 3}};
    for (const auto& [axis, index] : parts) {
        const auto part =
            coordinateField(axis, f.SATIR_ALANLARI[static_cast<std::size_t>(index)], reason);
        if (!part) return std::nullopt;
        record += *part;
    }
    return record + "_";
}

bool buildPointRecords(const std::filesystem::path& source, TransferFields& f,
                       std::vector<std::string>& records, std::string& refusal) {
    records.clear();
    TextReader in;
    if (!in.open(source)) {
        refusal = pathText(source) + cp1254(" dosyası açılamadı: ") + in.error();
        return false;
    }
    std::string line;
    int number = 0;
    while (in.readLine(line)) {
        ++number;
        if (line.find_first_not_of(" \t") == std::string::npos) continue;  // empty line
        f.SATIR = line;
        const int count = SATIR_AYIR(f);
        std::string reason;
        const auto record = pointRecord(f, count, reason);
        if (!record) {
            refusal = std::to_string(number) + cp1254(". satır gönderilemez: ") + reason;
            return false;
        }
        records.push_back(*record);
    }
    return true;
}

std::string requestFrame() {
    return std::string{STX} + "F00F000" + ETX + CR + LF;
}

std::string headerBody(std::size_t recordCount) {
    char count[32];
    std::snprintf(count, sizeof count, "%04zu", recordCount);
    return std::string("VELKAR    +00001.000000100000-00") + count + "S";
}

std::string checkedFrame(TransferFields& f, const std::string& body) {
    f.BLOK = body;
    BCC_HESAP(f);
    f.BLOK = STX + body + f.BCC + ETX + CR + LF;
    return f.BLOK;
}

std::string endFrame() {
    return std::string{STX, EOT, ETX, CR, LF};
}

namespace {

using namespace detail;

struct Upload {
    TransferContext& ctx;
    bool lost = false;
    bool failure = false;  // a data frame was never acknowledged

    void write(const std::string& bytes) {
        if (!lost && !send(ctx, bytes)) lost = true;
    }

    // With "ACK / NAK" the request frame is repeated, 1 s apart, at most five
    // more times until the instrument answers NAK (ready to receive).  Then the upload goes on
    // regardless, as the instrument may simply not answer requests.
    void request(bool acknowledged) {
        write(requestFrame());
        if (!acknowledged) return;
        for (int repeat = 0; !lost && ctx.fields.AKTARMA_DEVAM; ++repeat) {
            const std::int64_t start = ctx.clock.milliseconds();
            while (!lost && ctx.fields.AKTARMA_DEVAM &&
                   ctx.clock.milliseconds() - start < kRequestSpacingMs) {
                if (waitAndRead(ctx, lost).find(NAK) != std::string::npos) return;
            }
            if (repeat == kRequestRepeats) return;
            write(requestFrame());
        }
    }

    // Waits for ACK after a data frame: ticks of 100 ms, at most 100 of them.
    // The frame is sent again in the first pass and then whenever the tick
    // count plus a countdown (100, 90, 80, ...) reaches the limit, i.e. once a
    // second.  No ACK within the limit ends the upload.
    void awaitAck(const std::string& frame) {
        const std::int64_t start = ctx.clock.milliseconds();
        std::int64_t countdown = kAckLimitTicks;
        std::int64_t tick = 0;
        bool acknowledged = false;
        while (!acknowledged && tick < kAckLimitTicks && ctx.fields.AKTARMA_DEVAM && !lost) {
            if (waitAndRead(ctx, lost).find(ACK) != std::string::npos) acknowledged = true;
            tick = (ctx.clock.milliseconds() - start) / kTickMs;
            if (tick < kAckLimitTicks && tick + countdown >= kAckLimitTicks) {
                write(frame);
                countdown -= 10;
            }
        }
        if (!acknowledged && tick >= kAckLimitTicks) {
            ctx.fields.AKTARMA_DEVAM = false;
            failure = true;
        }
    }

    static std::string blockDigit(int counter) {
        return std::string(1, static_cast<char>('0' + counter % 10));
    }

    void run(TextReader& work, bool acknowledged) {
        TransferFields& f = ctx.fields;
        request(acknowledged);
        write(checkedFrame(f, headerBody(recordCount)));
        std::string data = "_";
        int counter = 0;
        std::string item;
        while (!work.atEnd() && f.AKTARMA_DEVAM && !lost) {
            while (data.size() <= kFrameData && !work.atEnd()) {
                ctx.pump.processPending();
                if (!work.readLine(item)) break;
                ctx.log.setText(item);
                data += item;
            }
            if (data.size() < kFrameData) break;
            const std::string frame =
                checkedFrame(f, data.substr(0, kFrameData) + blockDigit(counter));
            data.erase(0, kFrameData);
            write(frame);
            if (acknowledged) {
                write(frame);
                awaitAck(frame);
            }
            ++counter;
        }
        // The final frame goes out also after a stop, with what is left.
        if (data.size() < kFrameData) data.append(kFrameData - data.size(), ' ');
        write(checkedFrame(f, data + blockDigit(counter)));
        write(endFrame());
    }

    std::size_t recordCount = 0;
};

}  // namespace

TransferOutcome BA200(TransferContext& ctx) {
    if (ctx.file.empty()) return TransferOutcome::NotStarted;
    std::vector<std::string> records;
    std::string refusal;
    if (!buildPointRecords(ctx.file, ctx.fields, records, refusal)) {
        ctx.dialogs.error(refusal);
        return TransferOutcome::Failed;
    }
    const std::filesystem::path workFile = ctx.workFolder / kUploadWorkFileName;
    {
        TextWriter work;
        if (work.create(workFile)) {
            for (const std::string& r : records) work.writeLine(r);
        }
        if (!work.close()) {
            ctx.dialogs.error(pathText(workFile) + cp1254(" dosyası oluşturulamadı: ") +
                              work.error());
            return TransferOutcome::Failed;
        }
    }
    std::error_code ignored;
    auto removeWorkFile = [&] { std::filesystem::remove(workFile, ignored); };
    if (!openPortAndShow(ctx)) {
        removeWorkFile();
        return TransferOutcome::Failed;
    }
    bool ok;
    if (isInstrument(ctx, catalogue::InstrumentId::Gts6)) {
        ok = showInstructions(
            ctx, {"   [ MENU   ]", "   2 KERE [F4 ]   ", "  [ F1 : COMPUTER COM ]",
                  "   [ F1 : LOAD DATA  ]", "   [ F4 :   START ] ", " Bilgisayardan Tamamı Seç"});
    } else {
        ok = showInstructions(ctx, {"   [MENU ]", "  [ F3 : HAFIZA KONTROL ]", "   2 KERE [F4 ]   ",
                                    "   [F1 : DATA AKTARMA ]", "   [F2 : DATA YUKLE ]",
                                    "   [F1 : KOORD DATA ]", "  Dosya Adı Giriniz.. ",
                                    "   [F4]  KABUL ", " [F3] ", " Bilgisayardan Tamamı Seç"});
    }
    Upload upload{ctx};
    upload.recordCount = records.size();
    if (ok) {
        ctx.pump.processPending();
        TextReader work(workFile);
        // The flag is set before the request, so that the stop button also
        // ends the wait for the instrument's answer.
        ctx.fields.AKTARMA_DEVAM = true;
        upload.run(work, ctx.settings.protocol == "ACK / NAK");
    }
    // The end frame once more (after a Cancel, the only frame sent).
    upload.write(endFrame());
    removeWorkFile();
    if (upload.lost) {
        reportLostPort(ctx);
        return TransferOutcome::Failed;
    }
    const bool finished = ctx.fields.AKTARMA_DEVAM && ok;
    if (finished) tell(ctx, finishedText());
    if (upload.failure) {
        tell(ctx, noDeviceText());
        ctx.fields.AKTARMA_DEVAM = true;
    }
    if (!ctx.fields.AKTARMA_DEVAM) tell(ctx, stoppedText());
    if (!ok) return TransferOutcome::Cancelled;
    if (upload.failure) return TransferOutcome::Failed;
    return finished ? TransferOutcome::Finished : TransferOutcome::Stopped;
}

}  // namespace velkar::link
