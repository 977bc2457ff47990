#pragma once
#include "common/Clock.h"

// A clock that stands still until the test moves it.
class ManualClock : public Clock {
public:
    std::int64_t nowNs() const override { return now_; }
    void setMs(std::int64_t ms) { now_ = ms * 1000000; }
    void setNs(std::int64_t ns) { now_ = ns; }
    void advanceMs(double ms) { now_ += static_cast<std::int64_t>(ms * 1000000.0); }

private:
    std::int64_t now_ = 1000000000; // not zero: a zero reading is often a sentinel
};
