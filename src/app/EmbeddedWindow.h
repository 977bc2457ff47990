#pragma once

// The windows the main window shows in its display area, in the order they
// are registered there.
enum class EmbeddedWindow {
    CountBeat,
    StopTime,
    Metronome,
    SpeedConversion,
    FadeRockNRoll,
    FadeCouples,
    RockNRollInfo,
    BoogieWoogieInfo,
    BallroomInfo,
    LatinInfo,
    FormationInfo,
    InternationalRockNRoll,
    InternationalBoogieWoogie,
    InternationalBallroom,
    InternationalLatin,
    InternationalFormations,
    Empty,
    MusicCheck,
    PlayMusic,
};
constexpr int EmbeddedWindowCount = static_cast<int>(EmbeddedWindow::PlayMusic) + 1;
