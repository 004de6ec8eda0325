#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QTimer>

namespace velkar {

QtEventPump::QtEventPump(QObject* parent) : QObject(parent) {
    sinceLast_.start();
}

void QtEventPump::processPending() {
    // A conversion calls this once per line; running the event loop every
    // 20 ms keeps the window alive without costing the conversion its speed.
    if (sinceLast_.elapsed() < 20) return;
    sinceLast_.restart();
    QCoreApplication::processEvents();
}

void QtEventPump::waitForActivity(int timeoutMs) {
    QCoreApplication::processEvents();
    if (woken_) {
        woken_ = false;
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs < 0 ? 0 : timeoutMs);
    QEventLoop* outer = loop_;
    loop_ = &loop;
    loop.exec();
    loop_ = outer;
    woken_ = false;
}

void QtEventPump::wake() {
    if (loop_) {
        loop_->quit();
    } else {
        woken_ = true;
    }
}

}  // namespace velkar
