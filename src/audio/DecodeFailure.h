#pragma once

// Why a file gave no audio, or less than it should; the music check words
// each kind in the user's language.
enum class DecodeFailure {
    None,
    CannotOpen,
    Empty,
    NoAudioStream,
    Undecodable,
    NoSamples,
    Cancelled,
    BrokenOff,
    NotResponding
};
