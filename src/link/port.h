// Choosing, configuring and opening the serial port.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/dialogs.h"
#include "platform/serial_port.h"

namespace velkar::link {

// The five lists of the port settings window, as texts.
struct PortSettingsTexts {
    std::string protocol = "ACK / NAK";
    std::string baud = "9600";
    std::string parity = "NONE";
    std::string dataBits = "8";
    std::string stopBits = "1";
};

// The settings of an instrument's preset (the catalogue's), as the lists' texts.
PortSettingsTexts presetTexts(const catalogue::PortPreset& preset);
// The DL-100 preset: ACK / NAK, 9600, EVEN, 7, 1.
PortSettingsTexts dl100PortPreset();

// The items of the port choice: "COM n" for every port 1 to 16 that opens (it
// is closed again at once), then the USB adapters by their device path.
std::vector<std::string> porttara(SerialPort& port);

// Closes the port if open, builds the settings text from the lists and opens
// the port the port text names.  On failure a "Hata Mesajı" box names the port
// and the reason, and false tells the transfer not to start its exchange.
[[nodiscard]] bool portac(SerialPort& port, const std::string& portText,
                          const PortSettingsTexts& texts, Dialogs& dialogs);

// The settings in force, in a box the user confirms before any byte moves.
void portdurum(const PortSettingsTexts& texts, Dialogs& dialogs);
std::string portdurumText(const PortSettingsTexts& texts);
std::string portdurumTitle();

}  // namespace velkar::link
