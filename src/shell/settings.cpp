#include "shell/settings.h"

#include <array>
#include <cmath>
#include <set>

#include "platform/cp1254.h"
#include "platform/numbers.h"
#include "platform/textfile.h"

namespace velkar::shell {
namespace {

constexpr int kKeys = 21;

const std::array<std::string, kKeys>& labels() {
    // "PRITY...:" is spelled so in every file ever written.
    static const std::array<std::string, kKeys> l = {
        "YOL.....:",         "CIHAZ...:",         "COM.....:", "ACK/NAK.:",         "BAUD....:",
        "PRITY...:",         "DATA....:",         "STOP....:", cp1254("CİHAZ1..:"), "FORMAT..:",
        cp1254("MİRA1...:"), cp1254("MİRA2...:"), "ORTALAMA:", cp1254("POLİGON.:"), "KOT.....:",
        "HATA....:",         "ONCEACK.:",         "ONCEBAUD:", "ONCEPRTY:",         "ONCEDATA:",
        "ONCESTOP:"};
    return l;
}

std::string boolText(bool b) {
    return b ? "True" : "False";
}

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

}  // namespace

std::string settingLabel(SettingKey key) {
    return labels()[static_cast<size_t>(key)];
}

std::optional<bool> parseBoolean(const std::string& text) {
    const std::string t = lower(trimBlanks(text));
    if (t == "true") return true;
    if (t == "false") return false;
    // Otherwise a number, and nothing but a number.
    if (!isWholeNumber(t)) return std::nullopt;
    return leadingNumber(t) != 0.0;
}

std::optional<std::int16_t> parseCheckValue(const std::string& text) {
    const double v = roundHalfEven(leadingNumber(text), 0);
    if (v < -32768.0 || v > 32767.0) return std::nullopt;       // not a 16-bit integer
    if (v != 0.0 && v != 1.0 && v != 2.0) return std::nullopt;  // the check box refuses it
    return static_cast<std::int16_t>(v);
}

std::vector<SettingLine> parseSettingsLines(const std::vector<std::string>& lines) {
    std::vector<SettingLine> out;
    for (const std::string& line : lines) {
        const std::string label = line.substr(0, 9);
        for (int k = 0; k < kKeys; ++k) {
            if (label == labels()[static_cast<size_t>(k)]) {
                out.push_back({static_cast<SettingKey>(k), line.size() > 9 ? line.substr(9) : ""});
                break;
            }
        }
    }
    return out;
}

void applySettings(SettingsValues& v, const std::vector<SettingLine>& lines) {
    auto setOption = [&v](int which, bool on) {
        bool* opts[3] = {&v.firstReadings, &v.secondReadings, &v.bothReadings};
        if (on) {
            for (int i = 0; i < 3; ++i) *opts[i] = (i == which);
        } else {
            *opts[which] = false;
        }
    };
    auto kept = [&v]() -> SettingsValues::PortLines& {
        if (!v.portBeforeDl100) v.portBeforeDl100.emplace();
        return *v.portBeforeDl100;
    };
    for (const SettingLine& l : lines) {
        switch (l.key) {
            case SettingKey::Folder:
                v.folder = l.value;
                break;
            case SettingKey::Instrument:
                v.instrument = l.value;
                break;
            case SettingKey::Port:
                v.port = l.value;
                break;
            case SettingKey::Protocol:
                v.protocol = l.value;
                break;
            case SettingKey::Baud:
                v.baud = l.value;
                break;
            case SettingKey::Parity:
                v.parity = l.value;
                break;
            case SettingKey::DataBits:
                v.dataBits = l.value;
                break;
            case SettingKey::StopBits:
                v.stopBits = l.value;
                break;
            case SettingKey::ConversionInstrument:
                v.conversionInstrument = l.value;
                break;
            case SettingKey::ConversionOutput:
                v.conversionOutput = l.value;
                break;
            case SettingKey::FirstReadings:
            case SettingKey::SecondReadings:
            case SettingKey::BothReadings:
                if (auto b = parseBoolean(l.value)) {
                    setOption(static_cast<int>(l.key) - static_cast<int>(SettingKey::FirstReadings),
                              *b);
                }
                break;
            case SettingKey::TraverseInfo:
                if (auto c = parseCheckValue(l.value)) v.traverseInfo = *c;
                break;
            case SettingKey::Elevations:
                if (auto c = parseCheckValue(l.value)) v.elevations = *c;
                break;
            case SettingKey::Tolerance:
                v.tolerance = l.value;
                break;
            case SettingKey::ProtocolBeforeDl100:
                kept().protocol = l.value;
                break;
            case SettingKey::BaudBeforeDl100:
                kept().baud = l.value;
                break;
            case SettingKey::ParityBeforeDl100:
                kept().parity = l.value;
                break;
            case SettingKey::DataBitsBeforeDl100:
                kept().dataBits = l.value;
                break;
            case SettingKey::StopBitsBeforeDl100:
                kept().stopBits = l.value;
                break;
        }
    }
    if (!v.firstReadings && !v.secondReadings && !v.bothReadings) v.bothReadings = true;
}

namespace {

std::vector<std::string> sixteenLines(const SettingsValues& v) {
    const auto& L = labels();
    return {L[0] + v.folder,
            L[1] + v.instrument,
            L[2] + v.port,
            L[3] + v.protocol,
            L[4] + v.baud,
            L[5] + v.parity,
            L[6] + v.dataBits,
            L[7] + v.stopBits,
            L[8] + v.conversionInstrument,
            L[9] + v.conversionOutput,
            L[10] + boolText(v.firstReadings),
            L[11] + boolText(v.secondReadings),
            L[12] + boolText(v.bothReadings),
            L[13] + standardNumberText(v.traverseInfo),
            L[14] + standardNumberText(v.elevations),
            L[15] + v.tolerance};
}

}  // namespace

std::vector<std::string> settingsFileLines(const SettingsValues& v) {
    std::vector<std::string> lines = sixteenLines(v);
    if (const auto& p = v.portBeforeDl100) {
        const auto& L = labels();
        lines.insert(lines.end(), {L[16] + p->protocol, L[17] + p->baud, L[18] + p->parity,
                                   L[19] + p->dataBits, L[20] + p->stopBits});
    }
    return lines;
}

bool loadSettingsFile(const std::filesystem::path& file, SettingsValues& values,
                      std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return true;
    TextReader r;
    if (!r.open(file)) {
        error = r.error();
        return false;
    }
    // One line per value.  Reading ends once every value has been seen, or at
    // a line no value could fill, or after a generous number of stray lines: a
    // huge file put there by mistake costs neither time nor memory.
    r.setLineLimit(std::size_t{1} << 16);
    std::vector<std::string> lines;
    std::set<SettingKey> seen;
    std::string line;
    while (seen.size() < static_cast<std::size_t>(kKeys) && lines.size() < 256 &&
           r.readLine(line)) {
        for (const SettingLine& l : parseSettingsLines({line})) seen.insert(l.key);
        lines.push_back(line);
    }
    applySettings(values, parseSettingsLines(lines));
    return true;
}

bool saveSettingsFile(const std::filesystem::path& file, const SettingsValues& values,
                      std::string& error) {
    TextWriter w;
    if (!w.replace(file)) {
        error = w.error();
        return false;
    }
    for (const std::string& l : settingsFileLines(values)) w.writeLine(l);
    if (!w.close()) {
        error = w.error();
        return false;
    }
    return true;
}

}  // namespace velkar::shell
