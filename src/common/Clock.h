#pragma once
#include <cstdint>

// Monotonic time source. Every clock of the program reads its time through
// this interface, so that tests can set the time instead of waiting for it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowNs() const = 0;
    std::int64_t nowMs() const { return nowNs() / 1000000; }
};

// The real clock: std::chrono::steady_clock, 64 bits, never wraps.
class SteadyClock : public Clock {
public:
    std::int64_t nowNs() const override;
};
