#pragma once
#include "audio/TrackSource.h"
#include <QThread>
#include <functional>
#include <vector>

// Renders a track as the audio callback would, in blocks, but never faster
// than its worker fills the ring, so no test depends on the machine's speed.
// before(frame) runs ahead of each block; a change of ratio it makes is
// placed before the next block, as the worker places it in time while the
// sound plays in real time. Stops at the end or after maxFrames.
inline std::vector<float> RenderTrack(TrackSource& track, std::int64_t maxFrames,
                                      const std::function<void(std::int64_t)>& before = {})
{
    constexpr int kBlock = 512;
    std::vector<float> out;
    float block[kBlock * AudioSource::Channels];
    for (std::int64_t frame = 0; frame < maxFrames; frame += kBlock) {
        while (!track.ready())
            QThread::msleep(1);
        if (before)
            before(frame);
        while (track.timeRatioPending())
            QThread::msleep(1);
        const int got = track.render(block, kBlock);
        out.insert(out.end(), block, block + got * AudioSource::Channels);
        if (got < kBlock)
            break;
    }
    return out;
}
