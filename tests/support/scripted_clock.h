// A clock that moves only when the test (or each reading) moves it.
#pragma once

#include "platform/clock.h"

namespace velkar::test {

class ScriptedClock : public Clock {
  public:
    explicit ScriptedClock(std::int64_t stepPerReading = 0) : step_(stepPerReading) {}
    std::int64_t milliseconds() override {
        const auto t = now_;
        now_ += step_;
        return t;
    }

  private:
    std::int64_t now_ = 0;
    std::int64_t step_;
};

}  // namespace velkar::test
