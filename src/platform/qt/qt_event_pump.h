// The event pump of the Qt front ends (window and command line).
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>

#include "platform/event_pump.h"

namespace velkar {

class QtEventPump : public QObject, public EventPump {
    Q_OBJECT
  public:
    explicit QtEventPump(QObject* parent = nullptr);
    void processPending() override;
    void waitForActivity(int timeoutMs) override;

  public slots:
    // Ends the current wait at once (port data, the stop button).  A wake that
    // comes while nobody waits makes the next wait return at once.
    void wake() override;

  private:
    QEventLoop* loop_ = nullptr;
    bool woken_ = false;
    QElapsedTimer sinceLast_;
};

}  // namespace velkar
