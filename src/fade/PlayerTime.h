#pragma once
#include "common/Clock.h"
#include "common/PlayingHeat.h"
#include <QObject>
#include <QPointer>
#include <cstdint>

// The time a fade window counts in: its own clock, or, while the window
// follows the player and a heat plays, the seconds of the heat the hall has
// heard. Stopwatches read it as their clock, so a lamp or a bar changes when
// the audience hears that moment, not when a timer of the window thinks so.
//
// The heard time starts at 0 with each heat and stands at 0 until the first
// frame is heard; afterwards it holds its last reading while none comes (and
// after the heat has ended), so that a clock stopped then stops where the
// hall was. Clocks must be stopped while the time switches between the two:
// heatEnding() comes while the heat's time still counts, heatBegun() once it
// counts.
class PlayerTime : public QObject, public Clock {
    Q_OBJECT
public:
    // heat may be null: the window then only ever counts its own time.
    PlayerTime(const Clock& own, PlayingHeat* heat, QObject* parent = nullptr);

    // The window's choice; on by default. Switching it while a heat plays
    // begins or ends following that heat at once.
    bool following() const { return following_; }
    void setFollowing(bool following);

    // The heat's heard time counts.
    bool onHeat() const { return onHeat_; }
    // On a heat whose first frame has been heard.
    bool heard() const;
    // The heat followed; null unless onHeat().
    const PlayingHeat* heat() const { return onHeat_ ? heat_.data() : nullptr; }

    std::int64_t nowNs() const override;

signals:
    // Following a heat from its start (or from the moment following was switched on).
    void heatBegun();
    // The heat ends or the window stops following it: stop clocks now.
    void heatEnding();

private:
    void begin();
    void leave();

    const Clock& own_;
    // The main window destroys its heat before the windows it holds.
    QPointer<PlayingHeat> heat_;
    bool following_ = true;
    bool onHeat_ = false;
    mutable std::int64_t heardNs_ = 0;
};
