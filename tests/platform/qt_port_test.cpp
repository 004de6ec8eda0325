// The Qt serial port and event pump over a pseudo-terminal, the test playing
// the instrument on the other side (the transfers through them are run end to
// end against velkar-sim in tests/link).
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"

namespace velkar {
namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A second of waiting costs almost no CPU; data ends the wait at once.
TEST(QtSerialPort, WaitingCostsAlmostNoCpuAndDataEndsTheWaitAtOnce) {
    int instrument = -1, device = -1;  // the pseudo-terminal's two sides
    char name[256] = {};
    ASSERT_EQ(openpty(&instrument, &device, name, nullptr, nullptr), 0);
    termios raw{};
    tcgetattr(device, &raw);
    cfmakeraw(&raw);
    tcsetattr(device, TCSANOW, &raw);
    QtSerialPort port;
    QtEventPump pump;
    QObject::connect(&port, &QtSerialPort::activity, &pump, &QtEventPump::wake);
    std::string error;
    EXPECT_FALSE(port.open(PortId{0, "/dev/velkar-no-such-port"}, {}, error));
    EXPECT_FALSE(error.empty());  // a port that does not exist says why
    ASSERT_TRUE(port.open(PortId{0, name}, {}, error)) << error;
    const auto receive = [&](int waitMs, qint64 withinMs) {
        std::string got;
        QElapsedTimer t;
        for (t.start(); got.empty() && t.elapsed() < withinMs; got += port.readAll())
            pump.waitForActivity(waitMs);
        return got;
    };
    const double cpu0 = cpuSeconds();
    EXPECT_EQ(receive(50, 1000), "");
    const double cpu = cpuSeconds() - cpu0;
    EXPECT_LT(cpu, 0.05) << "a second of waiting used " << cpu << " s of CPU";
    ASSERT_EQ(::write(instrument, "x", 1), 1);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(receive(2000, 3000), "x");
    EXPECT_LT(t.elapsed(), 1500);
    port.close();
    ::close(instrument);
    ::close(device);
}

}  // namespace
}  // namespace velkar
