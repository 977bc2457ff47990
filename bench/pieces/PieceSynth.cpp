#include "PieceSynth.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr double Pi = 3.14159265358979323846;

enum class Drum { Kick, Snare, HiHat, Rim };

struct Hit {
    double beat; // position in beats from the bar's start
    Drum drum;
    float level;
};

// Patterns per metre, one bar each; eighths at x.5 are moved by the swing.
const std::vector<Hit>& Pattern(int beatsPerBar, int pattern)
{
    static const std::vector<Hit> fourFour[PieceSynth::PatternCount] = {
        // Rock and swing: kick 1 and 3, backbeat, eighth hats.
        {{0, Drum::Kick, 1},
         {1, Drum::Snare, .8f},
         {2, Drum::Kick, 1},
         {3, Drum::Snare, .8f},
         {0, Drum::HiHat, .35f},
         {.5, Drum::HiHat, .25f},
         {1, Drum::HiHat, .35f},
         {1.5, Drum::HiHat, .25f},
         {2, Drum::HiHat, .35f},
         {2.5, Drum::HiHat, .25f},
         {3, Drum::HiHat, .35f},
         {3.5, Drum::HiHat, .25f}},
        // Latin: kick on 1 and the "and" of 2, rim clave, hats on the off-beats.
        {{0, Drum::Kick, 1},
         {1.5, Drum::Kick, .7f},
         {2, Drum::Kick, .9f},
         {0, Drum::Rim, .5f},
         {1.5, Drum::Rim, .5f},
         {3, Drum::Rim, .5f},
         {.5, Drum::HiHat, .3f},
         {1.5, Drum::HiHat, .3f},
         {2.5, Drum::HiHat, .3f},
         {3.5, Drum::HiHat, .3f},
         {3, Drum::Snare, .5f}},
        // Four on the floor with a snare on 4 and sixteenth-ish hats.
        {{0, Drum::Kick, 1},
         {1, Drum::Kick, .8f},
         {2, Drum::Kick, 1},
         {3, Drum::Kick, .8f},
         {3, Drum::Snare, .7f},
         {1, Drum::Snare, .4f},
         {.5, Drum::HiHat, .3f},
         {1.5, Drum::HiHat, .3f},
         {2.5, Drum::HiHat, .3f},
         {3.5, Drum::HiHat, .3f},
         {3.75, Drum::HiHat, .15f}}};
    static const std::vector<Hit> threeFour[PieceSynth::PatternCount] = {
        // Waltz: strong one, soft two and three.
        {{0, Drum::Kick, 1},
         {1, Drum::Snare, .4f},
         {2, Drum::Snare, .4f},
         {0, Drum::HiHat, .3f},
         {1, Drum::HiHat, .25f},
         {2, Drum::HiHat, .25f}},
        // Viennese: one, then hats on two and three with an eighth pickup.
        {{0, Drum::Kick, 1},
         {1, Drum::HiHat, .35f},
         {2, Drum::HiHat, .35f},
         {2.5, Drum::HiHat, .15f},
         {1, Drum::Rim, .3f},
         {2, Drum::Rim, .3f}},
        // Slow waltz with brushes: kick on one, snare on three, eighth hats.
        {{0, Drum::Kick, .9f},
         {2, Drum::Snare, .5f},
         {0, Drum::HiHat, .2f},
         {.5, Drum::HiHat, .15f},
         {1, Drum::HiHat, .2f},
         {1.5, Drum::HiHat, .15f},
         {2, Drum::HiHat, .2f},
         {2.5, Drum::HiHat, .15f}}};
    const int index = std::clamp(pattern, 0, PieceSynth::PatternCount - 1);
    return beatsPerBar == 3 ? threeFour[index] : fourFour[index];
}

class Mixer {
public:
    Mixer(std::vector<float>& out, std::uint32_t seed)
        : out_(out),
          noise_(seed)
    {
    }

    void drum(double at, Drum drum, float level)
    {
        switch (drum) {
        case Drum::Kick:
            return sweep(at, 110, 45, 0.25, level);
        case Drum::Snare:
            tone(at, 190, 0.08, level * .4f);
            return noise(at, 0.15, level * .6f, false);
        case Drum::HiHat:
            return noise(at, 0.05, level, true);
        case Drum::Rim:
            return tone(at, 820, 0.03, level);
        }
    }

    // A plucked note: a few harmonics with an exponential decay.
    void note(double at, double frequency, double seconds, float level)
    {
        const int start = int(at * PieceSynth::SampleRate);
        const int length = int(seconds * PieceSynth::SampleRate);
        for (int i = 0; i < length && start + i < int(out_.size()); ++i) {
            const double t = double(i) / PieceSynth::SampleRate;
            const double env = std::exp(-3.0 * t / seconds) * std::min(1.0, t / 0.01);
            const double wave = std::sin(2 * Pi * frequency * t) + 0.3 * std::sin(4 * Pi * frequency * t);
            if (start + i >= 0)
                out_[size_t(start + i)] += float(level * env * wave);
        }
    }

    // A bowed or blown note: a slow swell, a held body and a soft release;
    // its onset is smeared over the attack as a string section's is.
    void swell(double at, double frequency, double seconds, double attack, float level, int harmonics)
    {
        const int start = int(at * PieceSynth::SampleRate);
        const int length = int(seconds * PieceSynth::SampleRate);
        for (int i = 0; i < length && start + i < int(out_.size()); ++i) {
            const double t = double(i) / PieceSynth::SampleRate;
            const double env = std::min(1.0, t / attack) * std::min(1.0, (seconds - t) / 0.08) * std::exp(-t / 1.5);
            double wave = 0;
            for (int h = 1; h <= harmonics; ++h)
                wave += std::sin(2 * Pi * frequency * h * t * (1 + 0.0007 * h)) / h;
            if (start + i >= 0)
                out_[size_t(start + i)] += float(level * env * wave);
        }
    }

    // A feedback comb per delay over the whole mix: a plain hall that blurs onsets as rooms do.
    void reverberate(double amount)
    {
        if (amount <= 0)
            return;
        const std::vector<float> dry = out_;
        for (double delaySeconds : {0.0297, 0.0371, 0.0411, 0.0437}) {
            const auto delay = size_t(delaySeconds * PieceSynth::SampleRate);
            std::vector<float> wet(dry.size(), 0.0f);
            for (size_t i = delay; i < dry.size(); ++i)
                wet[i] = dry[i - delay] + 0.84f * wet[i - delay];
            for (size_t i = 0; i < dry.size(); ++i)
                out_[i] += float(amount * 0.25) * 0.16f * wet[i];
        }
    }

private:
    void sweep(double at, double from, double to, double seconds, float level)
    {
        double phase = 0;
        const int start = int(at * PieceSynth::SampleRate);
        for (int i = 0; i < int(seconds * PieceSynth::SampleRate) && start + i < int(out_.size()); ++i) {
            const double t = double(i) / PieceSynth::SampleRate;
            phase += 2 * Pi * (to + (from - to) * std::exp(-t / 0.04)) / PieceSynth::SampleRate;
            out_[size_t(start + i)] += float(level * std::exp(-t / (seconds / 4)) * std::sin(phase));
        }
    }

    void tone(double at, double frequency, double seconds, float level)
    {
        const int start = int(at * PieceSynth::SampleRate);
        for (int i = 0; i < int(seconds * PieceSynth::SampleRate) && start + i < int(out_.size()); ++i) {
            const double t = double(i) / PieceSynth::SampleRate;
            out_[size_t(start + i)] += float(level * std::exp(-t / (seconds / 4)) * std::sin(2 * Pi * frequency * t));
        }
    }

    void noise(double at, double seconds, float level, bool bright)
    {
        std::uniform_real_distribution<float> white(-1, 1);
        const int start = int(at * PieceSynth::SampleRate);
        float previous = 0;
        for (int i = 0; i < int(seconds * PieceSynth::SampleRate) && start + i < int(out_.size()); ++i) {
            const double t = double(i) / PieceSynth::SampleRate;
            const float n = white(noise_);
            const float sample = bright ? n - previous : n; // a difference lifts the highs
            previous = n;
            out_[size_t(start + i)] += float(level * std::exp(-t / (seconds / 4)) * sample);
        }
    }

    std::vector<float>& out_;
    std::mt19937 noise_;
};

double Frequency(int semitonesFromA2)
{
    return 110.0 * std::pow(2.0, semitonesFromA2 / 12.0);
}

// The orchestral waltz: bass on one (soft), strings and brass on two and
// three, a melody whose dotted figure and tied notes leave one unmarked.
void RenderOrchestral(Mixer& mixer, const PieceRecipe& recipe, std::mt19937& random)
{
    std::normal_distribution<double> late(0, recipe.humaniseSeconds);
    auto at = [&](double seconds) { return recipe.humaniseSeconds > 0 ? seconds + late(random) : seconds; };
    const double beatSeconds = 60.0 / (recipe.barsPerMinute * 3);
    const double barSeconds = 3 * beatSeconds;
    static const int progression[] = {0, 0, 5, 5, 7, 7, 0, 0}; // two bars a chord, as waltzes phrase
    // Melody figures in beats and scale steps: a dotted quarter and eighth, flowing eighths, a held note.
    static const std::vector<std::pair<double, int>> figures[] = {
        {{0, 4}, {1.5, 5}, {2, 7}},
        {{0, 9}, {0.5, 7}, {1, 5}, {1.5, 4}, {2, 2}, {2.5, 4}},
        {{0, 5}, {2, 4}},
        {{0, 7}},
    };
    for (int bar = 0;; ++bar) {
        const double barStart = bar * barSeconds;
        if (barStart >= recipe.seconds)
            break;
        const int root = progression[bar % 8];
        if (bar < recipe.introBars) {
            for (int interval : {12, 16, 19})
                mixer.swell(at(barStart), Frequency(root + interval), barSeconds, 0.3, 0.05f, 4);
            continue;
        }
        mixer.note(at(barStart), Frequency(root), beatSeconds * 2, 0.22f);
        for (int beat = 1; beat < 3; ++beat) {
            for (int interval : {12, 16, 19})
                mixer.swell(at(barStart + beat * beatSeconds), Frequency(root + interval), beatSeconds * 0.8, 0.04,
                            0.05f, 5);
            mixer.swell(at(barStart + beat * beatSeconds), Frequency(root + 24), beatSeconds * 0.4, 0.015, 0.07f, 8);
        }
        for (const auto& [beat, step] : figures[(bar / 2 + bar % 2 * 3) % 4]) {
            static const int scale[] = {0, 2, 4, 5, 7, 9, 11};
            const int semitones = 24 + root + scale[step % 7] + 12 * (step / 7);
            mixer.swell(at(barStart + beat * beatSeconds), Frequency(semitones), beatSeconds * 1.2, 0.06, 0.08f, 3);
        }
    }
}

void RenderBand(Mixer& mixer, const PieceRecipe& recipe);

} // namespace

std::vector<float> PieceSynth::render(const PieceRecipe& recipe)
{
    std::vector<float> out(size_t(recipe.seconds * SampleRate), 0.0f);
    Mixer mixer(out, recipe.seed);
    std::mt19937 random(recipe.seed);
    if (recipe.orchestral && recipe.beatsPerBar == 3)
        RenderOrchestral(mixer, recipe, random);
    else
        RenderBand(mixer, recipe);
    mixer.reverberate(recipe.reverb);
    const float peak = std::max(
        1e-6f, *std::max_element(out.begin(), out.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
    for (float& s : out)
        s *= 0.8f / std::abs(peak);
    return out;
}

namespace {

void RenderBand(Mixer& mixer, const PieceRecipe& recipe)
{
    const double beatSeconds = 60.0 / (recipe.barsPerMinute * recipe.beatsPerBar);
    const double barSeconds = beatSeconds * recipe.beatsPerBar;
    const std::vector<Hit>& hits = Pattern(recipe.beatsPerBar, recipe.pattern);
    static const int progression[] = {0, 5, 7, 0, 3, 5, 7, 7}; // I IV V I ii IV V V (a semitone grid from A)
    auto place = [&](double beat) {
        const double whole = std::floor(beat);
        const double offEighth = beat - whole == 0.5 ? recipe.swing * 0.5 : 0; // swung eighths come later
        return (whole + (beat - whole) + offEighth) * beatSeconds;
    };
    for (int bar = 0;; ++bar) {
        const double barStart = bar * barSeconds;
        if (barStart >= recipe.seconds)
            break;
        const int root = progression[bar % 8];
        // Chords: sustained in the intro, on the beats after the first later on.
        if (bar < recipe.introBars) {
            for (int interval : {12, 16, 19})
                mixer.note(barStart, Frequency(root + interval), barSeconds, 0.12f);
            continue;
        }
        for (const Hit& hit : hits)
            mixer.drum(barStart + place(hit.beat), hit.drum, hit.level * 0.5f);
        mixer.note(barStart, Frequency(root), beatSeconds * 1.5, 0.35f);
        if (recipe.beatsPerBar == 4)
            mixer.note(barStart + 2 * beatSeconds, Frequency(root + 7), beatSeconds * 1.5, 0.3f);
        for (int beat = 1; beat < recipe.beatsPerBar; ++beat)
            for (int interval : {12, 16, 19})
                mixer.note(barStart + place(beat), Frequency(root + interval), beatSeconds * 0.6, 0.06f);
    }
}

} // namespace

bool PieceSynth::writeWav(const QString& path, const std::vector<float>& samples, int sampleRate, int channels)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray header;
    auto put32 = [&](quint32 v) {
        v = qToLittleEndian(v);
        header.append(reinterpret_cast<const char*>(&v), 4);
    };
    auto put16 = [&](quint16 v) {
        v = qToLittleEndian(v);
        header.append(reinterpret_cast<const char*>(&v), 2);
    };
    header.append("RIFF");
    put32(36 + dataBytes);
    header.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(quint16(channels));
    put32(quint32(sampleRate));
    put32(quint32(sampleRate * 2 * channels));
    put16(quint16(2 * channels));
    put16(16);
    header.append("data");
    put32(dataBytes);
    QByteArray data(int(dataBytes), Qt::Uninitialized);
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto value = qint16(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767));
        qToLittleEndian(value, data.data() + 2 * i);
    }
    return file.write(header) == header.size() && file.write(data) == data.size();
}
