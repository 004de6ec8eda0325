#include "link/port.h"

#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "scripted_dialogs.h"
#include "scripted_serial_port.h"

namespace velkar::link {
namespace {

// The port list holds the ports that open, named with a blank after COM.
TEST(Porttara, ListsThePortsThatOpen) {
    test::ScriptedSerialPort port;
    port.setOpenablePorts({1, 2, 4});
    EXPECT_EQ(porttara(port), (std::vector<std::string>{"COM 1", "COM 2", "COM 4"}));
    EXPECT_FALSE(port.isOpen());
}

TEST(Portac, OpensThePortWithTheSettingsOfTheLists) {
    test::ScriptedSerialPort port;
    test::ScriptedDialogs dialogs;
    dialogs.setStrictMessages(true);
    ASSERT_TRUE(portac(port, "COM 12", {"ACK / NAK", "19200", "EVEN", "7", "2"}, dialogs));
    EXPECT_EQ(port.openedPort(), (PortId{12, {}}));
    EXPECT_EQ(port.settings(), (SerialSettings{19200, Parity::Even, 7, 2}));
    ASSERT_TRUE(portac(port, "/dev/pts/3", {}, dialogs));
    EXPECT_EQ(port.openedPort().path, "/dev/pts/3");
}

TEST(Portac, FailureNamesThePortAndTheReason) {
    test::ScriptedSerialPort port;
    test::ScriptedDialogs dialogs;
    EXPECT_FALSE(portac(port, "COM", {}, dialogs));
    EXPECT_FALSE(portac(port, "COM2", {"ACK / NAK", "9600", "none", "8", "1"}, dialogs));
    port.failOpenWith("in use");
    EXPECT_FALSE(portac(port, "COM2", {}, dialogs));
    const auto lines = dialogs.messageLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Hata Mesajı: COM portu açılamadı: port adında port numarası yok");
    EXPECT_NE(lines[1].find("COM2 portu açılamadı: port ayarları geçersiz"), std::string::npos);
    EXPECT_EQ(lines[2], "Hata Mesajı: COM2 portu açılamadı: in use");
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace velkar::link
