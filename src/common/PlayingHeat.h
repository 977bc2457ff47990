#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// The heat the player plays, as the hall hears it: its dance, the next
// dance, its dancing time and how much of it has been heard. The player
// window sets it; the fade windows and the projector display follow it, so
// that they count the time the audience hears rather than a timer of their own.
class PlayingHeat : public QObject {
    Q_OBJECT

public:
    using HeardClock = std::function<std::optional<double>()>;

    explicit PlayingHeat(QObject* parent = nullptr)
        : QObject(parent)
    {
    }

    // A heat begins: heard() says the seconds of it heard so far (nullopt
    // before its first frame is heard), read from the audio output's clock.
    void begin(const QString& dance, const QString& nextDance, int danceSeconds, HeardClock heard)
    {
        dance_ = dance;
        nextDance_ = nextDance;
        danceSeconds_ = danceSeconds;
        heard_ = std::move(heard);
        emit begun();
    }
    // The heat has stopped (ended, faded or stopped by the operator).
    void end()
    {
        if (!heard_)
            return;
        heard_ = nullptr;
        emit ended();
    }

    bool playing() const { return bool(heard_); }
    const QString& dance() const { return dance_; }
    const QString& nextDance() const { return nextDance_; }
    int danceSeconds() const { return danceSeconds_; }
    // Seconds of the heat heard now; nullopt while none is playing or its
    // first frame has not been heard yet.
    std::optional<double> heardSeconds() const { return heard_ ? heard_() : std::nullopt; }

signals:
    void begun();
    void ended();

private:
    QString dance_;
    QString nextDance_;
    int danceSeconds_ = 0;
    HeardClock heard_;
};
