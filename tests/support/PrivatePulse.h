#pragma once
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <vector>

// A PulseAudio server of this process's own, with one null sink as its
// default, in a temporary folder, for tests that play through the real
// output and record what the sink "heard". It runs as any user, root
// included, and ends with this object (or with this process, if that dies
// first). Sets PULSE_SERVER for this process, so that an output opened
// afterwards (PortAudio through the ALSA plugin) reaches it, and keeps this
// process's client files (cookie, runtime folder) in the folder as well.
class PrivatePulse {
public:
    static constexpr int kSampleRate = 44100;

    // Elsewhere: a further server that this process reaches only as a device
    // (see addDevice), like headphones on a card of their own.
    enum class Reach { Default, Elsewhere };

    explicit PrivatePulse(Reach reach = Reach::Default);
    ~PrivatePulse();
    PrivatePulse(const PrivatePulse&) = delete;
    PrivatePulse& operator=(const PrivatePulse&) = delete;

    bool running() const { return failure_.isEmpty(); }
    // Why the server could not start; empty while it runs.
    QString failure() const { return failure_; }

    // Ends the server, as a sound device vanishes under a program.
    void stopServer();
    // Brings it back, as the device returns; false when it does not come up.
    bool restartServer();

    // Adds a second null sink, reachable by the sound output as the device of
    // that name (an ALSA device of this process); why not where it fails.
    // Call it before the process first opens a sound output.
    QString addDevice(const QString& name);
    // Makes `server`'s sink a device of that name, so that stopping `server`
    // takes the device away while this one's stay.
    QString addDevice(const QString& name, const PrivatePulse& server);

    // Records a sink's monitor (the default sink's without a name), mono
    // float samples at kSampleRate.
    bool startRecording(const QString& sink = QString());
    std::vector<float> stopRecording(const QString& sink = QString());

private:
    QString start();
    static void end(QProcess& process);
    bool serverAnswers();
    QProcessEnvironment environment() const;
    QString socket() const;
    QString addAlsaDevice(const QString& definition);

    const Reach reach_;
    QTemporaryDir folder_;
    QProcess server_;
    std::map<QString, std::unique_ptr<QProcess>> recorders_;
    QString failure_;
    // This process's own settings for reaching a server, as they were before.
    QList<QPair<QByteArray, QByteArray>> previousClientSettings_;
};
