#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

// Interleaved float frames from one producer thread to one consumer thread
// that may be the audio callback: the consumer never blocks or allocates.
// Positions count frames since the start and never wrap. The producer may
// also splice: the consumer, on reaching one position, skips to a later one,
// so frames already written can be replaced by ones written after them.
class SampleRing {
public:
    SampleRing(int capacityFrames, int channels)
        : frames_(powerOfTwoFrom(capacityFrames)),
          channels_(channels),
          samples_(size_t(frames_) * size_t(channels))
    {
    }

    // Producer side.
    std::int64_t writePosition() const { return head_.load(std::memory_order_relaxed); }
    std::int64_t readPosition() const { return tail_.load(std::memory_order_acquire); }
    std::int64_t space() const { return frames_ - (writePosition() - readPosition()); }
    // Writes what fits of frames and returns how many.
    int write(const float* in, int frames)
    {
        const std::int64_t head = writePosition();
        const int count = int(std::min<std::int64_t>(frames, space()));
        for (int i = 0; i < count; ++i)
            std::copy_n(in + size_t(i) * channels_, channels_, slot(head + i));
        head_.store(head + count, std::memory_order_release);
        return count;
    }
    // Reads frames already written at position without consuming them; the
    // producer's own look at what a splice will skip.
    void peek(std::int64_t position, float* out, int frames) const
    {
        for (int i = 0; i < frames; ++i)
            std::copy_n(slot(position + i), channels_, out + size_t(i) * channels_);
    }
    bool splicePending() const { return spliceFrom_.load(std::memory_order_acquire) >= 0; }
    // The consumer, at from, goes on at to; one splice at a time.
    void splice(std::int64_t from, std::int64_t to)
    {
        spliceTo_.store(to, std::memory_order_relaxed);
        spliceFrom_.store(from, std::memory_order_release);
    }

    // Consumer side. Copies up to frames frames and returns how many.
    int read(float* out, int frames)
    {
        std::int64_t tail = tail_.load(std::memory_order_relaxed);
        int done = 0;
        while (done < frames) {
            std::int64_t end = head_.load(std::memory_order_acquire);
            const std::int64_t from = spliceFrom_.load(std::memory_order_acquire);
            if (from >= 0 && tail >= from) {
                // Late for the splice (it came while these frames were read): skip as far past its target.
                tail = std::min(end, spliceTo_.load(std::memory_order_relaxed) + (tail - from));
                // The new position first: the producer plans its next splice from it.
                tail_.store(tail, std::memory_order_release);
                spliceFrom_.store(-1, std::memory_order_release);
                continue;
            }
            if (from >= 0)
                end = std::min(end, from);
            const int count = int(std::min<std::int64_t>(frames - done, end - tail));
            if (count <= 0)
                break;
            for (int i = 0; i < count; ++i)
                std::copy_n(slot(tail + i), channels_, out + size_t(done + i) * channels_);
            done += count;
            tail += count;
        }
        tail_.store(tail, std::memory_order_release);
        return done;
    }

    // Either side: frames the consumer will still play.
    std::int64_t playable() const
    {
        const std::int64_t tail = tail_.load(std::memory_order_acquire);
        const std::int64_t head = head_.load(std::memory_order_acquire);
        const std::int64_t from = spliceFrom_.load(std::memory_order_acquire);
        if (from < 0 || from < tail)
            return head - tail;
        return (from - tail) + std::max<std::int64_t>(0, head - spliceTo_.load(std::memory_order_relaxed));
    }

private:
    static std::int64_t powerOfTwoFrom(int frames)
    {
        std::int64_t power = 1;
        while (power < frames)
            power *= 2;
        return power;
    }
    float* slot(std::int64_t position) { return samples_.data() + size_t(position & (frames_ - 1)) * channels_; }
    const float* slot(std::int64_t position) const
    {
        return samples_.data() + size_t(position & (frames_ - 1)) * channels_;
    }

    std::int64_t frames_;
    size_t channels_;
    std::vector<float> samples_;
    std::atomic<std::int64_t> head_{0};
    std::atomic<std::int64_t> tail_{0};
    std::atomic<std::int64_t> spliceFrom_{-1};
    std::atomic<std::int64_t> spliceTo_{0};
};
