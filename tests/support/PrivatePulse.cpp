#include "PrivatePulse.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>

namespace {

const QString kSink = QStringLiteral("vantor_null");

// The server must not outlive a test that crashes.
void endWithParent()
{
    prctl(PR_SET_PDEATHSIG, SIGTERM);
}

} // namespace

namespace {

const char* const kClientSettings[] = {"PULSE_SERVER", "PULSE_RUNTIME_PATH", "PULSE_COOKIE", "ALSA_CONFIG_PATH"};

} // namespace

PrivatePulse::PrivatePulse(Reach reach)
    : reach_(reach)
{
    for (const char* name : kClientSettings)
        previousClientSettings_.append({name, qgetenv(name)});
    failure_ = start();
}

PrivatePulse::~PrivatePulse()
{
    for (auto& [sink, recorder] : recorders_)
        end(*recorder);
    end(server_);
    if (reach_ == Reach::Elsewhere)
        return;
    for (const auto& [name, value] : previousClientSettings_) {
        if (value.isNull())
            qunsetenv(name.constData());
        else
            qputenv(name.constData(), value);
    }
}

void PrivatePulse::end(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

void PrivatePulse::stopServer()
{
    for (auto& [sink, recorder] : recorders_)
        end(*recorder);
    end(server_);
    failure_ = QStringLiteral("stopped");
}

bool PrivatePulse::restartServer()
{
    failure_ = start();
    return running();
}

QProcessEnvironment PrivatePulse::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Everything the server and its clients look for lives in the folder,
    // away from any session server and from the user's settings.
    for (const char* name : {"PULSE_RUNTIME_PATH", "PULSE_STATE_PATH", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "HOME"})
        env.insert(name, folder_.path());
    env.insert("PULSE_SERVER", "unix:" + socket());
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    return env;
}

QString PrivatePulse::socket() const
{
    return folder_.filePath("native");
}

QString PrivatePulse::start()
{
    if (!folder_.isValid())
        return QStringLiteral("no temporary folder");
    const QString program = QStandardPaths::findExecutable("pulseaudio");
    if (program.isEmpty())
        return QStringLiteral("pulseaudio is not installed");
    if (QStandardPaths::findExecutable("parecord").isEmpty())
        return QStringLiteral("parecord is not installed");

    QFile script(folder_.filePath("vantor.pa"));
    if (!script.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write the server's start script");
    script.write(QStringLiteral("load-module module-null-sink sink_name=%1 rate=%2\n"
                                "load-module module-native-protocol-unix socket=%3 auth-anonymous=1\n"
                                "set-default-sink %1\n"
                                "set-default-source %1.monitor\n")
                     .arg(kSink)
                     .arg(kSampleRate)
                     .arg(folder_.filePath("native"))
                     .toUtf8());
    script.close();

    server_.setProcessEnvironment(environment());
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.setStandardOutputFile(folder_.filePath("server.log"));
    server_.setChildProcessModifier(endWithParent);
    // -n: none of the system's modules (no hardware, no session bus); as root
    // the server only warns that it is not meant to run so.
    server_.start(program, {"-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1", "--disable-shm=yes",
                            "--realtime=no", "--high-priority=no", "--log-target=stderr", "-F", script.fileName()});
    if (!server_.waitForStarted(5000))
        return QStringLiteral("pulseaudio did not start: ") + server_.errorString();
    const QDeadlineTimer deadline(10000);
    while (!serverAnswers()) {
        if (server_.waitForFinished(50) || deadline.hasExpired()) {
            QFile log(folder_.filePath("server.log"));
            log.open(QIODevice::ReadOnly);
            return QStringLiteral("pulseaudio did not come up: ") + QString::fromLocal8Bit(log.readAll()).trimmed();
        }
    }
    if (reach_ == Reach::Elsewhere)
        return {};
    qputenv("PULSE_SERVER", environment().value("PULSE_SERVER").toLocal8Bit());
    qputenv("PULSE_RUNTIME_PATH", folder_.path().toLocal8Bit());
    qputenv("PULSE_COOKIE", folder_.filePath("client-cookie").toLocal8Bit());
    return {};
}

bool PrivatePulse::serverAnswers()
{
    if (!QFile::exists(folder_.filePath("native")))
        return false;
    QProcess info;
    info.setProcessEnvironment(environment());
    info.start("pactl", {"info"});
    return info.waitForFinished(3000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

QString PrivatePulse::addDevice(const QString& name)
{
    if (!running())
        return failure_;
    QProcess load;
    load.setProcessEnvironment(environment());
    load.start("pactl",
               {"load-module", "module-null-sink", "sink_name=" + name, "rate=" + QString::number(kSampleRate)});
    if (!load.waitForFinished(5000) || load.exitCode() != 0)
        return QStringLiteral("pactl could not add the sink: ") + QString::fromLocal8Bit(load.readAllStandardError());
    return addAlsaDevice(QStringLiteral("pcm.%1 { type pulse\n device \"%1\" }\n").arg(name));
}

QString PrivatePulse::addDevice(const QString& name, const PrivatePulse& server)
{
    if (!server.running())
        return server.failure();
    return addAlsaDevice(QStringLiteral("pcm.%1 { type pulse\n server \"unix:%2\"\n device \"%3\" }\n")
                             .arg(name, server.socket(), kSink));
}

QString PrivatePulse::addAlsaDevice(const QString& definition)
{
    QFile alsa(folder_.filePath("asound.conf"));
    if (!alsa.open(QIODevice::Append))
        return QStringLiteral("cannot write the ALSA configuration");
    alsa.write(definition.toUtf8());
    alsa.close();
    // The system's configuration first, then the devices of this server.
    qputenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + alsa.fileName()).toLocal8Bit());
    return {};
}

bool PrivatePulse::startRecording(const QString& sink)
{
    if (!running())
        return false;
    const QString name = sink.isEmpty() ? kSink : sink;
    const QString file = folder_.filePath(name + ".raw");
    auto& recorder = recorders_[name];
    if (recorder)
        end(*recorder);
    recorder = std::make_unique<QProcess>();
    recorder->setProcessEnvironment(environment());
    recorder->setStandardOutputFile(file);
    recorder->setChildProcessModifier(endWithParent);
    recorder->start("parecord", {"--device=" + name + ".monitor", "--raw", "--format=float32le",
                                 "--rate=" + QString::number(kSampleRate), "--channels=1", "--latency-msec=20"});
    if (!recorder->waitForStarted(5000))
        return false;
    // The stream is connected once the first samples arrive.
    const QDeadlineTimer deadline(5000);
    while (QFile(file).size() == 0 && !deadline.hasExpired())
        QThread::msleep(10);
    return !deadline.hasExpired();
}

std::vector<float> PrivatePulse::stopRecording(const QString& sink)
{
    const QString name = sink.isEmpty() ? kSink : sink;
    const auto recorder = recorders_.find(name);
    if (recorder == recorders_.end())
        return {};
    recorder->second->terminate();
    recorder->second->waitForFinished(5000);
    QFile file(folder_.filePath(name + ".raw"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}
