#pragma once
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

// Keeps one running program per user. The first start holds a lock file and,
// once its window is up, listens on a local socket beside it; a later start
// finds the lock taken, asks the running program to come to the front and
// exits. The folder is the user's own (the runtime folder), so two users on
// one machine never meet. A lock left by a program that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim { Ours, HeldByRunningProgram, Unavailable };

    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Ours: this is the first program. Unavailable: the lock cannot be made
    // (the folder cannot be written); the program then runs unguarded rather
    // than not at all.
    Claim claim();

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
    std::unique_ptr<QLocalServer> server_;
};
