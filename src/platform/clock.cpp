#include "platform/clock.h"

#include <chrono>

namespace velkar {

std::int64_t SteadyClock::milliseconds() {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace velkar
