#include "Onsets.h"
#include <algorithm>
#include <cmath>

namespace {

// About 3 ms at 44.1 kHz: long enough to tell a drum's attack from another's.
constexpr std::size_t kWindow = 128;

double dot(const float* a, const float* b)
{
    double sum = 0;
    for (std::size_t i = 0; i < kWindow; ++i)
        sum += double(a[i]) * b[i];
    return sum;
}

} // namespace

std::vector<Onset> FindOnsets(const std::vector<float>& recording, const std::vector<std::vector<float>>& sounds,
                              std::int64_t minGapFrames, double minMatch)
{
    std::vector<double> soundNorms;
    for (const auto& sound : sounds)
        soundNorms.push_back(sound.size() >= kWindow ? std::sqrt(dot(sound.data(), sound.data())) : 0.0);
    std::vector<Onset> onsets;
    if (recording.size() < kWindow)
        return onsets;

    double energy = dot(recording.data(), recording.data());
    for (std::size_t p = 0; p + kWindow <= recording.size(); ++p) {
        if (p > 0) // the window's energy, kept up to date as it slides
            energy += double(recording[p + kWindow - 1]) * recording[p + kWindow - 1] -
                      double(recording[p - 1]) * recording[p - 1];
        if (energy < 1e-6 * kWindow)
            continue;
        Onset best{std::int64_t(p), -1, minMatch};
        for (std::size_t s = 0; s < sounds.size(); ++s) {
            if (soundNorms[s] == 0)
                continue;
            const double match = dot(recording.data() + p, sounds[s].data()) / (soundNorms[s] * std::sqrt(energy));
            if (match >= best.match)
                best = Onset{std::int64_t(p), int(s), match};
        }
        if (best.sound < 0)
            continue;
        if (!onsets.empty() && best.frame - onsets.back().frame < minGapFrames) {
            if (best.match > onsets.back().match)
                onsets.back() = best;
        }
        else {
            onsets.push_back(best);
        }
    }
    return onsets;
}

LineFit FitStraightLine(const std::vector<Onset>& onsets)
{
    LineFit fit;
    const double n = double(onsets.size());
    if (onsets.size() < 2)
        return fit;
    double sk = 0, sf = 0, skk = 0, skf = 0;
    for (std::size_t k = 0; k < onsets.size(); ++k) {
        sk += double(k);
        sf += double(onsets[k].frame);
        skk += double(k) * double(k);
        skf += double(k) * double(onsets[k].frame);
    }
    fit.spacingFrames = (n * skf - sk * sf) / (n * skk - sk * sk);
    const double first = (sf - fit.spacingFrames * sk) / n;
    for (std::size_t k = 0; k < onsets.size(); ++k)
        fit.offsetFrames.push_back(double(onsets[k].frame) - (first + fit.spacingFrames * double(k)));
    return fit;
}

std::vector<SoundingPart> FindSoundingParts(const std::vector<float>& recording, int rate, double minGapSeconds)
{
    std::vector<SoundingPart> parts;
    const auto minGap = std::int64_t(minGapSeconds * rate);
    std::int64_t start = -1;
    std::int64_t last = -1;
    const auto close = [&] {
        if (start >= 0)
            parts.push_back({double(start) / rate, double(last + 1) / rate});
    };
    for (std::size_t i = 0; i < recording.size(); ++i) {
        if (std::abs(recording[i]) <= 0.001f)
            continue;
        const auto frame = std::int64_t(i);
        if (start < 0 || frame - last > minGap) {
            close();
            start = frame;
        }
        last = frame;
    }
    close();
    return parts;
}

std::vector<float> SineTone(double hertz, double seconds, int rate)
{
    std::vector<float> samples(std::size_t(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.5f * float(std::sin(2 * M_PI * hertz * double(i) / rate));
    return samples;
}

namespace {

bool audible(float sample)
{
    return std::abs(sample) > 0.001f;
}

} // namespace

std::size_t FirstSound(const std::vector<float>& recording)
{
    return std::size_t(std::find_if(recording.begin(), recording.end(), audible) - recording.begin());
}

std::size_t LastSound(const std::vector<float>& recording)
{
    return recording.size() -
           std::size_t(std::find_if(recording.rbegin(), recording.rend(), audible) - recording.rbegin());
}

double ToneFrequency(const std::vector<float>& samples, std::size_t from, std::size_t to, int rate)
{
    double first = -1;
    double last = -1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < std::min(to, samples.size()); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) {
            last = double(i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]);
            first = first < 0 ? last : first;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * double(rate) / (last - first) : 0;
}
