#pragma once
#include "common/Language.h"
#include <QString>

class Clock;
class Messages;
class SoundPlayer;
class AudioOutput;
class PlayingHeat;
class HelpViewer;
class RuleTables;
class DanceSelection;

// The program-wide values that the main window owns and every window reads.
// The main window fills it once at creation; tool windows receive a reference
// to it instead of reaching for globals. Tests fill one of their own.
struct ProgramState {
    Language language = Language::German;
    TimeFormat timeFormat = TimeFormat::Seconds;
    // The folder of the delivered data (the executable's own in a portable
    // program), with a trailing separator.
    QString programFolder;
    // Where saved rule files go when the program folder is not written; empty
    // when it is. With a trailing separator.
    QString userDataFolder;
    // "de/" or "en/" (the separator of the platform).
    QString languageFolder;

    // The dance selection's choice as it is stored and restored.
    int savedTypeIndex = -1;
    int savedDanceIndex = -1;
    int savedRoundIndex = -1;

    // Owned by the main window (or by a test).
    RuleTables* rules = nullptr;
    DanceSelection* selection = nullptr;

    // Seams: the real ones in the program, recording ones in tests.
    const Clock* clock = nullptr;
    Messages* messages = nullptr;
    SoundPlayer* sounds = nullptr;
    // The program's audio output, for playing tracks; null in tests without one.
    AudioOutput* audio = nullptr;
    // The second output, for pre-listening on headphones; null in tests
    // without one. Its device is nullopt until the operator chooses one.
    AudioOutput* prelisten = nullptr;
    // The device chosen last time when it was not there at the start; empty
    // once the operator chooses again.
    QString prelistenMissing;
    // Whether a heat starting in the hall ends the pre-listening.
    bool prelistenStopsOnHeat = false;
    // The heat the player plays, for the windows that follow it; never null in
    // the program (the main window owns it).
    PlayingHeat* playingHeat = nullptr;
    HelpViewer* help = nullptr;

    bool secondsFormat() const { return timeFormat == TimeFormat::Seconds; }
};
