// The transfers between the PC and the instruments, and what they need from
// the front end that runs them.
//
// Every transfer has one shape: the file the user chose in the launcher's
// file box, the port opened with the stored settings (portac) and shown to the
// user (portdurum), an instruction box with the keys to press on the
// instrument, a loop that waits for the port, and an end message.
//
// Waiting: every pass of a loop calls EventPump::waitForActivity(), which
// returns when port data or a window event arrives, or after a few tens of
// milliseconds.  The front end must therefore wake the pump when the port has
// data (QtSerialPort::activity -> QtEventPump::wake) and should wake it when
// the stop button is pressed; the loops then see a cleared AKTARMA_DEVAM at
// once.  A transfer never re-enters itself: while one runs, the front end keeps
// the commands that would start another disabled.
#pragma once

#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "link/port.h"
#include "link/transfer_fields.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/serial_port.h"

namespace velkar::link {

// The transfer log: one line, the record or line just written or sent.
class TransferLog {
  public:
    virtual ~TransferLog() = default;
    virtual void setText(const std::string& text) = 0;  // Windows-1254
};

class NullTransferLog : public TransferLog {
  public:
    void setText(const std::string&) override {}
};

struct TransferContext {
    SerialPort& port;
    Dialogs& dialogs;
    EventPump& pump;
    Clock& clock;
    TransferLog& log;
    TransferFields& fields;  // AKTARMA_DEVAM is the stop flag
    std::string portText;    // the port choice: "COM 2", "/dev/pts/4"
    link::PortSettingsTexts settings;
    std::string instrument;            // the instrument choice text
    std::filesystem::path file;        // the file chosen; empty: the box was cancelled
    std::filesystem::path workFolder;  // where the upload keeps its work file
};

enum class [[nodiscard]] TransferOutcome{
    NotStarted,      // no file chosen, or no transfer for this instrument
    Cancelled,       // Cancel in the instruction box
    Finished,        // the end marker arrived / everything was sent
    Stopped,         // the stop button
    NothingArrived,  // a download ended or was stopped before anything arrived:
                     // the chosen file was left as it was
    Failed,          // a file or the port could not be used, the port was lost,
                     // the instrument did not acknowledge, an upload line was refused
};

// The downloads: GTS-210/220 family, GTS-600/700, DL-100, USIKATA logger.
TransferOutcome AB200(TransferContext& ctx);
TransferOutcome AB700(TransferContext& ctx);
TransferOutcome DL100AB(TransferContext& ctx);
TransferOutcome USIKATA(TransferContext& ctx);
// The uploads: GTS-210/220 family, GTS-600/700.
TransferOutcome BA200(TransferContext& ctx);
TransferOutcome BA700(TransferContext& ctx);

// The launchers' dispatch: the transfer of the instrument text, or NotStarted
// when the text names none (the uploads exist only for the GTS families).
// Sets ctx.instrument to the text.
TransferOutcome runDownload(const std::string& instrumentText, TransferContext& ctx);
TransferOutcome runUpload(const std::string& instrumentText, TransferContext& ctx);

// The launchers' file boxes: a save box that asks before overwriting (the
// download file), an open box for an existing file (the upload file).
FileDialogRequest downloadFileRequest(const std::filesystem::path& initialFolder);
FileDialogRequest uploadFileRequest(const std::filesystem::path& initialFolder);

// By the instrument texts of the main window's list (the catalogue's rows).
bool isGts200Family(const std::string& instrumentText);
bool hasDownload(const std::string& instrumentText);
bool hasUpload(const std::string& instrumentText);

// Whether the transfer runs for that instrument (some keys to press differ).
bool isInstrument(const TransferContext& ctx, catalogue::InstrumentId id);

// The stop button: clears the continue flag, nothing else (the caller also
// wakes the pump so that a waiting loop sees it at once).
inline void stopTransfer(TransferFields& f) {
    f.AKTARMA_DEVAM = false;
}

}  // namespace velkar::link
