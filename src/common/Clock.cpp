#include "common/Clock.h"
#include <chrono>

std::int64_t SteadyClock::nowNs() const
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
