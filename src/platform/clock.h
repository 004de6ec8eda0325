// Monotonic time for the waits of the transfers.
#pragma once

#include <cstdint>

namespace velkar {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t milliseconds() = 0;  // monotonic
};

class SteadyClock : public Clock {
  public:
    std::int64_t milliseconds() override;
};

}  // namespace velkar
