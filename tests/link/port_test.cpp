#include "link/port.h"

#include <gtest/gtest.h>

#include "scripted_dialogs.h"
#include "scripted_serial_port.h"

namespace velkar::link {
namespace {

// The port list holds the ports that open, named with a blank after COM; a
// port opens with the settings of the lists, a failure names the port and why.
TEST(Port, ListedOpenedOrRefusedWithAReason) {
    test::ScriptedSerialPort port;
    test::ScriptedDialogs dialogs;
    port.setOpenablePorts({1, 2, 4});
    EXPECT_EQ(porttara(port), (std::vector<std::string>{"COM 1", "COM 2", "COM 4"}));
    EXPECT_FALSE(port.isOpen());
    port.setOpenablePorts({});
    ASSERT_TRUE(portac(port, "COM 12", {"ACK / NAK", "19200", "EVEN", "7", "2"}, dialogs));
    EXPECT_EQ(port.openedPort(), (PortId{12, {}}));
    EXPECT_EQ(port.settings(), (SerialSettings{19200, Parity::Even, 7, 2}));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(portac(port, "COM", {}, dialogs));
    EXPECT_FALSE(portac(port, "COM2", {"ACK / NAK", "9600", "none", "8", "1"}, dialogs));
    port.failOpenWith("in use");
    EXPECT_FALSE(portac(port, "/dev/pts/3", {}, dialogs));
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Hata Mesajı: COM portu açılamadı: port adında port numarası yok");
    EXPECT_NE(lines[1].find("COM2 portu açılamadı: port ayarları geçersiz"), std::string::npos);
    EXPECT_EQ(lines[2], "Hata Mesajı: /dev/pts/3 portu açılamadı: in use");
}

}  // namespace
}  // namespace velkar::link
