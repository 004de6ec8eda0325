// A transfer wired to scripted parts: port, boxes, clock, pump and log.
#pragma once

#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "golden.h"
#include "link/transfer.h"
#include "scripted_clock.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"

namespace velkar::link::test {

using velkar::test::ScriptedClock;
using velkar::test::ScriptedDialogs;
using velkar::test::ScriptedSerialPort;

// The pump of a scripted transfer.  Each wait may run a hook (to lose the
// device, queue an answer...); once the script has no chunk left, the user
// presses the stop button, unless the test says the instrument keeps quiet
// on purpose.  A transfer that never ends fails the test instead of hanging.
struct ScriptPump : EventPump {
    ScriptPump(ScriptedSerialPort& p, TransferFields& f) : port(p), fields(f) {}
    void processPending() override {}
    void waitForActivity(int) override {
        if (onWait) onWait(++waits);
        if (waits > 2'000'000) ADD_FAILURE() << "the transfer does not end";
        if ((stopWhenIdle && !port.chunksLeft()) || waits > 2'000'000) stopTransfer(fields);
    }
    ScriptedSerialPort& port;
    TransferFields& fields;
    std::function<void(int)> onWait;
    bool stopWhenIdle = true;
    int waits = 0;
};

struct RecordingLog : TransferLog {
    void setText(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

struct Rig {
    ScriptedSerialPort port;
    ScriptedDialogs dialogs;
    ScriptedClock clock{0};
    TransferFields fields;
    ScriptPump pump{port, fields};
    RecordingLog log;
    TransferContext ctx{port, dialogs,         pump, clock, log, fields, "COM2",
                        {},   "GTS-210 / 220", {},   {}};

    Rig() {
        ctx.file = velkar::test::tempDir("link") / "out.txt";
        ctx.workFolder = velkar::test::tempDir("link-work");
    }
    // The port settings box is confirmed; the instruction box gets the answer.
    void answerBoxes(MessageResult instructions = MessageResult::Ok) {
        dialogs.answerMessage(MessageResult::Ok);
        dialogs.answerMessage(instructions);
    }
    void chunks(const std::vector<std::string>& cs) {
        for (const auto& c : cs) port.queueChunk(c);
    }
    std::string fileBytes() const { return velkar::test::readBytes(ctx.file); }
};

// The ways a stream can be cut into reads: whole, in pieces of fixed sizes
// (one byte, either side of a block), and at random places with reads that
// find nothing in between.  Each is named for the failure message.
inline std::vector<std::pair<std::string, std::vector<std::string>>> cuttings(
    const std::string& stream) {
    std::vector<std::pair<std::string, std::vector<std::string>>> all{{"whole", {stream}}};
    for (std::size_t size : {1u, 2u, 7u, 135u, 136u, 137u}) {
        all.push_back({"pieces of " + std::to_string(size), {}});
        for (std::size_t i = 0; i < stream.size(); i += size)
            all.back().second.push_back(stream.substr(i, size));
    }
    std::mt19937 random(5);
    for (int round = 0; round < 4; ++round) {
        all.push_back({"random " + std::to_string(round), {}});
        for (std::size_t i = 0, n; i < stream.size(); i += n) {
            n = std::uniform_int_distribution<std::size_t>(1, 400)(random);
            all.back().second.push_back(stream.substr(i, n));
            all.back().second.emplace_back();
        }
    }
    return all;
}

}  // namespace velkar::link::test
