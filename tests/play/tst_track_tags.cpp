#include "play/TrackTags.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <fileref.h>
#include <tag.h>

namespace {

// A second of silence as a 16-bit mono WAVE file.
void writeWave(const QString& path)
{
    const quint32 rate = 8000;
    const quint32 bytes = rate * 2;
    QByteArray data;
    auto u32 = [&data](quint32 v) { data.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&data](quint16 v) { data.append(reinterpret_cast<const char*>(&v), 2); };
    data.append("RIFF");
    u32(36 + bytes);
    data.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    data.append("data");
    u32(bytes);
    data.append(QByteArray(int(bytes), '\0'));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

class TestTrackTags : public QObject {
    Q_OBJECT

private slots:
    void titleAndArtist_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("expectedTitle");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both tags") << "a.wav" << QString::fromUtf8("Jive Bunny ♪") << "Die Band"
                                   << QString::fromUtf8("Jive Bunny ♪") << QString::fromUtf8("Die Band – Jive Bunny ♪");
        QTest::newRow("title only") << "b.wav"
                                    << "Slow"
                                    << ""
                                    << "Slow"
                                    << "Slow";
        QTest::newRow("no tags: the file name") << "Cha Cha 31.wav"
                                                << ""
                                                << ""
                                                << "Cha Cha 31"
                                                << "Cha Cha 31";
        QTest::newRow("no audio file: the file name") << "Notes.v2.txt"
                                                      << ""
                                                      << ""
                                                      << "Notes.v2"
                                                      << "Notes.v2";
        QTest::newRow("missing file") << "missing.mp3"
                                      << ""
                                      << ""
                                      << "missing"
                                      << "missing";
    }
    void titleAndArtist()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        if (fileName.endsWith(".wav")) {
            writeWave(path);
            if (!title.isEmpty()) {
                const QByteArray name = QFile::encodeName(path);
                TagLib::FileRef file(name.constData());
                QVERIFY(!file.isNull() && file.tag());
                file.tag()->setTitle(TagLib::String(title.toStdString(), TagLib::String::UTF8));
                file.tag()->setArtist(TagLib::String(artist.toStdString(), TagLib::String::UTF8));
                QVERIFY(file.save());
            }
        }
        else if (!fileName.startsWith("missing")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not music");
        }
        const TrackTags tags = readTrackTags(path);
        QTEST(tags.title, "expectedTitle");
        QCOMPARE(tags.artist, artist);
        QTEST(tags.displayText(), "shown");
    }
};

QTEST_GUILESS_MAIN(TestTrackTags)
#include "tst_track_tags.moc"
