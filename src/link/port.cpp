#include "link/port.h"

#include "catalogue/catalogue.h"
#include "platform/cp1254.h"
#include "platform/serial_settings.h"

namespace velkar::link {

PortSettingsTexts presetTexts(const catalogue::PortPreset& p) {
    return {p.protocol, p.baud, p.parity, p.dataBits, p.stopBits};
}

PortSettingsTexts dl100PortPreset() {
    return presetTexts(*catalogue::instrument(catalogue::InstrumentId::Dl100).preset);
}

std::vector<std::string> porttara(SerialPort& port) {
    std::vector<std::string> items;
    const SerialSettings probe;
    for (int n = 1; n <= 16; ++n) {
        std::string error;
        if (port.open(PortId{n, {}}, probe, error)) {
            port.close();
            items.push_back("COM " + std::to_string(n));
        }
    }
    for (const std::string& path : port.extraDevices()) items.push_back(path);
    return items;
}

bool portac(SerialPort& port, const std::string& portText, const PortSettingsTexts& t,
            Dialogs& dialogs) {
    if (port.isOpen()) port.close();
    auto fail = [&](const std::string& device, const std::string& reason) {
        dialogs.error(device + cp1254(" portu açılamadı: ") + reason);
        return false;
    };
    const std::string settingsText = buildSettingsText(t.baud, t.parity, t.dataBits, t.stopBits);
    const auto id = parsePortText(portText);
    if (!id) return fail(portText, cp1254("port adında port numarası yok"));
    std::string reason;
    const auto settings = parseSettingsText(settingsText, &reason);
    if (!settings) return fail(port.deviceName(*id), cp1254("port ayarları geçersiz: ") + reason);
    if (!port.open(*id, *settings, reason)) return fail(port.deviceName(*id), reason);
    return true;
}

std::string portdurumTitle() {
    return "  PORT AYARLARINI KONTROL EDINIZ  ";
}

std::string portdurumText(const PortSettingsTexts& t) {
    const std::string cr2 = "\r\r";
    return "Protokol.:\t" + t.protocol + cr2 + "Baud.....:\t" + t.baud + cr2 + "Parity.....:\t" +
           t.parity + cr2 + "Data......:\t" + t.dataBits + cr2 + "Stop ....:\t" + t.stopBits + cr2;
}

void portdurum(const PortSettingsTexts& t, Dialogs& dialogs) {
    dialogs.message(
        {portdurumText(t), portdurumTitle(), MessageIcon::Information, MessageButtons::Ok});
}

}  // namespace velkar::link
