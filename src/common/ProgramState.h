#pragma once
#include "common/Language.h"
#include <QString>
#include <cstdint>

class Clock;
class Messages;
class SoundPlayer;
class HelpViewer;
class RuleTables;
class DanceSelection;

// The program-wide values that the main window owns and every window reads.
// The main window fills it once at creation; tool windows receive a reference
// to it instead of reaching for globals. Tests fill one of their own.
struct ProgramState {
    Language Sprache = Language::German;
    TimeFormat Zeitformat = TimeFormat::Seconds;
    // The folder of the delivered data (the executable's own in a portable
    // program), with a trailing separator.
    QString ProgramFolder;
    // Where saved rule files go when the program folder is not written; empty
    // when it is. With a trailing separator.
    QString UserDataFolder;
    // "de/" or "en/" (the separator of the platform).
    QString LanguageFolder;

    // Target state of the dance selection. The tempo range is 0 to 0 while the
    // choice gives no tempo to judge against.
    double TempoMin = 0;
    double TempoMax = 0;
    std::int32_t DanceTimeMin = 0;
    std::int32_t DanceTimeMax = 0;
    QString CurrentDanceTimeText;
    QString TargetTempoText;
    int SavedTypIndex = -1;
    int SavedTanzIndex = -1;
    int SavedRundeIndex = -1;

    // Owned by the main window (or by a test).
    RuleTables* rules = nullptr;
    DanceSelection* selection = nullptr;

    // Seams: the real ones in the program, recording ones in tests.
    const Clock* clock = nullptr;
    Messages* messages = nullptr;
    SoundPlayer* sounds = nullptr;
    HelpViewer* help = nullptr;

    bool hasTargetTempo() const { return TempoMax > 0; }
    bool secondsFormat() const { return Zeitformat == TimeFormat::Seconds; }
};
