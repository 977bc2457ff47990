#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// Keeps one running program per user. The first start holds a lock file and,
// once its window is up, listens on a local socket beside it; a later start
// finds the lock taken, asks the running program to come to the front and
// exits. The folder is the user's own (the runtime folder), made private, so
// two users on one machine never meet. A lock left by a program that died is
// taken over; one that cannot be taken or verified (a stranger's, an
// unreadable one) is ignored with a note: a second window is better than none.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim { Ours, HeldByRunningProgram, Unavailable };

    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Ours: this is the first program. Unavailable: the lock cannot be made
    // or verified (the folder cannot be written, the lock is another user's);
    // the program then runs unguarded rather than not at all, and note() says
    // why.
    Claim claim();
    QString note() const { return note_; }

    // How long to wait for the holder of the lock to answer: a program that
    // took it a moment ago may still be making its window; one that has held
    // it for long and does not answer at once is hung.
    int answerWaitMs() const;

    // After a claim that was Ours: answers later starts.
    bool listen();

    // Asks the running program to come to the front, waiting for it to listen
    // (it may still be starting) up to waitMs; true when it answered.
    bool activateRunning(int waitMs);

    // The per-user folder of the real program.
    static QString defaultFolder();

signals:
    void activationRequested();

private:
    QString socketPath() const;

    QString folder_;
    QLockFile lock_;
    QString note_;
    qint64 lockAgeMs_ = 0;
    std::unique_ptr<QLocalServer> server_;
};
