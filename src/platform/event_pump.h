// Letting the window system run while a long routine works.
#pragma once

namespace velkar {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // "Let pending window events run" inside a conversion loop: never waits.
    // Implementations may skip the work when they ran very recently, so that a
    // loop over a million lines does not spend its time here.
    virtual void processPending() = 0;
    // Inside a transfer loop: run pending events, then wait until port data or
    // a window event arrives, or at most timeoutMs milliseconds.  Never spins.
    virtual void waitForActivity(int timeoutMs) = 0;
    // Ends a running wait at once (the stop button); a wake while nobody waits
    // makes the next wait return at once.
    virtual void wake() {}
};

// A pump with nothing to run (tests, batch runs).
class NullEventPump : public EventPump {
  public:
    void processPending() override {}
    void waitForActivity(int) override {}
};

}  // namespace velkar
