// Pieces the transfer routines share (not for the front ends).
#pragma once

#include <initializer_list>
#include <string>

#include "link/transfer.h"
#include "platform/textfile.h"

namespace velkar::link::detail {

// How long one pass waits for the port before it looks at the flags again.
inline constexpr int kWaitMs = 50;

// The end messages.
std::string finishedText();        // "Aktarma Islemi Bitti"
std::string finishedFramedText();  // the same with five blanks on each side
std::string stoppedText();         // "Aktarma İşlemi Durduruldu"
std::string stoppedSmallText();    // "Aktarma işlemi durduruldu"
std::string noDeviceText();        // "Cihaz Bağlantısı Yok veya Cihaz Hazır değil"

// The instruction box: title " ASAGIDAKI SENECEKLERI SECINIZ.!!!", every
// line (UTF-8) preceded by CR, then an empty line and "   Seceneklerini seciniz.".
// True for OK.
bool showInstructions(TransferContext& ctx, std::initializer_list<const char*> utf8Lines);
std::string instructionText(std::initializer_list<const char*> utf8Lines);
std::string instructionTitle();

// A plain message with only OK and the default title.
void tell(TransferContext& ctx, const std::string& text);

// portac, then (when the port opened) portdurum.
bool openPortAndShow(TransferContext& ctx);
std::string deviceName(const TransferContext& ctx);

// The port went away under the transfer: a box naming the port.
void reportLostPort(TransferContext& ctx);

// The level and the free-text logger send under hardware handshaking; when
// their download ends, whichever way, the port is left with XON/XOFF.
class HandshakeSession {
  public:
    explicit HandshakeSession(TransferContext& ctx) : ctx_(ctx) {
        ctx_.port.setFlowControl(FlowControl::RtsCts);
    }
    ~HandshakeSession() { ctx_.port.setFlowControl(FlowControl::XonXoff); }
    HandshakeSession(const HandshakeSession&) = delete;
    HandshakeSession& operator=(const HandshakeSession&) = delete;

  private:
    TransferContext& ctx_;
};

// The download file.  A download writes into a temporary file beside the
// chosen one; the chosen file is replaced only when something arrived (also
// after a stop or a lost port: what arrived is kept).  A download that
// receives nothing (the wrong port, an instrument that never sends) leaves an
// earlier file of that name as it was.
class DownloadFile {
  public:
    explicit DownloadFile(TransferContext& ctx) : ctx_(ctx) {}
    ~DownloadFile() { discard(); }
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    // Creates the temporary file; on failure a box names the file and the reason.
    bool create();
    // Text that arrived: a line (CR LF added) or bytes as they stand.
    void writeLine(std::string_view line);
    void write(std::string_view bytes);
    // The text still collected when the download ends, written as the last
    // line also when empty; it counts as arrived only when it holds something.
    void writeRemainder(std::string_view text);
    void flush() { out_.flush(); }
    bool received() const { return received_; }

    // Closes the temporary file.  When something arrived it takes the chosen
    // file's place; otherwise it is removed and a box says that the chosen file
    // was left as it was.  False when the file could not be written or put in
    // place (a box has said why; the chosen file is then as it was).
    bool finish();
    // Closes and removes the temporary file (the instruction box was cancelled,
    // the port did not open).
    void discard();

  private:
    TransferContext& ctx_;
    TextWriter out_;
    std::filesystem::path temp_;
    bool received_ = false;
};

// The common start of a download: the temporary file created, the port opened
// and its settings shown.  false (a box has told why, no file is left) when
// either fails.
bool startDownload(TransferContext& ctx, DownloadFile& file);

// Lets the front end run until port data arrives (or a short time passes),
// then reads everything received.  Sets lost when the port went away.
std::string waitAndRead(TransferContext& ctx, bool& lost);
// Writes; false (and the port counts as lost) when the port is gone.
bool send(TransferContext& ctx, std::string_view bytes);

}  // namespace velkar::link::detail
