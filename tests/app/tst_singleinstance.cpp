#include "app/ApplicationIdentity.h"
#include "widgets/ScreenPlacement.h"
#include "app/SingleInstance.h"
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {

// Long enough never to decide a test on a slow machine; a passing run does not wait for it.
constexpr int AnswerMs = 10000;

// The process id of a program that has ended.
qint64 endedProcessId()
{
    QProcess process;
    process.start("true", {});
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void secondStartAsksTheFirstToComeForward()
    {
        SingleInstance first(dir_.filePath("user"));
        QCOMPARE(first.claim(), SingleInstance::Claim::Ours);
        QVERIFY(first.listen());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);

        SingleInstance second(dir_.filePath("user"));
        QCOMPARE(second.claim(), SingleInstance::Claim::HeldByRunningProgram);
        QVERIFY(second.activateRunning(AnswerMs));
        QCOMPARE(raised.count(), 1);
    }

    // The first program holds the lock while its window is still being made;
    // the second waits for it to listen.
    void secondStartWaitsForTheFirstToListen()
    {
        SingleInstance first(dir_.filePath("starting"));
        QCOMPARE(first.claim(), SingleInstance::Claim::Ours);
        QSignalSpy raised(&first, &SingleInstance::activationRequested);
        QTimer::singleShot(300, &first, [&first] { first.listen(); });
        SingleInstance second(dir_.filePath("starting"));
        QCOMPARE(second.claim(), SingleInstance::Claim::HeldByRunningProgram);
        QVERIFY(second.activateRunning(AnswerMs));
        QCOMPARE(raised.count(), 1);
    }

    void nobodyAnsweringIsReported()
    {
        SingleInstance lone(dir_.filePath("silent"));
        QVERIFY(!lone.activateRunning(300));
    }

    // A program killed while running leaves its lock file and socket behind.
    void lockOfAnEndedProgramIsTakenOver()
    {
        const QString folder = dir_.filePath("crashed");
        QDir().mkpath(folder);
        const QString lockPath = QDir(folder).filePath("vantor.lock");
        QByteArray lockText;
        {
            QLockFile probe(lockPath);
            QVERIFY(probe.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            lockText = file.readAll();
            probe.unlock();
        }
        const qint64 endedPid = endedProcessId();
        QFile left(lockPath);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(QByteArray::number(endedPid) + lockText.mid(lockText.indexOf('\n')));
        left.close();
        QFile socketLeft(QDir(folder).filePath("vantor.socket"));
        QVERIFY(socketLeft.open(QIODevice::WriteOnly));
        socketLeft.close();

        SingleInstance next(folder);
        QCOMPARE(next.claim(), SingleInstance::Claim::Ours);
        QVERIFY(next.listen());
    }

    void usersWithTheirOwnFoldersDoNotMeet()
    {
        SingleInstance alice(dir_.filePath("alice"));
        SingleInstance bob(dir_.filePath("bob"));
        QCOMPARE(alice.claim(), SingleInstance::Claim::Ours);
        QCOMPARE(bob.claim(), SingleInstance::Claim::Ours);
    }

    void bringToFrontRestoresAMinimisedWindow()
    {
        QWidget window;
        window.showMinimized();
        QVERIFY(window.isMinimized());
        bringToFront(window);
        QVERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    // Every window without an icon of its own shows the program's.
    void programIconIsTheLogosEmblem()
    {
        setApplicationIdentity(*qApp);
        QVERIFY(!QApplication::windowIcon().pixmap(48, 48).isNull());
        QWidget window;
        QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
