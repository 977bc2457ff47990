#pragma once
#include "common/Language.h"
#include "music/MusicAnalysis.h"
#include "music/OctaveChoice.h"
#include "rules/TempoVerdict.h"
#include <QStringList>
#include <optional>

struct RuleRow;

// What the chosen dance asks of a piece.
struct RuleTarget {
    std::optional<TempoRange> range; // none when no dance (or no tempo) is chosen
    int beatsPerBar = 4;
    int danceTimeMin = 0; // whole seconds; 0 when the rules give none
    int danceTimeMax = 0;
};

// The beats of a bar the rule row's metronome marking implies (beats per
// minute over bars per minute: 3 for the waltzes, 2 for Samba); 4 when the
// row gives no marking or no row is chosen.
int beatsPerBarOfRow(const RuleRow* row);

enum class LengthFit { Unknown, Covers, MinimumOnly, TooShort };

struct MusicVerdict {
    bool tempoKnown = false;
    // A guess between two pulses: listed as such, with no verdict colour.
    bool tempoUncertain = false;
    double alternativeBars = 0; // the rival reading, listed beside an uncertain one; 0 when none
    OctaveChoice choice;
    // Rounded to one decimal: a reading is no tapped average that count beat
    // truncates, and 28.997 listed as 28.9 would look like an error of its own.
    double listedBars = 0;
    RowTone tone = RowTone::Black;
    std::optional<double> toNearestBound; // percent of playing speed; 0 inside the range
    std::optional<double> toMiddle;
    LengthFit length = LengthFit::Unknown;
};

// The analysis with its tempo read in the dance's range (see readInRange)
// where the tracker and the onsets disagreed and the onsets are kept; as it
// was otherwise, and where the range holds no reading.
FileAnalysis settledByRange(FileAnalysis analysis, int beatsPerBar, std::optional<TempoRange> range);

// The analysis's tempo in bars per minute for the dance: the detected pulse
// by its octave choice, a tapped tempo as it was tapped.
OctaveChoice octaveOf(const FileAnalysis& analysis, int beatsPerBar, std::optional<TempoRange> range);

// Judges an analysed piece against the target, its tempo settled by the
// range where the onsets are kept (settledByRange). The length counts at the
// playing speed that brings the tempo to the nearest bound, since playing
// faster shortens the music.
MusicVerdict judge(const FileAnalysis& analysed, const RuleTarget& target);

// A path as people read it: bytes of its name that are no UTF-8 (kept as the
// file system has them) read as Windows-1252, since such names mostly come
// from old Windows discs.
QString readablePath(const QString& path);

// One list row's texts, in the program's language and the given time format:
// file name, length, bars per minute, within the rules, change to
// the nearest bound, change to the middle, dancing time, note.
QStringList verdictFields(const FileAnalysis& analysis, const MusicVerdict& verdict, TimeFormat format);
QStringList verdictHeader();
// Why a file has no tempo.
QString failureText(const FileAnalysis& analysis);
QString failureText(DecodeFailure failure, const QString& detail);

// Rows as text for the clipboard: header and rows, tab-separated.
QString rowsAsText(const QStringList& header, const QList<QStringList>& rows);
// Rows as CSV with ";" between fields (the list's numbers keep the locale's
// decimal comma, so ";" is what spreadsheets expect), quoted where needed.
QString rowsAsCsv(const QStringList& header, const QList<QStringList>& rows);
