// velkar-cli download / upload: the transfers of the main window's launchers,
// with the port box and the port settings given as options.  Ctrl-C is the
// stop button.
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "catalogue/catalogue.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "cli/private_folder.h"
#include "link/transfer.h"
#include "platform/console/console_dialogs.h"
#include "platform/console/process_guard.h"
#include "platform/cp1254.h"

namespace velkar::cli {
namespace {

// The pump of the front end; a Ctrl-C seen at any wait clears the continue
// flag, also when it came before the transfer loop set it.
class InterruptiblePump : public EventPump {
  public:
    InterruptiblePump(EventPump* inner, link::TransferFields& f) : inner_(inner), fields_(f) {}
    void processPending() override {
        if (inner_) inner_->processPending();
        check();
    }
    void waitForActivity(int timeoutMs) override {
        if (inner_) {
            inner_->waitForActivity(timeoutMs);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        check();
    }

  private:
    void check() {
        if (StopButton::pressed()) link::stopTransfer(fields_);
    }
    EventPump* inner_;
    link::TransferFields& fields_;
};

class PrintedLog : public link::TransferLog {
  public:
    PrintedLog(std::FILE* out, bool verbose) : out_(out), verbose_(verbose) {}
    void setText(const std::string& text) override {
        if (!verbose_) return;
        std::fprintf(out_, "%s\n", toUtf8(text).c_str());
        std::fflush(out_);
    }

  private:
    std::FILE* out_;
    bool verbose_;
};

void usage(std::FILE* f, bool upload) {
    const char* cmd = upload ? "upload" : "download";
    std::fprintf(f, "usage: velkar-cli %s --instrument NAME --port DEVICE [port options] %s\n\n",
                 cmd, upload ? "INFILE" : "OUTFILE");
    if (upload) {
        std::fprintf(
            f,
            "Sends INFILE to the instrument, as the main window's computer-to-instrument\n"
            "launcher does: a coordinate list (name, Y, X, Z per line) to the GTS-210/220\n"
            "family, any comma-separated text to the GTS-600/700.\n");
    } else {
        std::fprintf(f,
                     "Receives the instrument's data into OUTFILE (created anew), as the main\n"
                     "window's instrument-to-computer launcher does.\n");
    }
    std::fprintf(f, "\n  --instrument NAME  one of:");
    for (const catalogue::Instrument* i : catalogue::transferInstruments()) {
        if (!upload || i->upload) std::fprintf(f, " \"%s\"", i->text);
    }
    std::fprintf(
        f,
        "\n  --port DEVICE      the serial port: COM 2, /dev/ttyUSB0, a velkar-sim device\n"
        "  --protocol P       \"ACK / NAK\" (default) or \"ONE WAY\"\n"
        "  --baud N           default 9600\n"
        "  --parity P         NONE (default), ODD or EVEN\n"
        "  --data N           7 or 8 (default)\n"
        "  --stop N           1 (default) or 2\n"
        "                     (\"DL-100\" defaults to ACK / NAK, 9600, EVEN, 7, 1)\n"
        "  --ask              ask at the terminal before the instruction box is accepted\n"
        "  -v                 print each line the transfer log shows\n\n"
        "Ctrl-C is the stop button.  Exit status 0 when the transfer ran to its end\n"
        "(for USIKATA, whose only end is the stop, also after Ctrl-C), 1 when it could\n"
        "not run, was cancelled, stopped or failed, 2 for bad usage.\n");
}

int transfer(bool upload, const std::vector<std::string>& argv, Context& ctx) {
    const char* cmd = upload ? "upload" : "download";
    Args args;
    std::string error;
    const std::vector<OptionSpec> specs = {
        {"--instrument"}, {"--port"}, {"--protocol"},   {"--baud"},    {"--parity"},
        {"--data"},       {"--stop"}, {"--ask", false}, {"-v", false}, {"--help", false}};
    auto bad = [&](const std::string& why) {
        std::fprintf(ctx.err, "velkar-cli %s: %s\n", cmd, why.c_str());
        std::fprintf(ctx.err,
                     "usage: velkar-cli %s --instrument NAME --port DEVICE [port options] %s\n",
                     cmd, upload ? "INFILE" : "OUTFILE");
        return kExitUsage;
    };
    if (!args.parse(argv, specs, error)) return bad(error);
    if (args.has("--help")) {
        usage(ctx.out, upload);
        return kExitOk;
    }
    const std::string instrument = args.value("--instrument").value_or("");
    if (instrument.empty()) return bad("--instrument is required");
    if (!link::hasDownload(instrument) || (upload && !link::hasUpload(instrument))) {
        std::string names;
        for (const catalogue::Instrument* i : catalogue::transferInstruments()) {
            if (!upload || i->upload) names += std::string(" \"") + i->text + "\"";
        }
        return bad("no " + std::string(cmd) + " for the instrument \"" + instrument +
                   "\"; the instruments are:" + names);
    }
    const auto port = args.value("--port");
    if (!port || port->empty()) return bad("--port is required");
    if (args.positional().size() != 1)
        return bad(upload ? "one INFILE is required" : "one OUTFILE is required");

    const catalogue::Instrument* row = catalogue::findInstrument(instrument);
    link::PortSettingsTexts settings =
        row && row->preset ? link::presetTexts(*row->preset) : link::PortSettingsTexts{};
    struct Choice {
        const char* option;
        std::string* text;
        std::vector<std::string> allowed;  // empty: digits
    };
    const Choice choices[] = {{"--protocol", &settings.protocol, {"ACK / NAK", "ONE WAY"}},
                              {"--baud", &settings.baud, {}},
                              {"--parity", &settings.parity, {"NONE", "ODD", "EVEN"}},
                              {"--data", &settings.dataBits, {"7", "8"}},
                              {"--stop", &settings.stopBits, {"1", "2"}}};
    for (const Choice& c : choices) {
        const auto v = args.value(c.option);
        if (!v) continue;
        bool ok = !v->empty();
        if (c.allowed.empty()) {
            for (char ch : *v) ok = ok && ch >= '0' && ch <= '9';
        } else {
            ok = std::find(c.allowed.begin(), c.allowed.end(), *v) != c.allowed.end();
        }
        if (!ok) return bad("bad value for " + std::string(c.option) + ": " + *v);
        *c.text = *v;
    }
    if (!ctx.port) return kExitFailed;

    // The upload's work file lives in a private folder, so runs never meet.
    const PrivateFolder folder;
    if (folder.path().empty()) {
        std::fprintf(ctx.err, "velkar-cli %s: cannot create a temporary folder\n", cmd);
        return kExitFailed;
    }
    const std::filesystem::path& workFolder = folder.path();

    ConsoleDialogs dialogs(ctx.err);
    dialogs.setAskAtTerminal(args.has("--ask"));
    link::TransferFields fields;
    InterruptiblePump pump(ctx.pump, fields);
    SteadyClock clock;
    PrintedLog log(ctx.out, args.has("-v"));
    link::TransferContext tc{
        *ctx.port, dialogs,       pump,     clock,      log,
        fields,    cp1254(*port), settings, instrument, std::filesystem::path(args.positional()[0]),
        workFolder};

    link::TransferOutcome outcome;
    {
        const StopButton stopButton;
        outcome = upload ? link::runUpload(instrument, tc) : link::runDownload(instrument, tc);
    }
    if (ctx.port->isOpen()) ctx.port->close();

    switch (outcome) {
        case link::TransferOutcome::Finished:
            return kExitOk;
        case link::TransferOutcome::Stopped:
            return row && row->family == catalogue::Family::Text ? kExitOk : kExitFailed;
        default:
            return kExitFailed;
    }
}

}  // namespace

int cmdDownload(const std::vector<std::string>& argv, Context& ctx) {
    return transfer(false, argv, ctx);
}
int cmdUpload(const std::vector<std::string>& argv, Context& ctx) {
    return transfer(true, argv, ctx);
}

}  // namespace velkar::cli
