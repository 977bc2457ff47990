// What a recording of the program's output holds: where each built-in drum
// sound and the standard beep begin, and how evenly the drum beats and the
// beeps are spaced. For checking the running program by ear, as it were:
// record the sound server's monitor while it plays, e.g.
//
//   parecord --device=SINK.monitor --raw --format=float32le --rate=44100 --channels=1 rec.raw
//   build/bin/onsets rec.raw [BEAT_MS]
//
// BEAT_MS, the metronome's beat length, keeps onsets of one beat apart (default 75).
#include "Onsets.h"
#include "audio/SoundSamples.h"
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 44100;
const char* const kNames[] = {"accent", "click", "beep"};

std::vector<float> builtIn(const QString& name)
{
    return renderForOutput(*parseWave(builtInWaveImages().value(name)), kRate);
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size() - 1) + 0.5))];
}

// Spacing and spread about a straight line of the onsets of the given sounds.
void printRow(const std::vector<Onset>& all, std::initializer_list<int> sounds, const char* what)
{
    std::vector<Onset> row;
    for (const Onset& onset : all)
        if (std::find(sounds.begin(), sounds.end(), onset.sound) != sounds.end())
            row.push_back(onset);
    std::printf("%s: %zu", what, row.size());
    if (row.size() < 3) {
        std::printf("\n");
        return;
    }
    const LineFit line = FitStraightLine(row);
    std::vector<double> offsetsMs;
    for (double offset : line.offsetFrames)
        offsetsMs.push_back(std::abs(offset) * 1000.0 / kRate);
    std::printf(
        ", from %.3f s to %.3f s, spacing %.3f ms; off a straight line: p50 %.2f ms, p95 %.2f ms, max %.2f ms\n",
        double(row.front().frame) / kRate, double(row.back().frame) / kRate, line.spacingFrames * 1000.0 / kRate,
        percentile(offsetsMs, 0.5), percentile(offsetsMs, 0.95), *std::max_element(offsetsMs.begin(), offsetsMs.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: onsets RECORDING.raw [BEAT_MS]  (float32 mono at %d Hz)\n", kRate);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray bytes = file.readAll();
    std::vector<float> recording(std::size_t(bytes.size()) / sizeof(float));
    std::memcpy(recording.data(), bytes.constData(), recording.size() * sizeof(float));
    const double beatMs = argc > 2 ? std::atof(argv[2]) : 75.0;

    const auto onsets = FindOnsets(recording, {builtIn("TOMTOM_HI"), builtIn("DRUM_STICK"), standardBeep(kRate)},
                                   std::int64_t(beatMs / 2 * kRate / 1000));
    std::printf("%.1f s recorded\n", double(recording.size()) / kRate);
    for (const Onset& onset : onsets)
        std::printf("  %10.4f s  %-6s  match %.3f\n", double(onset.frame) / kRate, kNames[onset.sound], onset.match);
    printRow(onsets, {0, 1}, "drum beats");
    printRow(onsets, {0}, "accents");
    printRow(onsets, {2}, "beeps");
    return 0;
}
