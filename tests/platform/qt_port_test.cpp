// The Qt serial port and event pump over a pseudo-terminal: the real serial
// stack, with the test playing the instrument on the other side.
#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>

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

// A Qt port opened on the far end of a pseudo-terminal, its pump woken by it.
struct PtyPort : ::testing::Test {
    test::PtyPair pty;
    QtSerialPort port;
    QtEventPump pump;
    void open(SerialSettings settings = {}) {
        ASSERT_TRUE(pty.ok());
        QObject::connect(&port, &QtSerialPort::activity, &pump, &QtEventPump::wake);
        std::string error;
        ASSERT_TRUE(port.open(PortId{0, pty.slavePath()}, settings, error)) << error;
    }
    // What arrives within the time, up to the given size.
    std::string receive(std::size_t size, int waitMs, qint64 withinMs) {
        std::string got;
        QElapsedTimer t;
        t.start();
        while (got.size() < size && t.elapsed() < withinMs) {
            pump.waitForActivity(waitMs);
            got += port.readAll();
        }
        return got;
    }
};

TEST_F(PtyPort, OpensAPtyByPathAndMovesBytesBothWays) {
    open(SerialSettings{9600, Parity::Even, 7, 1});
    EXPECT_TRUE(port.isOpen());
    ASSERT_TRUE(port.write(std::string("\x05\r\n", 3)));
    EXPECT_EQ(pty.receive(1000), std::string("\x05\r\n", 3));
    pty.send("_'S1_)K0_(1.550__+");
    EXPECT_EQ(receive(18, 50, 2000), "_'S1_)K0_(1.550__+");
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(QtSerialPort, ANonexistentPortGivesAReason) {
    QtSerialPort port;
    std::string error;
    EXPECT_FALSE(port.open(PortId{0, "/dev/velkar-no-such-port"}, SerialSettings{}, error));
    EXPECT_FALSE(error.empty());
}

// A second of waiting costs almost no CPU; data ends the wait at once.
TEST_F(PtyPort, WaitingCostsAlmostNoCpuAndDataEndsTheWaitAtOnce) {
    open();
    const double cpu0 = cpuSeconds();
    receive(std::string::npos, 50, 1000);
    const double cpu = cpuSeconds() - cpu0;
    EXPECT_LT(cpu, 0.05) << "a second of waiting used " << cpu << " s of CPU";
    pty.send("x");
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(receive(1, 2000, 3000), "x");
    EXPECT_LT(t.elapsed(), 1500);
}

}  // namespace
}  // namespace velkar
