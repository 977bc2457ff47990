// Tempo detection of the music check against synthesised pieces of known
// tempo: the dances' drum patterns with bass and chords, and waltzes as an
// orchestra plays them (no drums, soft downbeats, reverb), at the bounds and
// middle of every rule range and 2.5 % outside it, in 3/4 and 4/4, some swung,
// some with a slow intro, written as WAV, FLAC, MP3 and Ogg by the system's
// encoders. Then pieces that sound like recordings: arranged MIDI of every
// dance (waltzes without drums and with soft downbeats, tango staccato, swing
// with brushes, Latin percussion, rubato intros, breaks, drifts, humanised
// timing), and a second set of each waltz all without drums, rendered with a
// General MIDI sample bank by fluidsynth with its reverb, several tempos
// inside and just outside each range. For each set it prints the share
// detected within 1 % of the true bars per minute with and without the rule
// range, the wrong verdicts (in or out of range), the results marked
// uncertain, the misses that are not, and the analysis time per minute of
// audio on one core. --dance limits both sets to the dances of those names
// (repeatable), each piece still made as in a full run.
//
//   bench_music_tempo [--seconds N] [--keep DIR] [--only synthetic|rendered] [--soundfont FILE.sf2]
//                     [--dance NAME]...
#include "music/MusicAnalysis.h"
#include "music/MusicJudgement.h"
#include "music/OctaveChoice.h"
#include "ArrangedPiece.h"
#include "PieceSynth.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace {

struct Dance {
    const char* name;
    TempoRange range;
    int beatsPerBar; // of the rules' bars; 2/4 dances are synthesised as half-speed 4/4
    int pattern;
    double swing;
    bool orchestral = false;
};

// The ranges of the delivered rule tables (national and international).
const Dance Dances[] = {
    {"slow waltz", {28, 30}, 3, 2, 0},
    {"tango", {31, 33}, 4, 2, 0},
    {"slow waltz orch.", {28, 30}, 3, 0, 0, true},
    {"viennese orch.", {58, 60}, 3, 0, 0, true},
    {"viennese waltz", {58, 60}, 3, 1, 0},
    {"slow fox", {28, 30}, 4, 0, 1.0 / 3},
    {"quickstep", {50, 52}, 4, 0, 0.2},
    {"samba", {50, 52}, 2, 1, 0},
    {"cha-cha", {30, 32}, 4, 1, 0},
    {"rumba", {25, 27}, 4, 1, 0},
    {"paso doble", {60, 62}, 2, 2, 0},
    {"jive", {42, 44}, 4, 0, 1.0 / 3},
    {"rock'n'roll youth", {45, 47}, 4, 2, 0},
    {"rock'n'roll", {48, 52}, 4, 2, 0.1},
    {"boogie slow", {28, 30}, 4, 0, 1.0 / 3},
    {"boogie fast", {50, 52}, 4, 0, 1.0 / 3},
};

struct Format {
    const char* suffix;
    const char* encoder;
    QStringList arguments; // %in and %out are replaced
};

const Format Formats[] = {
    {"wav", nullptr, {}},
    {"flac", "flac", {"-s", "-f", "-o", "%out", "%in"}},
    {"mp3", "lame", {"--quiet", "-V4", "%in", "%out"}},
    {"ogg", "oggenc", {"-Q", "-q3", "-o", "%out", "%in"}},
};

struct Piece {
    QString file;
    const char* dance;
    TempoRange range;
    int beatsPerBar;
    double bars;
};

// The rule ranges of the arranged dances; bars as the rules count them.
struct ArrangedSet {
    const char* name;
    ArrangedDance dance;
    TempoRange range;
    int variant = -1; // the arrangement's variant; -1: each tempo the next one
};

const ArrangedSet Arranged[] = {
    {"slow waltz", ArrangedDance::SlowWaltz, {28, 30}},
    {"viennese waltz", ArrangedDance::VienneseWaltz, {58, 60}},
    {"tango", ArrangedDance::Tango, {31, 33}},
    {"slow fox", ArrangedDance::SlowFox, {28, 30}},
    {"quickstep", ArrangedDance::Quickstep, {50, 52}},
    {"samba", ArrangedDance::Samba, {50, 52}},
    {"cha-cha", ArrangedDance::ChaCha, {30, 32}},
    {"rumba", ArrangedDance::Rumba, {25, 27}},
    {"paso doble", ArrangedDance::PasoDoble, {60, 62}},
    {"jive", ArrangedDance::Jive, {42, 44}},
    // Variant 0 of the waltzes has no drums and a soft downbeat, the hardest to read.
    {"slow waltz, no drums", ArrangedDance::SlowWaltz, {28, 30}, 0},
    {"viennese, no drums", ArrangedDance::VienneseWaltz, {58, 60}, 0},
};

// Just outside (by a share of the bound), at the bounds and in the middle.
const double SynthesisedTempos[] = {-0.025, 0.0, 0.5, 1.0, 1.025};
// Just outside (by a share of the bound), near the bounds and in the middle (by a share of the span).
const double ArrangedTempos[] = {-0.025, -0.012, 0.2, 0.5, 0.8, 1.012, 1.025};

// Whether a dance's pieces are made: every dance without a choice.
bool Chosen(const char* dance, const QStringList& chosen)
{
    return chosen.isEmpty() || chosen.contains(QString(dance));
}

double TempoAt(const TempoRange& range, double at)
{
    return at < 0 ? range.min * (1 + at) : at > 1 ? range.max * at : range.min + at * (range.max - range.min);
}

// The wav encoded in the format, the wav removed; empty when the encoder is missing or fails.
QString Encode(const QString& wav, const Format& format)
{
    if (!format.encoder)
        return wav;
    if (QStandardPaths::findExecutable(format.encoder).isEmpty())
        return QString();
    const QString out = QString(wav).replace(".wav", QString(".") + format.suffix);
    QStringList arguments = format.arguments;
    arguments.replaceInStrings("%in", wav);
    arguments.replaceInStrings("%out", out);
    const int status = QProcess::execute(format.encoder, arguments);
    QFile::remove(wav);
    return status == 0 ? out : QString();
}

// Writes one piece in the given format; empty when its encoder is missing or fails.
QString WritePiece(const QDir& dir, int index, const Dance& dance, double bars, double seconds, const Format& format)
{
    PieceRecipe recipe;
    const bool twoFour = dance.beatsPerBar == 2;
    recipe.beatsPerBar = twoFour ? 4 : dance.beatsPerBar;
    recipe.barsPerMinute = twoFour ? bars / 2 : bars;
    recipe.seconds = seconds;
    recipe.swing = dance.swing;
    recipe.pattern = dance.pattern;
    recipe.introBars = index % 3 == 0 ? 4 : 0;
    recipe.seed = std::uint32_t(index + 1);
    if (dance.orchestral) {
        recipe.orchestral = true;
        recipe.humaniseSeconds = 0.012;
        recipe.reverb = 0.3;
    }
    const QString wav = dir.filePath(QString("piece%1.wav").arg(index, 2, 10, QChar('0')));
    if (!PieceSynth::writeWav(wav, PieceSynth::render(recipe)))
        return QString();
    return Encode(wav, format);
}

// Arranged pieces of every dance rendered by fluidsynth; none (and why) when it or the sample bank is missing.
QList<Piece> RenderArranged(const QDir& dir, double seconds, const QString& soundFont, const QStringList& chosen)
{
    QList<Piece> pieces;
    if (QStandardPaths::findExecutable("fluidsynth").isEmpty() || !QFileInfo::exists(soundFont)) {
        std::printf("rendered pieces skipped: they need fluidsynth and the sample bank %s "
                    "(Debian: fluidsynth, fluid-soundfont-gm)\n",
                    qPrintable(soundFont));
        return pieces;
    }
    std::printf("rendering arranged pieces of %.0f s with %s into %s\n", seconds, qPrintable(soundFont),
                qPrintable(dir.path()));
    int index = 0;
    for (const ArrangedSet& set : Arranged) {
        // Skipped sets still count their pieces, so that every piece keeps the seed of a full run.
        if (!Chosen(set.name, chosen)) {
            index += int(std::size(ArrangedTempos));
            continue;
        }
        int take = 0;
        for (double at : ArrangedTempos) {
            ArrangementRecipe recipe;
            recipe.dance = set.dance;
            recipe.barsPerMinute = TempoAt(set.range, at);
            recipe.seconds = seconds;
            recipe.variant = set.variant >= 0 ? set.variant : take % ArrangedPiece::variantCount(set.dance);
            recipe.introBars = take % 2 == 0 ? 2 + take % 3 : 0;
            recipe.withBreak = take % 3 == 1;
            recipe.drift = take % 2 == 1 ? 0.006 : 0.003;
            const bool waltz = ArrangedPiece::beatsPerBar(set.dance) == 3;
            recipe.humaniseSeconds = waltz ? 0.015 : 0.008;
            recipe.seed = std::uint32_t(1000 + index);
            const QString stem = dir.filePath(QString("arranged%1").arg(index, 2, 10, QChar('0')));
            const double truth = ArrangedPiece::writeMidi(recipe, stem + ".mid");
            const QString wav = stem + ".wav";
            const int status =
                truth > 0 ? QProcess::execute("fluidsynth", {"-ni", "-q", "-F", wav, "-r", "44100", "-g", "0.6", "-o",
                                                             "synth.reverb.room-size=0.7", soundFont, stem + ".mid"})
                          : -1;
            const QString file = status == 0 ? Encode(wav, Formats[index % 4]) : QString();
            if (file.isEmpty())
                std::printf("  skipped %s at %.1f (not rendered or not encoded)\n", set.name, recipe.barsPerMinute);
            else
                pieces.append({file, set.name, set.range, ArrangedPiece::beatsPerBar(set.dance), truth});
            ++index;
            ++take;
        }
    }
    return pieces;
}

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec * 1e-9;
}

bool Within(double value, double truth, double tolerance)
{
    return std::abs(value - truth) <= tolerance * truth;
}

// Within 1 % of the truth times 2^k for some k: the tracker's pulse was right
// but its octave was not.
bool WithinAnOctave(double value, double truth)
{
    for (double factor : {0.25, 0.5, 1.0, 2.0, 4.0})
        if (Within(value, truth * factor, 0.01))
            return true;
    return false;
}

// Analyses the pieces as the music check does and prints each and the set's figures.
void Report(const char* title, const QList<Piece>& pieces, const QStringList& danceOrder)
{
    int wrongVerdicts = 0;
    int uncertain = 0;
    int quietMisses = 0;                        // neither within 1 % nor marked uncertain
    QMap<QString, std::pair<int, int>> byDance; // within 1 % with the range, pieces
    int withRange = 0;
    int asRead = 0;
    int asReadOrOctave = 0;
    double cpu = 0;
    double audioMinutes = 0;
    std::printf("\n%s\n%-20s %-6s %7s %9s %9s %9s %6s\n", title, "dance", "file", "true", "as read", "by range",
                "factor", "conf");
    for (const Piece& piece : pieces) {
        const double before = CpuSeconds();
        const FileAnalysis analysis = analyseFile(piece.file);
        const FileAnalysis settled = settledByRange(analysis, piece.beatsPerBar, piece.range);
        cpu += CpuSeconds() - before;
        audioMinutes += analysis.seconds / 60;
        const OctaveChoice plain = chooseOctave(analysis.beatsPerMinute, piece.beatsPerBar, std::nullopt);
        const OctaveChoice ruled = chooseOctave(settled.beatsPerMinute, piece.beatsPerBar, piece.range);
        const bool hit = Within(ruled.barsPerMinute, piece.bars, 0.01);
        withRange += hit;
        byDance[piece.dance].first += hit;
        ++byDance[piece.dance].second;
        asRead += Within(plain.barsPerMinute, piece.bars, 0.01);
        asReadOrOctave += WithinAnOctave(plain.barsPerMinute, piece.bars);
        const bool doubted = settled.tempoUncertain();
        uncertain += doubted;
        quietMisses += !hit && !doubted;
        // A verdict counts where the truth is clear of the bounds; an uncertain row shows none.
        const TempoRange& range = piece.range;
        const bool clear = std::abs(piece.bars - range.min) > 0.005 * range.min &&
                           std::abs(piece.bars - range.max) > 0.005 * range.max;
        const MusicVerdict verdict = judge(analysis, {range, piece.beatsPerBar, 0, 0});
        const bool wrong = clear && verdict.tone != RowTone::Black &&
                           (verdict.tone == RowTone::Green) != (range.min <= piece.bars && piece.bars <= range.max);
        wrongVerdicts += wrong;
        std::printf("%-20s %-6s %7.2f %9.2f %9.2f %9.3f %6.2f%s%s%s\n", piece.dance,
                    qPrintable(QFileInfo(piece.file).suffix()), piece.bars, plain.barsPerMinute, ruled.barsPerMinute,
                    ruled.factor, settled.tempoConfidence, hit ? "" : "   <-- off", doubted ? " (uncertain)" : "",
                    wrong ? " WRONG VERDICT" : "");
    }
    std::printf("\nwithin 1 %% with the range, by dance:\n");
    for (const QString& dance : danceOrder)
        std::printf("  %-20s %d of %d\n", qPrintable(dance), byDance[dance].first, byDance[dance].second);
    const double count = std::max<qsizetype>(1, pieces.size());
    std::printf("\npieces: %d (%.1f minutes of audio)\n", int(pieces.size()), audioMinutes);
    std::printf("with the rule range:    %5.1f %% within 1 %% of the true bars/min\n", 100.0 * withRange / count);
    std::printf("without a range:        %5.1f %% within 1 %%, %5.1f %% within 1 %% or an octave\n",
                100.0 * asRead / count, 100.0 * asReadOrOctave / count);
    std::printf("wrong verdicts (truth > 0.5 %% from a bound): %d; uncertain: %d; misses not marked: %d\n",
                wrongVerdicts, uncertain, quietMisses);
    std::printf("analysis (decode + beat tracking), one core: %.3f s CPU per minute of audio\n",
                audioMinutes > 0 ? cpu / audioMinutes : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    double seconds = 60;
    QString keep;
    QString only;
    QString soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    QStringList chosen;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--seconds")
            seconds = args[i + 1].toDouble();
        else if (args[i] == "--keep")
            keep = args[i + 1];
        else if (args[i] == "--only")
            only = args[i + 1];
        else if (args[i] == "--soundfont")
            soundFont = args[i + 1];
        else if (args[i] == "--dance")
            chosen.append(args[i + 1]);
    }
    QTemporaryDir temporary;
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    QDir().mkpath(dir.path());

    if (only != "rendered") {
        std::printf("writing pieces of %.0f s into %s\n", seconds, qPrintable(dir.path()));
        QList<Piece> pieces;
        QStringList names;
        int index = 0;
        for (const Dance& dance : Dances) {
            if (!Chosen(dance.name, chosen)) {
                index += int(std::size(SynthesisedTempos));
                continue;
            }
            names.append(dance.name);
            for (double at : SynthesisedTempos) {
                const double bars = TempoAt(dance.range, at);
                const Format& format = Formats[index % 4];
                const QString file = WritePiece(dir, index, dance, bars, seconds, format);
                if (file.isEmpty())
                    std::printf("  skipped %s at %.1f as %s (no encoder)\n", dance.name, bars, format.suffix);
                else
                    pieces.append({file, dance.name, dance.range, dance.beatsPerBar, bars});
                ++index;
            }
        }
        Report("synthesised pieces", pieces, names);
    }
    if (only != "synthetic") {
        QStringList names;
        for (const ArrangedSet& set : Arranged) {
            if (Chosen(set.name, chosen))
                names.append(set.name);
        }
        const QList<Piece> pieces = RenderArranged(dir, seconds, soundFont, chosen);
        if (!pieces.isEmpty())
            Report("arranged pieces rendered with a sample bank", pieces, names);
    }
    return 0;
}
