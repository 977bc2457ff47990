#include "ArrangedPiece.h"
#include "MidiFile.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Channels by role; drums on the General MIDI drum channel.
enum Channel { Bass = 0, Chords = 1, Melody = 2, Pad = 3, Extra = 4, Intro = 5, Drums = MidiFile::DrumChannel };

// General MIDI drum keys.
enum Drum {
    KickSoft = 35,
    Kick = 36,
    SideStick = 37,
    Snare = 38,
    Clap = 39,
    SnareTwo = 40,
    FloorLow = 41,
    HatClosed = 42,
    FloorHigh = 43,
    HatPedal = 44,
    Crash = 49,
    Ride = 51,
    Cowbell = 56,
    BongoHigh = 60,
    BongoLow = 61,
    CongaMute = 62,
    CongaOpen = 63,
    CongaLow = 64,
    TimbaleHigh = 65,
    TimbaleLow = 66,
    AgogoHigh = 67,
    AgogoLow = 68,
    Maracas = 70,
    WhistleLong = 72,
    GuiroShort = 73,
    GuiroLong = 74,
    Claves = 75,
    WoodBlock = 76,
    CuicaOpen = 79,
    Triangle = 81,
};

// General MIDI kits chosen by the drum channel's program.
constexpr int kStandardKit = 0;
constexpr int kJazzKit = 32;
constexpr int kBrushKit = 40;

struct Chord {
    int root; // semitones above the key
    bool minor;
};

// A bar's figure of a part: onsets and lengths in beats from the bar's start.
struct Step {
    double beat;
    double length;
};

class Arranger {
public:
    Arranger(const ArrangementRecipe& recipe)
        : recipe_(recipe),
          random_(recipe.seed),
          beatsPerBar_(ArrangedPiece::beatsPerBar(recipe.dance))
    {
        key_ = 43 + int(random_() % 7); // G2 to C#3 for the bass's root
        drift_ = recipe.drift;
        driftPhase_ = std::uniform_real_distribution<double>(0, 2 * Pi)(random_);
    }

    double write(const QString& path)
    {
        setUp();
        const double grooveStart = rubatoIntro();
        layGrid(grooveStart);
        const int breakBar = recipe_.withBreak ? int(bars_ * 0.55) : -1;
        for (int bar = 0; bar < bars_; ++bar) {
            const bool rhythm = bar != breakBar && bar != breakBar + 1;
            arrangeBar(bar, rhythm);
        }
        if (!midi_.write(path) || bars_ < 4)
            return 0;
        const double grooveSeconds = at(double(bars_ * beatsPerBar_)) - at(0);
        return 60.0 * bars_ / grooveSeconds;
    }

private:
    // --- time ---------------------------------------------------------------

    // Beat times of the groove: the local tempo swings slowly (a period of
    // about 40 s) by up to the drift around the nominal one.
    void layGrid(double start)
    {
        const double beatsPerMinute = recipe_.barsPerMinute * beatsPerBar_;
        const double nominal = 60.0 / beatsPerMinute;
        const double periodBeats = beatsPerMinute * 40 / 60;
        beatTimes_.assign(1, start);
        constexpr int kSteps = 16;
        for (int beat = 0; beatTimes_.back() < recipe_.seconds + 4 * nominal; ++beat) {
            double t = beatTimes_.back();
            for (int step = 0; step < kSteps; ++step) {
                const double b = beat + (step + 0.5) / kSteps;
                t += nominal / kSteps / (1 + drift_ * std::sin(2 * Pi * b / periodBeats + driftPhase_));
            }
            beatTimes_.push_back(t);
        }
        // Whole bars that end before the piece does.
        bars_ = 0;
        for (size_t end = size_t(beatsPerBar_); end < beatTimes_.size() && beatTimes_[end] <= recipe_.seconds;
             end += size_t(beatsPerBar_))
            ++bars_;
    }

    // Seconds of a position in beats from the groove's start.
    double at(double beat) const
    {
        const auto whole = size_t(std::clamp(std::floor(beat), 0.0, double(beatTimes_.size() - 2)));
        const double part = beat - double(whole);
        return beatTimes_[whole] + part * (beatTimes_[whole + 1] - beatTimes_[whole]);
    }

    double late(double scale = 1)
    {
        if (recipe_.humaniseSeconds <= 0)
            return 0;
        return std::normal_distribution<double>(0, recipe_.humaniseSeconds * scale)(random_);
    }

    int varied(int velocity, int spread = 6) { return velocity + int(random_() % unsigned(2 * spread + 1)) - spread; }

    double chance() { return std::uniform_real_distribution<double>(0, 1)(random_); }

    // A note at a position in beats of a bar, humanised; the drum channel
    // is played tighter than the band.
    void play(int channel, int bar, double beat, double beats, int key, int velocity)
    {
        const double position = bar * beatsPerBar_ + beat;
        const double start = at(position) + late(channel == Drums ? 0.5 : 1);
        const double length = std::max(0.03, at(position + beats) - at(position));
        midi_.note(channel, std::max(0.0, start), length, key, varied(velocity));
    }

    void playChord(int channel, int bar, double beat, double beats, const std::vector<int>& keys, int velocity)
    {
        for (int key : keys)
            play(channel, bar, beat, beats, key, velocity);
    }

    // Eighths on the half beat moved towards the triplet by the swing (1/3: the triplet).
    static double swung(double beat, double swing)
    {
        const double whole = std::floor(beat);
        return std::abs(beat - whole - 0.5) < 1e-9 ? whole + 0.5 + swing * 0.5 : beat;
    }

    // --- harmony ------------------------------------------------------------

    Chord chordOf(int bar) const
    {
        static const Chord major[] = {{0, false}, {0, false}, {9, true},  {5, false},
                                      {2, true},  {7, false}, {0, false}, {7, false}};
        static const Chord minor[] = {{0, true}, {0, true},  {5, true},  {7, false},
                                      {0, true}, {8, false}, {7, false}, {7, false}};
        const bool inMinor = recipe_.dance == ArrangedDance::Tango || recipe_.dance == ArrangedDance::PasoDoble ||
                             recipe_.dance == ArrangedDance::Rumba;
        const int slot = (bar / (beatsPerBar_ == 2 ? 2 : 1)) % 8;
        return inMinor ? minor[slot] : major[slot];
    }

    int bassKey(int bar, int degree = 0) const
    {
        const Chord chord = chordOf(bar);
        static const int fromRoot[] = {0, 4, 7, 9, 10}; // root, third, fifth, sixth, seventh
        int interval = fromRoot[std::clamp(degree, 0, 4)];
        if (degree == 1 && chord.minor)
            interval = 3;
        return key_ + chord.root % 12 + interval - (chord.root > 6 ? 12 : 0);
    }

    std::vector<int> chordKeys(int bar, int octave = 1) const
    {
        const Chord chord = chordOf(bar);
        const int root = key_ + 12 * octave + chord.root;
        return {root, root + (chord.minor ? 3 : 4), root + 7};
    }

    // A melody note near the previous one: a chord tone on strong positions,
    // a step of the scale otherwise.
    int melodyKey(int bar, bool strong)
    {
        const Chord chord = chordOf(bar);
        const bool minorKey = chordOf(0).minor;
        static const int majorScale[] = {0, 2, 4, 5, 7, 9, 11};
        static const int minorScale[] = {0, 2, 3, 5, 7, 8, 11};
        const int* scale = minorKey ? minorScale : majorScale;
        const int base = key_ + 24;
        std::vector<int> choices;
        for (int octave = 0; octave < 3; ++octave) {
            for (int degree = 0; degree < 7; ++degree) {
                const int key = base + 12 * octave + scale[degree];
                const int fromRoot = ((key - base - chord.root) % 12 + 12) % 12;
                const bool chordTone = fromRoot == 0 || fromRoot == 7 || fromRoot == (chord.minor ? 3 : 4);
                if (key >= 64 && key <= 86 && std::abs(key - melody_) <= (strong ? 5 : 3) && (!strong || chordTone))
                    choices.push_back(key);
            }
        }
        if (choices.empty())
            melody_ = 74;
        else
            melody_ = choices[random_() % choices.size()];
        return melody_;
    }

    // One bar of melody from a figure chosen among the dance's.
    void melody(int bar, const std::vector<std::vector<Step>>& figures, int velocity, double swing = 0,
                double legato = 0.95)
    {
        const std::vector<Step>& figure = figures[random_() % figures.size()];
        for (const Step& step : figure) {
            const bool strong = std::abs(step.beat - std::round(step.beat)) < 1e-9;
            play(Melody, bar, swung(step.beat, swing), step.length * legato, melodyKey(bar, strong),
                 strong ? velocity : velocity - 10);
        }
    }

    // --- form ---------------------------------------------------------------

    // Free chords and a melody before the groove, at a wandering tempo
    // slower than the piece's; returns when the groove starts.
    double rubatoIntro()
    {
        double t = 0.2;
        if (recipe_.introBars <= 0)
            return t;
        const double nominal = 60.0 / (recipe_.barsPerMinute * beatsPerBar_);
        for (int bar = 0; bar < recipe_.introBars; ++bar) {
            const std::vector<int> keys = chordKeys(bar, 1);
            for (int beat = 0; beat < beatsPerBar_; ++beat) {
                const double beatSeconds =
                    nominal * std::uniform_real_distribution<double>(1.1, 1.6)(random_) * (1 + 0.1 * beat);
                if (beat == 0) {
                    midi_.note(Intro, t, beatsPerBar_ * beatSeconds, bassKey(bar) - 12, 60);
                    for (size_t i = 0; i < keys.size(); ++i)
                        midi_.note(Intro, t + 0.06 * double(i), beatsPerBar_ * beatSeconds, keys[i], 50);
                }
                midi_.note(Intro, t + 0.3 * beatSeconds, beatSeconds, melodyKey(bar, beat == 0), 70);
                t += beatSeconds;
            }
        }
        return t + 0.5; // a breath before the band comes in
    }

    // --- the dances ---------------------------------------------------------

    void setUp()
    {
        const int v = recipe_.variant;
        switch (recipe_.dance) {
        case ArrangedDance::SlowWaltz:
            midi_.setChannel(Bass, 32, 80, 60, 80);
            midi_.setChannel(Chords, 48, 85, 80, 100);
            midi_.setChannel(Melody, v == 1 ? 73 : 40, 100, 64, 90);
            midi_.setChannel(Pad, 49, 70, 40, 110);
            midi_.setChannel(Extra, 46, 70, 90, 90);
            midi_.setChannel(Intro, 0, 90, 64, 80);
            if (v > 0)
                midi_.setChannel(Drums, v == 1 ? kBrushKit : kJazzKit, 70, 64, 60);
            break;
        case ArrangedDance::VienneseWaltz:
            midi_.setChannel(Bass, 43, 90, 60, 80);
            midi_.setChannel(Chords, v == 2 ? 45 : 60, 85, 80, 90);
            midi_.setChannel(Melody, 40, 105, 64, 90);
            midi_.setChannel(Pad, 48, 65, 40, 110);
            midi_.setChannel(Intro, 46, 90, 64, 90);
            if (v == 1)
                midi_.setChannel(Drums, kStandardKit, 60, 64, 70);
            break;
        case ArrangedDance::Tango:
            midi_.setChannel(Bass, 32, 100, 64, 40);
            midi_.setChannel(Chords, 23, 100, 50, 50);
            midi_.setChannel(Melody, 40, 105, 80, 60);
            midi_.setChannel(Pad, 45, 80, 90, 50);
            midi_.setChannel(Intro, 0, 90, 64, 60);
            if (v == 0)
                midi_.setChannel(Drums, kStandardKit, 85, 64, 40);
            break;
        case ArrangedDance::SlowFox:
            midi_.setChannel(Bass, 32, 100, 64, 50);
            midi_.setChannel(Chords, 0, 80, 80, 70);
            midi_.setChannel(Melody, v == 0 ? 66 : 59, 100, 50, 80);
            midi_.setChannel(Pad, 48, 60, 40, 100);
            midi_.setChannel(Intro, 0, 90, 64, 70);
            midi_.setChannel(Drums, v == 0 ? kBrushKit : kJazzKit, 80, 64, 60);
            break;
        case ArrangedDance::Quickstep:
            midi_.setChannel(Bass, 32, 100, 64, 50);
            midi_.setChannel(Chords, 61, 85, 80, 70);
            midi_.setChannel(Melody, 71, 100, 50, 70);
            midi_.setChannel(Pad, 0, 70, 40, 60);
            midi_.setChannel(Intro, 0, 90, 64, 70);
            midi_.setChannel(Drums, v == 0 ? kStandardKit : kBrushKit, 85, 64, 50);
            break;
        case ArrangedDance::Samba:
            midi_.setChannel(Bass, 33, 100, 64, 40);
            midi_.setChannel(Chords, 24, 80, 80, 50);
            midi_.setChannel(Melody, 56, 95, 50, 70);
            midi_.setChannel(Pad, 61, 80, 64, 60);
            midi_.setChannel(Intro, 0, 90, 64, 60);
            midi_.setChannel(Drums, kStandardKit, 95, 64, 40);
            break;
        case ArrangedDance::ChaCha:
            midi_.setChannel(Bass, 33, 100, 64, 40);
            midi_.setChannel(Chords, 0, 80, 80, 50);
            midi_.setChannel(Melody, 73, 95, 50, 70);
            midi_.setChannel(Pad, 48, 55, 40, 90);
            midi_.setChannel(Intro, 0, 90, 64, 60);
            midi_.setChannel(Drums, kStandardKit, 90, 64, 40);
            break;
        case ArrangedDance::Rumba:
            midi_.setChannel(Bass, 32, 95, 64, 50);
            midi_.setChannel(Chords, 24, 75, 80, 70);
            midi_.setChannel(Melody, v == 0 ? 65 : 40, 95, 50, 90);
            midi_.setChannel(Pad, 48, 65, 40, 100);
            midi_.setChannel(Intro, 0, 90, 64, 80);
            midi_.setChannel(Drums, kStandardKit, 80, 64, 50);
            break;
        case ArrangedDance::PasoDoble:
            midi_.setChannel(Bass, 58, 90, 64, 60);
            midi_.setChannel(Chords, 57, 80, 80, 70);
            midi_.setChannel(Melody, 56, 105, 50, 70);
            midi_.setChannel(Pad, 48, 60, 40, 90);
            midi_.setChannel(Intro, 61, 90, 64, 80);
            midi_.setChannel(Drums, kStandardKit, 85, 64, 60);
            break;
        case ArrangedDance::Jive:
            midi_.setChannel(Bass, 33, 100, 64, 40);
            midi_.setChannel(Chords, 0, 85, 80, 50);
            midi_.setChannel(Melody, 65, 95, 50, 60);
            midi_.setChannel(Pad, 61, 75, 40, 60);
            midi_.setChannel(Intro, 0, 90, 64, 60);
            midi_.setChannel(Drums, kStandardKit, 90, 64, 40);
            break;
        }
    }

    void arrangeBar(int bar, bool rhythm)
    {
        if (!rhythm) {
            // A break: a held chord and a long melody note, the grid going on silently.
            playChord(Pad, bar, 0, beatsPerBar_ - 0.1, chordKeys(bar, 1), 60);
            if (bar % 2 == 0)
                play(Melody, bar, 0, 2 * beatsPerBar_ - 0.2, melodyKey(bar, true), 80);
            return;
        }
        switch (recipe_.dance) {
        case ArrangedDance::SlowWaltz:
            return slowWaltz(bar);
        case ArrangedDance::VienneseWaltz:
            return vienneseWaltz(bar);
        case ArrangedDance::Tango:
            return tango(bar);
        case ArrangedDance::SlowFox:
            return slowFox(bar);
        case ArrangedDance::Quickstep:
            return quickstep(bar);
        case ArrangedDance::Samba:
            return samba(bar);
        case ArrangedDance::ChaCha:
            return chaCha(bar);
        case ArrangedDance::Rumba:
            return rumba(bar);
        case ArrangedDance::PasoDoble:
            return pasoDoble(bar);
        case ArrangedDance::Jive:
            return jive(bar);
        }
    }

    // Soft bass on one (every other bar a fifth, sometimes none), bowed
    // chords on two and three, a harp's eighths in half the phrases, a
    // melody of dotted and tied notes; variants add brushes or a ride on every beat.
    void slowWaltz(int bar)
    {
        if (bar % 2 == 0 || chance() > 0.3)
            play(Bass, bar, 0, 2.5, bassKey(bar, bar % 2 == 0 ? 0 : 2), 50);
        for (double beat : {1.0, 2.0})
            playChord(Chords, bar, beat, 0.9, chordKeys(bar), 52);
        if (bar % 2 == 0)
            playChord(Pad, bar, 0, 5.8, chordKeys(bar, 2), 38);
        if (bar % 8 >= 4) {
            const std::vector<int> keys = chordKeys(bar, 2);
            for (int eighth = 0; eighth < 6; ++eighth)
                play(Extra, bar, eighth * 0.5, 0.6, keys[size_t(eighth) % 3] + (eighth >= 3 ? 12 : 0), 42);
        }
        melody(bar, {{{0, 3}}, {{0, 2}, {2, 1}}, {{0, 1.5}, {1.5, 0.5}, {2, 1}}, {{1, 2}}, {{0, 1}, {1, 1}, {2, 1}}},
               78);
        if (recipe_.variant == 1) {
            for (int beat = 0; beat < 3; ++beat)
                play(Drums, bar, beat, 0.5, beat == 0 ? Snare : SnareTwo, beat == 0 ? 40 : 32);
        }
        else if (recipe_.variant == 2) {
            for (int beat = 0; beat < 3; ++beat)
                play(Drums, bar, beat, 0.5, Ride, 52);
            play(Drums, bar, 0, 0.5, KickSoft, 45);
        }
    }

    // Bass on one, horns (or pizzicato) on two and three with the second beat
    // early as Viennese bands play it, long violin lines.
    void vienneseWaltz(int bar)
    {
        play(Bass, bar, 0, 0.9, bassKey(bar, bar % 2 == 0 ? 0 : 2), 62);
        playChord(Chords, bar, 0.92, 0.5, chordKeys(bar), 62);
        playChord(Chords, bar, 2.0, 0.5, chordKeys(bar), 58);
        if (bar % 4 == 0)
            playChord(Pad, bar, 0, 11.5, chordKeys(bar, 2), 40);
        melody(bar, {{{0, 3}}, {{0, 2}, {2, 1}}, {{0, 1}, {1, 2}}, {{1, 2}}}, 82);
        if (recipe_.variant == 1) {
            play(Drums, bar, 0, 0.5, Triangle, 35);
            for (double beat : {0.92, 2.0})
                play(Drums, bar, beat, 0.3, SnareTwo, 30);
        }
    }

    // Staccato quarters on bandoneon and bass with a drag of eighths into
    // every fourth bar's end, violins between legato and staccato.
    void tango(int bar)
    {
        const bool drag = bar % 4 == 3;
        for (int beat = 0; beat < 4; ++beat) {
            const int accent = beat % 2 == 0 ? 96 : 78;
            playChord(Chords, bar, beat, 0.2, chordKeys(bar), accent);
            play(Bass, bar, beat, 0.25, bassKey(bar, beat % 2 == 0 ? 0 : 2), accent);
        }
        if (drag)
            for (double beat : {2.5, 3.5})
                playChord(Chords, bar, beat, 0.2, chordKeys(bar), 80);
        for (double beat : {0.0, 2.0})
            playChord(Pad, bar, beat, 0.25, chordKeys(bar, 2), 70);
        melody(bar,
               {{{0, 1}, {1, 1}, {2, 2}},
                {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 2}},
                {{0, 4}},
                {{0, 1.5}, {1.5, 0.5}, {2, 1}, {3, 1}}},
               90, 0, bar % 2 == 0 ? 0.95 : 0.4);
        if (recipe_.variant == 0) {
            for (int beat = 0; beat < 4; ++beat)
                play(Drums, bar, beat, 0.2, beat % 2 == 0 ? Kick : SideStick, beat % 2 == 0 ? 80 : 60);
            play(Drums, bar, 3.5, 0.2, Snare, drag ? 90 : 60);
        }
    }

    // Brushes (or sticks) with a swung ride, walking bass, piano comping off
    // the beat, a saxophone or muted trumpet.
    void slowFox(int bar)
    {
        constexpr double kSwing = 1.0 / 3;
        for (int beat = 0; beat < 4; ++beat)
            play(Bass, bar, beat, 0.9, bassKey(bar, (beat * 2 + bar) % 4), beat == 0 ? 80 : 70);
        for (double beat : {0.0, 1.0, 1.5, 2.0, 3.0, 3.5})
            play(Drums, bar, swung(beat, kSwing), 0.4, Ride, beat == std::floor(beat) ? 55 : 40);
        for (int beat = 0; beat < 4; ++beat)
            play(Drums, bar, beat, 0.9, beat % 2 == 1 ? Snare : SnareTwo, beat % 2 == 1 ? 60 : 35);
        for (double beat : {1.0, 3.0})
            play(Drums, bar, beat, 0.2, HatPedal, 50);
        const double comp = std::vector<double>{0, 1.5, 2.5, 3}[random_() % 4];
        playChord(Chords, bar, swung(comp, kSwing), 0.5, chordKeys(bar), 55);
        if (bar % 2 == 0)
            playChord(Pad, bar, 0, 7.8, chordKeys(bar, 2), 40);
        melody(bar,
               {{{0, 2}, {2, 2}},
                {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 2}},
                {{0.5, 1.5}, {2, 1}, {3, 1}},
                {{0, 4}}},
               85, kSwing);
    }

    // Sticks (or brushes) on the backbeat, a two-beat bass, brass stabs and a
    // push into the next bar, a clarinet in swung eighths.
    void quickstep(int bar)
    {
        constexpr double kSwing = 0.25;
        for (double beat : {0.0, 2.0})
            play(Bass, bar, beat, 1.8, bassKey(bar, beat == 0 ? 0 : 2), 85);
        for (double beat : {1.0, 3.0})
            play(Drums, bar, beat, 0.3, Snare, 85);
        for (double beat : {0.0, 2.0})
            play(Drums, bar, beat, 0.3, Kick, 65);
        for (double beat : {0.0, 1.0, 1.5, 2.0, 3.0, 3.5})
            play(Drums, bar, swung(beat, kSwing), 0.3, Ride, 50);
        if (bar % 8 == 0)
            play(Drums, bar, 0, 1, Crash, 70);
        if (bar % 4 == 3)
            playChord(Chords, bar, swung(3.5, kSwing), 0.8, chordKeys(bar + 1), 85);
        else
            for (double beat : {1.0, 3.0})
                playChord(Chords, bar, beat, 0.3, chordKeys(bar), 75);
        for (double beat : {1.0, 3.0})
            playChord(Pad, bar, beat, 0.3, chordKeys(bar), 55);
        melody(bar,
               {{{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 1}},
                {{0, 1}, {1, 1}, {2, 2}},
                {{0, 2}, {2.5, 1.5}}},
               85, kSwing);
    }

    // Surdo with its stress on two, shakers in sixteenths, tamborim and
    // agogo figures, the bass's dotted bounce, guitar syncopes, brass hits.
    void samba(int bar)
    {
        play(Drums, bar, 0, 0.5, FloorHigh, 70);
        play(Drums, bar, 1, 0.5, FloorLow, 110);
        for (int sixteenth = 0; sixteenth < 8; ++sixteenth)
            play(Drums, bar, sixteenth * 0.25, 0.2, Maracas, sixteenth % 4 == 3 || sixteenth % 4 == 1 ? 70 : 45);
        static const std::vector<double> tamborim[] = {{0, 0.5, 0.75, 1.25, 1.5}, {0.25, 0.75, 1, 1.5}};
        for (double beat : tamborim[bar % 2])
            play(Drums, bar, beat, 0.2, WoodBlock, 65);
        if (recipe_.variant == 1)
            for (double beat : {0.0, 0.75, 1.5})
                play(Drums, bar, beat, 0.2, beat == 0 ? AgogoLow : AgogoHigh, 60);
        if (bar % 8 == 7)
            play(Drums, bar, 1, 0.5, WhistleLong, 50);
        if (bar % 16 == 15 && recipe_.variant == 0)
            play(Drums, bar, 0.5, 0.4, CuicaOpen, 60);
        for (double beat : {0.0, 1.0}) {
            play(Bass, bar, beat, 0.6, bassKey(bar, beat == 0 ? 0 : 2), 95);
            play(Bass, bar, beat + 0.75, 0.2, bassKey(bar, beat == 0 ? 0 : 2), 70);
        }
        for (double beat : {0.0, 0.75, 1.5})
            playChord(Chords, bar, beat, 0.2, chordKeys(bar), 65);
        if (bar % 4 == 3)
            playChord(Pad, bar, 1.5, 0.4, chordKeys(bar), 85);
        melody(bar, {{{0, 0.5}, {0.75, 0.5}, {1.5, 0.5}}, {{0, 1}, {1, 1}}, {{0.25, 0.5}, {0.75, 0.75}, {1.5, 0.5}}},
               88);
    }

    // Cowbell on the beats, guiro, conga tumbao, timbales into the "cha-cha",
    // an anticipated bass with nothing on one, a piano montuno and a flute.
    void chaCha(int bar)
    {
        for (int beat = 0; beat < 4; ++beat)
            play(Drums, bar, beat, 0.2, Cowbell, beat % 2 == 0 ? 75 : 55);
        play(Drums, bar, 0, 0.5, GuiroLong, 50);
        play(Drums, bar, 2, 0.5, GuiroLong, 50);
        for (double beat : {1.0, 1.5, 3.0, 3.5})
            play(Drums, bar, beat, 0.2, GuiroShort, 45);
        play(Drums, bar, 1, 0.2, CongaMute, 70);
        play(Drums, bar, 3, 0.3, CongaOpen, 75);
        play(Drums, bar, 3.5, 0.3, CongaLow, 80);
        if (bar % 4 == 3)
            for (double beat : {3.0, 3.5})
                play(Drums, bar, beat, 0.2, TimbaleHigh, 80);
        if (recipe_.variant == 0)
            for (double beat : {0.0, 2.0})
                play(Drums, bar, beat, 0.2, KickSoft, 70);
        play(Bass, bar, 1.5, 1.4, bassKey(bar + 1, 0), 85);
        play(Bass, bar, 3, 1.4, bassKey(bar + 1, 2), 80);
        const std::vector<int> keys = chordKeys(bar, 2);
        for (double beat : {0.5, 1.0, 1.5, 2.5, 3.0, 3.5})
            play(Chords, bar, beat, 0.3, keys[size_t(beat * 2) % 3], 60);
        if (recipe_.variant == 1 && bar % 2 == 0)
            playChord(Pad, bar, 0, 7.8, chordKeys(bar, 1), 45);
        melody(bar, {{{0, 1}, {1, 1}, {2, 0.5}, {2.5, 0.5}, {3, 1}}, {{0, 2}, {2, 2}}, {{0.5, 1}, {1.5, 1}, {3, 1}}},
               85, 0, 0.8);
    }

    // Bongos' martillo and maracas in eighths, a rumba clave over two bars,
    // the bass on the and of two and on four, guitar arpeggios, a slow melody.
    void rumba(int bar)
    {
        for (int eighth = 0; eighth < 8; ++eighth) {
            const bool low = eighth == 3 || eighth == 7;
            play(Drums, bar, eighth * 0.5, 0.2, low ? BongoLow : BongoHigh, eighth % 2 == 0 ? 55 : 40);
            play(Drums, bar, eighth * 0.5, 0.2, Maracas, eighth % 2 == 1 ? 45 : 30);
        }
        static const std::vector<double> clave[] = {{0, 1.5, 3.5}, {1, 2}};
        for (double beat : clave[bar % 2])
            play(Drums, bar, beat, 0.2, Claves, 65);
        play(Drums, bar, 1, 0.2, CongaMute, 60);
        play(Drums, bar, 3, 0.3, CongaLow, 65);
        play(Drums, bar, 3.5, 0.3, CongaLow, 70);
        if (recipe_.variant == 0) {
            for (double beat : {0.0, 2.0})
                play(Drums, bar, beat, 0.3, KickSoft, 55);
            for (double beat : {1.0, 3.0})
                play(Drums, bar, beat, 0.2, SideStick, 50);
        }
        play(Bass, bar, 1.5, 1.4, bassKey(bar + 1, 0), 80);
        play(Bass, bar, 3, 1.4, bassKey(bar + 1, 2), 75);
        const std::vector<int> keys = chordKeys(bar, 1);
        for (int eighth = 0; eighth < 8; ++eighth)
            play(Chords, bar, eighth * 0.5, 0.8, keys[size_t(eighth) % 3] + (eighth >= 4 ? 12 : 0), 45);
        if (bar % 2 == 0)
            playChord(Pad, bar, 0, 7.8, chordKeys(bar, 2), 45);
        melody(bar, {{{0, 2}, {2, 2}}, {{0, 4}}, {{1, 1}, {2, 1.5}, {3.5, 0.5}}}, 80);
    }

    // A march in two: bass drum on both beats, snare after them and rolls
    // into phrases, a crash on each phrase, tuba, trombones off the beat,
    // trumpets with Spanish triplets.
    void pasoDoble(int bar)
    {
        for (double beat : {0.0, 1.0})
            play(Drums, bar, beat, 0.3, Kick, 85);
        for (double beat : {0.5, 1.5})
            play(Drums, bar, beat, 0.2, Snare, 65);
        if (bar % 4 == 3)
            for (int i = 0; i < 8; ++i)
                play(Drums, bar, 1 + i * 0.125, 0.1, Snare, 40 + 5 * i);
        if (bar % 8 == 0)
            play(Drums, bar, 0, 1.5, Crash, 80);
        play(Bass, bar, 0, 0.4, bassKey(bar, 0), 90);
        play(Bass, bar, 1, 0.4, bassKey(bar, 2), 80);
        for (double beat : {0.5, 1.5})
            playChord(Chords, bar, beat, 0.3, chordKeys(bar), 75);
        if (bar % 4 == 0)
            playChord(Pad, bar, 0, 7.8, chordKeys(bar, 2), 45);
        melody(bar,
               {{{0, 0.75}, {0.75, 0.25}, {1, 1}},
                {{0, 1.0 / 3}, {1.0 / 3, 1.0 / 3}, {2.0 / 3, 1.0 / 3}, {1, 1}},
                {{0, 2}},
                {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}}},
               100, 0, 0.8);
    }

    // A shuffle: kick on one and three, backbeat (with claps in a variant),
    // swung hats, a boogie bass in swung eighths, piano off the beat, saxophone riffs.
    void jive(int bar)
    {
        constexpr double kSwing = 1.0 / 3;
        for (double beat : {0.0, 2.0})
            play(Drums, bar, beat, 0.3, Kick, 85);
        for (double beat : {1.0, 3.0}) {
            play(Drums, bar, beat, 0.3, Snare, 95);
            if (recipe_.variant == 1)
                play(Drums, bar, beat, 0.3, Clap, 70);
        }
        for (int eighth = 0; eighth < 8; ++eighth)
            play(Drums, bar, swung(eighth * 0.5, kSwing), 0.2, HatClosed, eighth % 2 == 0 ? 60 : 42);
        if (bar % 8 == 0)
            play(Drums, bar, 0, 1, Crash, 75);
        static const int walk[] = {0, 1, 2, 3, 4, 3, 2, 1};
        for (int eighth = 0; eighth < 8; ++eighth)
            play(Bass, bar, swung(eighth * 0.5, kSwing), 0.45, bassKey(bar, walk[eighth]), eighth % 2 == 0 ? 90 : 70);
        for (double beat : {0.5, 1.5, 2.5, 3.5})
            playChord(Chords, bar, swung(beat, kSwing), 0.25, chordKeys(bar, 2), 60);
        if (bar % 2 == 1)
            playChord(Pad, bar, swung(3.5, kSwing), 0.5, chordKeys(bar + 1), 80);
        melody(bar, {{{0, 0.5}, {0.5, 0.5}, {1, 1}}, {{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 2}}, {{0, 4}}},
               85, kSwing, 0.7);
    }

    const ArrangementRecipe& recipe_;
    std::mt19937 random_;
    const int beatsPerBar_;
    int key_ = 48;
    int melody_ = 74;
    double drift_ = 0;
    double driftPhase_ = 0;
    std::vector<double> beatTimes_;
    int bars_ = 0;
    MidiFile midi_;
};

} // namespace

int ArrangedPiece::beatsPerBar(ArrangedDance dance)
{
    switch (dance) {
    case ArrangedDance::SlowWaltz:
    case ArrangedDance::VienneseWaltz:
        return 3;
    case ArrangedDance::Samba:
    case ArrangedDance::PasoDoble:
        return 2;
    default:
        return 4;
    }
}

int ArrangedPiece::variantCount(ArrangedDance dance)
{
    switch (dance) {
    case ArrangedDance::SlowWaltz:
    case ArrangedDance::VienneseWaltz:
        return 3;
    case ArrangedDance::PasoDoble:
        return 1;
    default:
        return 2;
    }
}

double ArrangedPiece::writeMidi(const ArrangementRecipe& recipe, const QString& path)
{
    return Arranger(recipe).write(path);
}
