// The serial port through Qt's QSerialPort.
#pragma once

#include <QObject>
#include <QSerialPort>

#include "platform/serial_port.h"

namespace velkar {

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtSerialPort(QObject* parent = nullptr);
    bool open(const PortId& port, const SerialSettings& settings, std::string& error) override;
    void close() override;
    bool isOpen() const override;
    void setFlowControl(FlowControl flow) override;
    FlowControl flowControl() const override { return flow_; }
    bool write(std::string_view bytes) override;
    std::string readAll() override;
    bool lost() const override { return lost_; }
    std::string errorText() const override;
    std::string deviceName(const PortId& port) const override;
    std::vector<std::string> extraDevices() const override;

    QSerialPort* device() { return &port_; }

  signals:
    void activity();  // data arrived or the device went away

  private:
    void drain(int timeoutMs);  // waits until Qt has handed every byte to the system
    QSerialPort port_;
    FlowControl flow_ = FlowControl::None;
    bool lost_ = false;
    std::string pending_;  // received before a lost port was closed
};

}  // namespace velkar
