// The Qt serial port and event pump over a pseudo-terminal: the real serial
// stack, with the test playing the instrument on the other side.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"
#include "pty_pair.h"

namespace velkar {
namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST(QtSerialPort, OpensAPtyByPathAndMovesBytesBothWays) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    QtEventPump pump;
    QObject::connect(&port, &QtSerialPort::activity, &pump, &QtEventPump::wake);
    std::string error;
    ASSERT_TRUE(port.open(PortId{0, pty.slavePath()}, SerialSettings{9600, Parity::Even, 7, 1}, error))
        << error;
    EXPECT_TRUE(port.isOpen());
    ASSERT_TRUE(port.write(std::string("\x05\r\n", 3)));
    EXPECT_EQ(pty.receive(1000), std::string("\x05\r\n", 3));

    pty.send("_'S1_)K0_(1.550__+");
    std::string got;
    QElapsedTimer t;
    t.start();
    while (got.size() < 18 && t.elapsed() < 2000) {
        pump.waitForActivity(50);
        got += port.readAll();
    }
    EXPECT_EQ(got, "_'S1_)K0_(1.550__+");
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(QtSerialPort, ANonexistentPortGivesAReason) {
    QtSerialPort port;
    std::string error;
    EXPECT_FALSE(port.open(PortId{0, "/dev/velkar-no-such-port"}, SerialSettings{}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(port.isOpen());
}

TEST(QtEventPump, WaitingForDataCostsAlmostNoCpu) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    QtEventPump pump;
    QObject::connect(&port, &QtSerialPort::activity, &pump, &QtEventPump::wake);
    std::string error;
    ASSERT_TRUE(port.open(PortId{0, pty.slavePath()}, SerialSettings{}, error)) << error;
    const double cpu0 = cpuSeconds();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1000) {
        pump.waitForActivity(50);
        port.readAll();
    }
    const double cpu = cpuSeconds() - cpu0;
    EXPECT_LT(cpu, 0.05) << "a second of waiting used " << cpu << " s of CPU";
}

TEST(QtEventPump, DataEndsTheWaitAtOnce) {
    test::PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QtSerialPort port;
    QtEventPump pump;
    QObject::connect(&port, &QtSerialPort::activity, &pump, &QtEventPump::wake);
    std::string error;
    ASSERT_TRUE(port.open(PortId{0, pty.slavePath()}, SerialSettings{}, error)) << error;
    pty.send("x");
    QElapsedTimer t;
    t.start();
    std::string got;
    while (got.empty() && t.elapsed() < 3000) {
        pump.waitForActivity(2000);
        got += port.readAll();
    }
    EXPECT_EQ(got, "x");
    EXPECT_LT(t.elapsed(), 1500);
}

}  // namespace
}  // namespace velkar
