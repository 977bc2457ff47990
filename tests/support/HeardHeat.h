#pragma once
#include "common/PlayingHeat.h"
#include <optional>

// A heat of the player whose heard time the test sets: nullopt until its
// first frame is "heard".
struct HeardHeat {
    PlayingHeat heat;
    std::optional<double> heard;

    void begin(const QString& dance = QStringLiteral("Rumba"), const QString& nextDance = QStringLiteral("Jive"))
    {
        heard.reset();
        heat.begin(dance, nextDance, 90, [this] { return heard; });
    }
};
