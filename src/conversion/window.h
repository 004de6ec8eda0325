// What the routines of the conversion window share: its file dialog, the
// result table, the result work file, the save step and the window-level
// fields that live as long as the window.  The window (or the command line)
// owns one ConversionWindow and hands it to every routine it runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/cp1254.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/questions.h"
#include "platform/result_table.h"
#include "platform/textfile.h"

namespace velkar::conversion {

// How the core tells the window about changes it shows (all optional).
class WindowHooks {
  public:
    virtual ~WindowHooks() = default;
    virtual void statusTextChanged(const std::string& /*text*/) {}
    virtual void saveButtonEnabled(bool /*enabled*/) {}
    virtual void intermediateButtonVisible(bool /*visible*/) {}
    // A long run reports how far it got (bytes of the input read / all).
    virtual void progress(std::uint64_t /*done*/, std::uint64_t /*total*/) {}
};

// The window's common file dialog.  Its title, filter, flags and file name
// stay from one use to the next: the save step offers the name last used.
struct FileChooser {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    int flags = 0;
    std::filesystem::path fileName;
    // Shows the dialog; fileName is the chosen path afterwards (empty after a cancel).
    void show(Dialogs& dialogs, FileDialogMode mode);
};

// What the user asked the action button for: the instrument and the output as
// catalogue rows (nullptr when the text chosen or typed names none), the mode,
// and the raw file when it is already known.
struct RunRequest {
    const catalogue::Instrument* instrument = nullptr;
    const catalogue::Output* output = nullptr;
    catalogue::Mode mode = catalogue::Mode::Convert;
    std::string instrumentText;  // as chosen or typed (Windows-1254), for the messages
    std::string outputText;
    // The raw file of the run when the front end already has it (velkar-cli, a
    // file dropped onto the window): the first file question of the run takes
    // it instead of showing the file box.  Empty: ask.
    std::filesystem::path inputFile;
};

struct ConversionWindow {
    ConversionWindow(Dialogs& d, EventPump& p, ResultTable& t, std::filesystem::path folder,
                     WindowHooks* h = nullptr)
        : dialogs(d), pump(p), table(t), workFolder(std::move(folder)), hooks(h) {}

    Dialogs& dialogs;
    EventPump& pump;
    ResultTable& table;
    std::filesystem::path workFolder;  // the program folder (a private one for the CLI)
    WindowHooks* hooks;
    // Where a file that belongs beside the input goes when the input's folder
    // cannot be written (a CD, a write-protected stick): the levelling error
    // file.  Empty: the work folder.
    std::filesystem::path spareFolder;

    FileChooser dialog;
    RunRequest request;      // Combo1, Combo2 and the mode of Command1
    std::string CIHAZ_TIPI;  // "200" or "700"; kept when the choice is neither
    int SATIR_NO = 0;
    bool DOSYA_SECILDI = false;
    int DONUS_DOSYASI = 0;
    bool saveEnabled = false;
    std::string statusText;
    // false: HUCREYAZ counts rows without keeping them (the command line, whose
    // result is only the file, converts any size of input in constant memory).
    bool keepRows = true;
    // Files the current run read: a save never replaces one of them.
    std::vector<std::filesystem::path> inputsRead;

    // The questions of a run go here: the window's boxes unless a front end
    // answers them itself (velkar-cli from its options).
    Questions& questions() { return questions_ ? *questions_ : dialogQuestions_; }
    void setQuestions(Questions* q) { questions_ = q; }

    // The choices by their list texts (the window's lists, velkar-cli's names).
    void setInstrument(std::string_view text);
    void setOutput(std::string_view text);
    void setMode(catalogue::Mode mode) { request.mode = mode; }

    std::filesystem::path resultWorkFile() const;  // VELKAR$$.KB$ in the work folder
    void setSaveEnabled(bool enabled);
    void setStatusText(const std::string& text);
    void setIntermediateButtonVisible(bool visible);
    void noteInput(const std::filesystem::path& file);
    void progress(std::uint64_t done, std::uint64_t total);

  private:
    DialogQuestions dialogQuestions_{dialogs};
    Questions* questions_ = nullptr;
};

// Lets the user pick the raw input file (title set by the caller beforehand),
// or takes the file dropped on the window: sets DOSYA_SECILDI and shows the
// last 50 characters of the path in the status bar.
void dosya_ac(ConversionWindow& w);

// Appends one row to the result table (the ninth value is accepted, not shown).
void HUCREYAZ(ConversionWindow& w, const std::string& h1, const std::string& h2 = {},
              const std::string& h3 = {}, const std::string& h4 = {}, const std::string& h5 = {},
              const std::string& h6 = {}, const std::string& h7 = {}, const std::string& h8 = {},
              const std::string& h9 = {});

// Creates the result work file for a run and enables the save button.  When it
// cannot be created: a "Hata Mesajı" box with the path and the reason, the save
// button stays disabled, and false (the run must end without its completion message).
[[nodiscard]] bool openResultWorkFile(ConversionWindow& w, TextWriter& out);

// "PATH okunamadı: REASON" and "PATH yazılamadı: REASON" in a "Hata Mesajı"
// box; both return false, so that a caller can end with them.
bool reportUnreadable(ConversionWindow& w, const std::filesystem::path& file,
                      const std::string& reason);
bool reportUnwritable(ConversionWindow& w, const std::filesystem::path& file,
                      const std::string& reason);

// An input line over the reader's limit ends the run: "PATH: N. satır çok
// uzun; ..." in a "Hata Mesajı" box, the save button disabled; returns false.
bool reportTooLong(ConversionWindow& w, const TextReader& in);

// "Bu dosyada seçilen çıktı için kayıt bulunamadı: hiçbir satır yazılmadı."
// in a "Uyarı" box: a run that found nothing to write.
void warnEmptyResult(ConversionWindow& w);

// Opens the file chosen through the dialog (w.dialog.fileName) and notes it as
// read by the run; a file that cannot be read is reported and false.
[[nodiscard]] bool openChosenInput(ConversionWindow& w, TextReader& in);

// Closes the result work file at the end of a run; a write that failed is
// reported, the save button disabled, and false (no completion message then).
[[nodiscard]] bool closeResultWorkFile(ConversionWindow& w, TextWriter& out);

// The save button (Command2): asks for a name, derives the extension from the
// output and moves the result work file there; the status bar then names the
// saved file with its full path.  Returns the saved path (empty when nothing
// was saved).
std::filesystem::path kayitEt(ConversionWindow& w);

// The name a result is saved under: the chosen path with its extension (the
// part after the last "." of the file name) replaced by the output's one:
// "." + the first three characters of the output text; ".KSE" for the cross
// sections; the coordinate lists (XYZ, YXZ) keep the user's own (the first
// three characters after the dot), or, when the name has none, take the one of
// the chosen filter pair (1: .ncn for YXZ / .pol for XYZ, 2: .xyz).
std::filesystem::path savedFileName(const std::filesystem::path& chosen,
                                    const catalogue::Output& output, int filterIndex);

}  // namespace velkar::conversion
