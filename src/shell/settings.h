// The settings file VELKAR.INI: sixteen lines, each a 9-character label
// followed directly by its value (Windows-1254, CR LF).  Read once at start-up
// into the controls of four windows, written whole at shut-down.  Lines added
// later follow the sixteen, so that older readers skip them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velkar::shell {

// The port settings in force before the DL-100 preset (lines 17-21).
struct SettingsPortLines {
    std::string protocol = "ACK / NAK", baud = "9600", parity = "NONE", dataBits = "8",
                stopBits = "1";
};

// The values the file keeps, with the initial states of their controls.
struct SettingsValues {
    std::string folder;                        // YOL: the current folder at shut-down
    std::string instrument = "GTS-210 / 220";  // main window instrument choice
    std::string port = "COM2";                 // main window port choice
    std::string protocol = "ACK / NAK";
    std::string baud = "9600";
    std::string parity = "NONE";
    std::string dataBits = "8";
    std::string stopBits = "1";
    std::string conversionInstrument;      // conversion window instrument list
    std::string conversionOutput = "XYZ";  // conversion window output list
    // DL-100 data settings: the three reading-selection options (one is set),
    // the two check boxes (0 clear, 1 ticked, 2 grey) and the tolerance text.
    bool firstReadings = false;
    bool secondReadings = false;
    bool bothReadings = true;
    std::int16_t traverseInfo = 0;  // "Poligon Bilgisi Ekle"
    std::int16_t elevations = 0;    // "Kot Ekle"
    std::string tolerance = "0";
    // While DL-100 is chosen its preset stands in lines 4-8; the port settings
    // in force before it are kept here (lines 17-21), to come back when
    // another instrument is chosen.
    // (Declared outside: clang cannot build the optional of a nested struct
    // with default member initializers inside the enclosing one.)
    using PortLines = SettingsPortLines;
    std::optional<PortLines> portBeforeDl100;
};

enum class SettingKey {
    Folder,
    Instrument,
    Port,
    Protocol,
    Baud,
    Parity,
    DataBits,
    StopBits,
    ConversionInstrument,
    ConversionOutput,
    FirstReadings,
    SecondReadings,
    BothReadings,
    TraverseInfo,
    Elevations,
    Tolerance,
    // After the sixteen: the port settings before the DL-100 preset.
    ProtocolBeforeDl100,
    BaudBeforeDl100,
    ParityBeforeDl100,
    DataBitsBeforeDl100,
    StopBitsBeforeDl100
};

// The label of a line, exactly as the file has it (Windows-1254).
std::string settingLabel(SettingKey key);

// One line of the file that matched a label, with its value.
struct SettingLine {
    SettingKey key;
    std::string value;
};

// The lines of a settings file that match a label, in file order.
std::vector<SettingLine> parseSettingsLines(const std::vector<std::string>& lines);

// Applies the lines in order, as start-up does: the last occurrence wins; a
// value its control would reject is skipped.  Lines 11-13 are option buttons of
// one group: setting one clears the others; when none is left set, "Birinci ve
// İkinci Durum" is.
void applySettings(SettingsValues& values, const std::vector<SettingLine>& lines);

// The lines as shut-down writes them: the sixteen, then lines 17-21 when
// port settings are kept from before the DL-100 preset.
std::vector<std::string> settingsFileLines(const SettingsValues& values);

// Reads the file; a missing file leaves the values as they are.  false (and a
// reason) only when the file exists and cannot be read.
[[nodiscard]] bool loadSettingsFile(const std::filesystem::path& file, SettingsValues& values,
                                    std::string& error);
// Writes the file; false and a reason when it cannot be written.
[[nodiscard]] bool saveSettingsFile(const std::filesystem::path& file, const SettingsValues& values,
                                    std::string& error);

// Text-to-Boolean as the settings reader takes it: True/False in any letter
// case, or a number (non-zero is set).  Other texts give nothing.
std::optional<bool> parseBoolean(const std::string& text);
// The check box value of lines 14 and 15: the leading number rounded (ties to
// even) to a whole number; only 0, 1 and 2 are values a check box takes.
std::optional<std::int16_t> parseCheckValue(const std::string& text);

}  // namespace velkar::shell
