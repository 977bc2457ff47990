#pragma once
#include "music/OctaveChoice.h"
#include <QString>
#include <optional>

// Option values shared by the command-line tools; nullopt for a value that
// is not one.
std::optional<TempoRange> parseRange(const QString& text);
std::optional<int> parseBeatsPerBar(const QString& text);
// A positive number (seconds, bars per minute).
std::optional<double> parsePositive(const QString& text);
