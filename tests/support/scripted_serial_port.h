// A serial port played from a script: chunks to deliver, one per read (an
// empty chunk is a read that finds nothing), and a transcript of every byte
// written, so that a transfer can be checked byte for byte.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "platform/serial_port.h"

namespace velkar::test {

class ScriptedSerialPort : public SerialPort {
  public:
    void queueChunk(std::string chunk) { chunks_.push_back(std::move(chunk)); }
    // Called after each write: lets a test answer what the program sent.
    void onWrite(std::function<void(const std::string& bytes)> f) { onWrite_ = std::move(f); }
    void failOpenWith(std::string reason) { openFailure_ = std::move(reason); }
    void setOpenablePorts(std::vector<int> numbers) { openable_ = std::move(numbers); }
    void loseDevice() { lost_ = true; }

    bool open(const PortId& port, const SerialSettings& settings, std::string& error) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setFlowControl(FlowControl flow) override {
        flow_ = flow;
        flowHistory_.push_back(flow);
    }
    FlowControl flowControl() const override { return flow_; }
    bool write(std::string_view bytes) override;
    std::string readAll() override;
    bool lost() const override { return lost_; }
    std::string errorText() const override { return lost_ ? "device lost" : ""; }
    std::string deviceName(const PortId& port) const override;

    const std::string& written() const { return written_; }
    const std::vector<std::string>& writes() const { return writes_; }
    int reads() const { return reads_; }
    bool chunksLeft() const { return !chunks_.empty(); }
    const SerialSettings& settings() const { return settings_; }
    const PortId& openedPort() const { return opened_; }
    int openCount() const { return openCount_; }
    const std::vector<FlowControl>& flowHistory() const { return flowHistory_; }

  private:
    std::deque<std::string> chunks_;
    std::function<void(const std::string&)> onWrite_;
    std::string openFailure_;
    std::vector<int> openable_;
    bool open_ = false;
    bool lost_ = false;
    FlowControl flow_ = FlowControl::None;
    std::vector<FlowControl> flowHistory_;
    std::string written_;
    std::vector<std::string> writes_;
    int reads_ = 0;
    SerialSettings settings_;
    PortId opened_;
    int openCount_ = 0;
};

}  // namespace velkar::test
