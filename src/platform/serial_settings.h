// The port texts of the port settings window and the port choice.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/serial_port.h"

namespace velkar {

// The serial settings text from the lists: baud, then ",n,", ",o," or ",e,"
// when the parity text is exactly "NONE", "ODD" or "EVEN" (else nothing), then
// data bits, ",", stop bits.  "9600","NONE","8","1" gives "9600,n,8,1".
std::string buildSettingsText(std::string_view baud, std::string_view parity, std::string_view data,
                              std::string_view stop);

// Reads a settings text as the serial port accepts it; std::nullopt and a reason
// for a malformed one ("9600,8,1" lacks the parity, "abc,n,8,1" has no baud).
std::optional<SerialSettings> parseSettingsText(std::string_view text,
                                                std::string* reason = nullptr);

// The port named by the port choice: a device path (it starts with "/" or
// "\\.\", or names a tty) is taken as it stands; otherwise the port number is
// the whole number after the first three characters, blanks ignored ("COM2",
// "COM 12").  std::nullopt when there is no number.
std::optional<PortId> parsePortText(std::string_view text);

}  // namespace velkar
