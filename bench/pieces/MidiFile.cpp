#include "MidiFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

// 960 ticks a quarter at 120 quarters a minute: 1920 ticks a second, half a millisecond each.
constexpr int kTicksPerQuarter = 960;
constexpr int kMicrosecondsPerQuarter = 500000;
constexpr double kTicksPerSecond = kTicksPerQuarter * 1e6 / kMicrosecondsPerQuarter;

void putVariable(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[5];
    int count = 0;
    do {
        bytes[count++] = std::uint8_t(value & 0x7f);
        value >>= 7;
    } while (value > 0);
    while (count > 1)
        out.push_back(std::uint8_t(bytes[--count] | 0x80));
    out.push_back(bytes[0]);
}

void putBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint8_t data(int value)
{
    return std::uint8_t(std::clamp(value, 0, 127));
}

} // namespace

std::int64_t MidiFile::tickAt(double seconds)
{
    return std::max<std::int64_t>(0, std::llround(seconds * kTicksPerSecond));
}

std::vector<MidiFile::Event>& MidiFile::track(int channel)
{
    for (auto& [number, events] : tracks_)
        if (number == channel)
            return events;
    tracks_.emplace_back(channel, std::vector<Event>());
    return tracks_.back().second;
}

void MidiFile::setChannel(int channel, int program, int volume, int pan, int reverb)
{
    auto& events = track(channel);
    const auto status = std::uint8_t(channel & 0x0f);
    events.push_back({0, 1, {std::uint8_t(0xc0 | status), data(program)}});
    events.push_back({0, 1, {std::uint8_t(0xb0 | status), 7, data(volume)}});
    events.push_back({0, 1, {std::uint8_t(0xb0 | status), 10, data(pan)}});
    events.push_back({0, 1, {std::uint8_t(0xb0 | status), 91, data(reverb)}});
}

void MidiFile::note(int channel, double seconds, double duration, int key, int velocity)
{
    auto& events = track(channel);
    const auto status = std::uint8_t(channel & 0x0f);
    const std::int64_t on = tickAt(seconds);
    const std::int64_t off = std::max(on + 1, tickAt(seconds + duration));
    events.push_back({on, 2, {std::uint8_t(0x90 | status), data(key), data(std::max(1, velocity))}});
    events.push_back({off, 0, {std::uint8_t(0x80 | status), data(key), 0}});
}

void MidiFile::controller(int channel, double seconds, int number, int value)
{
    track(channel).push_back({tickAt(seconds), 1, {std::uint8_t(0xb0 | (channel & 0x0f)), data(number), data(value)}});
}

bool MidiFile::write(const QString& path) const
{
    std::vector<std::uint8_t> out;
    auto chunk = [&out](const char* name, const std::vector<std::uint8_t>& body) {
        out.insert(out.end(), name, name + 4);
        putBig(out, std::uint32_t(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    };
    std::vector<std::uint8_t> header;
    putBig(header, 1, 2); // format 1: a tempo track, then one track a channel
    putBig(header, std::uint32_t(tracks_.size() + 1), 2);
    putBig(header, kTicksPerQuarter, 2);
    chunk("MThd", header);

    std::vector<std::uint8_t> tempo = {0x00, 0xff, 0x51, 0x03};
    putBig(tempo, kMicrosecondsPerQuarter, 3);
    tempo.insert(tempo.end(), {0x00, 0xff, 0x2f, 0x00});
    chunk("MTrk", tempo);

    for (const auto& [channel, unsorted] : tracks_) {
        std::vector<Event> events = unsorted;
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<std::uint8_t> body;
        std::int64_t last = 0;
        for (const Event& event : events) {
            putVariable(body, std::uint32_t(event.tick - last));
            body.insert(body.end(), event.bytes.begin(), event.bytes.end());
            last = event.tick;
        }
        body.insert(body.end(), {0x00, 0xff, 0x2f, 0x00});
        chunk("MTrk", body);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(out.data()), qint64(out.size())) == qint64(out.size());
}
