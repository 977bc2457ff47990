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
#include <unistd.h>

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

    // A lock that cannot be verified never keeps the user out: the program
    // runs unguarded, with a note.
    void strangeLocksAreIgnored_data()
    {
        QTest::addColumn<bool>("strangersLock");
        QTest::addColumn<bool>("strangersFolder");
        QTest::newRow("another user's lock") << true << false;
        QTest::newRow("another user's folder") << false << true;
    }
    void strangeLocksAreIgnored()
    {
        QFETCH(bool, strangersLock);
        QFETCH(bool, strangersFolder);
        if (::geteuid() != 0)
            QSKIP("handing a file to another user needs root");
        const QString folder = dir_.filePath(QTest::currentDataTag());
        QDir().mkpath(folder);
        const QString lockPath = QDir(folder).filePath("vantor.lock");
        {
            QFile lock(lockPath);
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(QByteArray::number(::getpid()) + "\nvantor\nhost\n");
        }
        constexpr uid_t kNobody = 65534;
        if (strangersLock)
            QCOMPARE(::chown(QFile::encodeName(lockPath).constData(), kNobody, kNobody), 0);
        if (strangersFolder)
            QCOMPARE(::chown(QFile::encodeName(folder).constData(), kNobody, kNobody), 0);
        SingleInstance next(folder);
        QCOMPARE(next.claim(), SingleInstance::Claim::Unavailable);
        QVERIFY(!next.note().isEmpty());
    }

    // The folder holding the lock and socket is closed to other users, and a
    // lock held for long by a program that does not answer is waited on briefly.
    void folderIsPrivateAndOldLocksWaitBriefly()
    {
        const QString folder = dir_.filePath("private");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
        SingleInstance first(folder);
        QCOMPARE(first.claim(), SingleInstance::Claim::Ours);
        QCOMPARE(QFileInfo(folder).permissions() &
                     (QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup),
                 QFileDevice::Permissions());
        SingleInstance fresh(folder);
        QCOMPARE(fresh.claim(), SingleInstance::Claim::HeldByRunningProgram);
        const int freshWait = fresh.answerWaitMs();
        QFile lock(QDir(folder).filePath("vantor.lock"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        lock.close();
        SingleInstance old(folder);
        QCOMPARE(old.claim(), SingleInstance::Claim::HeldByRunningProgram);
        QVERIFY(old.answerWaitMs() < freshWait);
        QVERIFY(old.answerWaitMs() <= 1000);
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
