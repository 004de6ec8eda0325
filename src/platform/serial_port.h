// The serial port as the transfers use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velkar {

enum class Parity { None, Odd, Even };
enum class FlowControl { None, XonXoff, RtsCts };

// Baud, parity, data bits and stop bits, as the settings text "9600,e,7,1" gives them.
struct SerialSettings {
    int baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
    bool operator==(const SerialSettings&) const = default;
};

// Which port: "COM n" (number n) or a device path such as /dev/ttyUSB0.
struct PortId {
    int number = 0;    // 1.. when no path
    std::string path;  // native device path, when given as one
    bool operator==(const PortId&) const = default;
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Opens the port; on failure error holds the reason and the port stays closed.
    virtual bool open(const PortId& port, const SerialSettings& settings, std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void setFlowControl(FlowControl flow) = 0;
    virtual FlowControl flowControl() const = 0;
    // Hands the bytes to the port at once; false when the port is gone.
    virtual bool write(std::string_view bytes) = 0;
    // Everything received so far; empty when nothing arrived.  Never waits.
    virtual std::string readAll() = 0;
    // True once the device went away under an open port (a USB adapter pulled).
    virtual bool lost() const = 0;
    virtual std::string errorText() const = 0;
    // The device the port text names (for messages): "/dev/ttyS1", "COM2".
    virtual std::string deviceName(const PortId& port) const = 0;
    // Ports beyond the numbered ones (USB adapters), by their device path.
    virtual std::vector<std::string> extraDevices() const { return {}; }
};

}  // namespace velkar
