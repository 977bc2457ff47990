#include "common/FileNames.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Made by the system's own calls: Qt cannot name such files.
void WriteNative(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, content.constData(), size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
}

} // namespace

class TestFileNames : public QObject {
    Q_OBJECT
private slots:
    // Every name the file system can hold comes back byte for byte; names in
    // UTF-8 read as Qt reads them.
    void namesSurviveTheRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("ASCII") << QByteArray("/music/jive.mp3") << false;
        QTest::newRow("UTF-8") << QByteArray("/musik/Caf\xC3\xA9 \xE2\x82\xAC.mp3") << false;
        QTest::newRow("beyond 16 bits") << QByteArray("/m/\xF0\x9F\x8E\xB5.ogg") << false;
        QTest::newRow("Latin-1") << QByteArray("/musik/Caf\xE9 \xC4rger.mp3") << true;
        QTest::newRow("Windows-1252 euro") << QByteArray("/m/\x80 \x9F.wav") << true;
        QTest::newRow("cut sequence at the end") << QByteArray("/m/a\xC3") << true;
        QTest::newRow("overlong slash") << QByteArray("/m/\xC0\xAF.wav") << true;
        QTest::newRow("encoded surrogate") << QByteArray("/m/\xED\xA0\x80.wav") << true;
        QTest::newRow("beside a pair") << QByteArray("/m/\xF0\x9F\x8E\xB5\xFF\xE9") << true;
    }

    void namesSurviveTheRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, foreign);
        const QString path = pathFromNative(bytes);
        QCOMPARE(nativePath(path), bytes);
        QCOMPARE(hasForeignBytes(path), foreign);
        if (!foreign)
            QCOMPARE(path, QString::fromUtf8(bytes));
    }

    // A folder yields its audio whatever the names' encoding, below folders
    // of such names too; hidden files and link loops are left alone.
    void folderListsAndOpensNamesThatAreNoUtf8()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        WriteNative(root + "/caf\xE9.mp3", "abc");
        WriteNative(root + "/plain.MP3", "abcd");
        WriteNative(root + "/notes.txt", "x");
        WriteNative(root + "/.hidden.mp3", "x");
        QVERIFY(::mkdir((root + "/\xC4lter").constData(), 0755) == 0);
        WriteNative(root + "/\xC4lter/\x80.ogg", "abcde");
        QVERIFY(::symlink(".", (root + "/\xC4lter/loop").constData()) == 0);

        QStringList found = filesBelow(dir.path(), {".mp3", ".ogg"});
        found.sort();
        QCOMPARE(found.size(), 3);
        QCOMPARE(nativePath(found[0]), root + "/caf\xE9.mp3");
        QCOMPARE(nativePath(found[1]), root + "/plain.MP3");
        QCOMPARE(nativePath(found[2]), root + "/\xC4lter/\x80.ogg");

        const auto status = fileStatus(found[2]);
        QVERIFY(status && status->isFile && !status->isDir);
        QCOMPARE(status->size, 5);
        QVERIFY(status->modifiedMs > 0);
        QVERIFY(fileStatus(pathFromNative(root + "/\xC4lter"))->isDir);
        QVERIFY(!fileStatus(pathFromNative(root + "/missing\xE9")));

        QFile file;
        QVERIFY(openForReading(file, found[2]));
        QCOMPARE(file.readAll(), QByteArray("abcde"));
        QFile missing;
        QString why;
        QVERIFY(!openForReading(missing, pathFromNative(root + "/missing\xE9"), &why));
        QVERIFY(!why.isEmpty());

        // Qt's own removal leaves such names behind.
        for (const char* name : {"/caf\xE9.mp3", "/\xC4lter/\x80.ogg", "/\xC4lter/loop"})
            QCOMPARE(::unlink((root + name).constData()), 0);
        QCOMPARE(::rmdir((root + "/\xC4lter").constData()), 0);
    }
};

QTEST_GUILESS_MAIN(TestFileNames)
#include "tst_file_names.moc"
