#include "platform/qt/qt_serial_port.h"

#include <QSerialPortInfo>

#include "platform/cp1254.h"
#include "platform/qt/qt_text.h"

namespace velkar {
namespace {

QString nativeName(const PortId& port) {
    if (!port.path.empty()) return QString::fromStdString(toUtf8(port.path));
#ifdef _WIN32
    return QStringLiteral("COM%1").arg(port.number);
#else
    // COM n is the n-th serial port of the machine: /dev/ttyS(n-1).
    return QStringLiteral("/dev/ttyS%1").arg(port.number - 1);
#endif
}

std::string reasonFor(QSerialPort::SerialPortError e, const QString& text) {
    std::string why;
    switch (e) {
        case QSerialPort::DeviceNotFoundError:
            why = cp1254("böyle bir port yok");
            break;
        case QSerialPort::PermissionError:
            why = cp1254("port başka bir program tarafından kullanılıyor veya erişim izni yok");
            break;
        case QSerialPort::OpenError:
            why = cp1254("port zaten açık");
            break;
        case QSerialPort::ResourceError:
            why = cp1254("port bağlantısı koptu");
            break;
        case QSerialPort::UnsupportedOperationError:
            why = cp1254("port bu ayarları desteklemiyor");
            break;
        default:
            why = cp1254("port açılamadı");
            break;
    }
    if (!text.isEmpty()) why += " (" + fromQ(text) + ")";
    return why;
}

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::activity);
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A device pulled out gives ResourceError.  A line that was hung up (a
        // pseudo-terminal whose other side closed) reads end-of-file, which
        // QSerialPort reports as ReadError and would report again at every
        // turn of the event loop: the port is closed (later, not inside
        // QSerialPort's own notification), keeping what it had received.
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
            if (!lost_) {
                lost_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        if (!port_.isOpen()) return;
                        const QByteArray rest = port_.readAll();
                        pending_.append(rest.constData(), static_cast<size_t>(rest.size()));
                        port_.close();
                    },
                    Qt::QueuedConnection);
            }
            emit activity();
        }
    });
}

bool QtSerialPort::open(const PortId& port, const SerialSettings& s, std::string& error) {
    if (port_.isOpen()) port_.close();
    lost_ = false;
    pending_.clear();
    port_.setPortName(nativeName(port));
    port_.setBaudRate(s.baud);
    port_.setParity(s.parity == Parity::Odd    ? QSerialPort::OddParity
                    : s.parity == Parity::Even ? QSerialPort::EvenParity
                                               : QSerialPort::NoParity);
    port_.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits));
    port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    setFlowControl(flow_);
    if (!port_.open(QIODevice::ReadWrite)) {
        error = reasonFor(port_.error(), port_.errorString());
        port_.clearError();
        return false;
    }
    return true;
}

void QtSerialPort::close() {
    drain(2000);
    if (port_.isOpen()) port_.close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

void QtSerialPort::setFlowControl(FlowControl flow) {
    flow_ = flow;
    port_.setFlowControl(flow == FlowControl::RtsCts    ? QSerialPort::HardwareControl
                         : flow == FlowControl::XonXoff ? QSerialPort::SoftwareControl
                                                        : QSerialPort::NoFlowControl);
}

bool QtSerialPort::write(std::string_view bytes) {
    if (!port_.isOpen() || lost_) return false;
    const qint64 n = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the bytes to the system at once.  QSerialPort::flush() would try
    // even when the system's buffer is full and take the refusal (EAGAIN) for
    // a lost device; waiting for room writes only when the line can take it.
    // So a long upload goes out at the pace of the line, and a close never
    // drops bytes still queued inside Qt.
    drain(1000);
    return n == static_cast<qint64>(bytes.size()) && !lost_;
}

void QtSerialPort::drain(int timeoutMs) {
    while (port_.isOpen() && !lost_ && port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(timeoutMs)) break;  // flow control holds the line
    }
}

std::string QtSerialPort::readAll() {
    std::string out = std::move(pending_);
    pending_.clear();
    if (!port_.isOpen()) return out;
    const QByteArray b = port_.readAll();
    out.append(b.constData(), static_cast<size_t>(b.size()));
    return out;
}

std::string QtSerialPort::errorText() const {
    return reasonFor(port_.error(), port_.errorString());
}

std::string QtSerialPort::deviceName(const PortId& port) const {
    return fromQ(nativeName(port));
}

std::vector<std::string> QtSerialPort::extraDevices() const {
    std::vector<std::string> out;
#ifndef _WIN32
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString loc = info.systemLocation();
        if (loc.contains(QLatin1String("ttyUSB")) || loc.contains(QLatin1String("ttyACM")) ||
            loc.contains(QLatin1String("cu.usb"))) {
            out.push_back(fromQ(loc));
        }
    }
    std::sort(out.begin(), out.end());
#endif
    return out;
}

}  // namespace velkar
