#include "scripted_serial_port.h"

#include <algorithm>

namespace velkar::test {

bool ScriptedSerialPort::open(const PortId& port, const SerialSettings& settings,
                              std::string& error) {
    if (!openFailure_.empty()) {
        error = openFailure_;
        return false;
    }
    if (!openable_.empty() && port.path.empty() &&
        std::find(openable_.begin(), openable_.end(), port.number) == openable_.end()) {
        error = "no such port";
        return false;
    }
    open_ = true;
    settings_ = settings;
    opened_ = port;
    ++openCount_;
    return true;
}

bool ScriptedSerialPort::write(std::string_view bytes) {
    if (!open_ || lost_) return false;
    written_.append(bytes);
    writes_.emplace_back(bytes);
    if (onWrite_) onWrite_(std::string(bytes));
    return true;
}

std::string ScriptedSerialPort::readAll() {
    ++reads_;
    if (!open_ || chunks_.empty()) return {};
    std::string c = std::move(chunks_.front());
    chunks_.pop_front();
    return c;
}

std::string ScriptedSerialPort::deviceName(const PortId& port) const {
    return port.path.empty() ? "COM" + std::to_string(port.number) : port.path;
}

}  // namespace velkar::test
