#pragma once
#include "audio/TrackPlayback.h"
#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class AudioOutput;

// Plays one track on the pre-listening output (headphones) as the hall would
// hear it: from its start point, at the tempo it is played, matched in
// loudness, to its end, with seeks; the hall's output is never touched.
class Prelistener : public QObject {
    Q_OBJECT

public:
    static constexpr double SeekSeconds = 10;
    static constexpr int TickMs = 20;
    static constexpr int StartTickMs = 2;

    // output may be null (no second output at all).
    explicit Prelistener(AudioOutput* output, QObject* parent = nullptr);
    ~Prelistener() override;

    // Starts the track (ending the one playing); false, with the problem
    // set, when there is no device to play on.
    bool play(PlaybackPlan plan);
    // Moves the position heard by seconds, back when negative.
    void seek(double seconds);
    void stop();

    bool playing() const { return bool(playback_); }
    // Its first frame has been heard.
    bool heard() const { return playback_ && playback_->heardSeconds().has_value(); }
    // The file playing or last played.
    const QString& path() const { return plan_.path; }
    // The position in the music heard now; the last one while none is known.
    double musicSeconds() const;
    // Why it does not play; empty while all is well.
    const QString& problem() const { return problem_; }

signals:
    // Started, stopped, ended, sought or failed.
    void changed();

private:
    void start();
    void tick();
    QString deviceName() const;

    AudioOutput* output_;
    PlaybackPlan plan_;
    std::unique_ptr<TrackPlayback> playback_;
    double lastMusicSeconds_ = 0;
    QString problem_;
    // The device it started on: another one chosen meanwhile ends it.
    QString playingOn_;
    QTimer ticker_;
};
