#include "widgets/DelimitedListBox.h"
#include "music/MusicCheckWindow.h"
#include "ChooseDance.h"
#include "ManualClock.h"
#include "PieceSynth.h"
#include "PrivatePulse.h"
#include "audio/AudioOutput.h"
#include "common/ProgramState.h"
#include "RecordingMessages.h"
#include "rules/RuleTables.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

void WritePiece(const QString& path, double bars, int beatsPerBar, double seconds)
{
    PieceRecipe recipe;
    recipe.barsPerMinute = bars;
    recipe.beatsPerBar = beatsPerBar;
    recipe.seconds = seconds;
    QVERIFY(PieceSynth::writeWav(path, PieceSynth::render(recipe)));
}

QStringList Fields(const MusicCheckWindow& form, int row)
{
    return DelimitedListBox::splitFields(form.resultList->item(row)->text(), '\t');
}

} // namespace

class TestMusicCheckWindow : public QObject {
    Q_OBJECT
private slots:
    // Beside its colour the rule's verdict carries a symbol: in range, too slow, too fast.
    void verdictSymbolBesideTheColour_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* rule, const char* bound, const char* tone) {
            return QStringList{"a.mp3", "1:40", "26,0", rule, bound, "+0,00%", "reicht", "", tone};
        };
        QTest::newRow("in range") << row("ja", "+0,00%", "g") << "✓ ja";
        QTest::newRow("too slow") << row("nein", "+5,00%", "r") << "▼ nein";
        QTest::newRow("too fast") << row("nein", "-0,11%", "r") << "▲ nein";
        QTest::newRow("no dance") << row("", "", "b") << "";
    }

    void verdictSymbolBesideTheColour()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, shown);
        QCOMPARE(MusicCheckWindow::shownFields(stored).value(3), shown);
        QCOMPARE(MusicCheckWindow::shownFields(stored).value(4), stored.value(4));
    }

    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).mkpath("music/waltz");
        WritePiece(dir_.filePath("music/a-jive.wav"), 43, 4, 12);
        WritePiece(dir_.filePath("music/waltz/b-waltz.wav"), 29, 3, 12);
        QFile broken(dir_.filePath("music/waltz/c-broken.mp3"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(5000, '\x55'));
        broken.close();
        QFile notes(dir_.filePath("music/notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
    }

    void init()
    {
        useLanguage(Language::German);
        state_ = ProgramState();
        state_.messages = &messages_;
        state_.selection = &selection_;
        messages_.clear();
        form_ = std::make_unique<MusicCheckWindow>(state_, dir_.filePath("cache.json"));
    }

    void folderAddsItsAudioOnceAndEveryFileGetsARow()
    {
        form_->addPaths({dir_.filePath("music"), dir_.filePath("music/a-jive.wav")});
        QCOMPARE(form_->resultList->count(), 3);
        // Until its figures come, and when none can, a row's note runs on from the tempo's column.
        QCOMPARE(Fields(*form_, 0).value(2), QString("wird geprüft..."));
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        QCOMPARE(Fields(*form_, 0).value(0), QString("a-jive.wav"));
        QCOMPARE(Fields(*form_, 0).value(1), QString("12,0"));
        QCOMPARE(Fields(*form_, 1).value(0), QString("b-waltz.wav"));
        QVERIFY(!Fields(*form_, 1).value(2).isEmpty());
        QCOMPARE(Fields(*form_, 2).value(0), QString("c-broken.mp3"));
        QCOMPARE(Fields(*form_, 2).size(), 3);
        QVERIFY(Fields(*form_, 2).value(2).startsWith("Beschädigt oder unbekanntes Format"));
        QCOMPARE(form_->progressBar->value(), 3);
        QVERIFY(!form_->cancelButton->isEnabled());
    }

    void danceChangeJudgesAgainWithoutAnalysing()
    {
        form_->addPaths({dir_.filePath("music/waltz/b-waltz.wav"), dir_.filePath("music/a-jive.wav")});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        const int analysed = form_->queue().total();

        const RuleRow slowWaltz{"Langsamer Walzer", "", "28-30", "84-90", "90-120s"};
        SetTarget(selection_, {28, 30}, "90-120s");
        form_->danceChanged(&slowWaltz);
        QCOMPARE(form_->target().beatsPerBar, 3);
        QCOMPARE(Fields(*form_, 0).value(3), QString("ja"));
        QCOMPARE(Fields(*form_, 0).value(6), QString("zu kurz"));
        QCOMPARE(Fields(*form_, 0).value(8), QString("g"));

        // Neither piece has a reading near the rumba's range.
        const RuleRow rumba{"Rumba", "", "25-27", "100-108", "90-120s"};
        SetTarget(selection_, {25, 27}, "90-120s");
        form_->danceChanged(&rumba);
        QCOMPARE(form_->target().beatsPerBar, 4);
        QCOMPARE(Fields(*form_, 0).value(8), QString("r"));
        QCOMPARE(Fields(*form_, 1).value(3), QString("nein"));
        QCOMPARE(form_->queue().total(), analysed);

        form_->setLanguage(Language::English);
        state_.timeFormat = TimeFormat::MinutesSeconds;
        form_->timeFormatChanged(TimeFormat::MinutesSeconds);
        QCOMPARE(Fields(*form_, 1).value(1), QString("00:12"));
        QCOMPARE(Fields(*form_, 1).value(3), QString("no"));
    }

    void listGoesToClipboardAndCsv()
    {
        form_->addPaths({dir_.filePath("music/a-jive.wav")});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        form_->copyClicked();
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.value(0), QString("Datei\tLänge\tTakte/min\tRegel\tzur Grenze\tzur Mitte\tTanzzeit\tHinweis"));
        QVERIFY(lines.value(1).startsWith("a-jive.wav\t12,0\t"));

        const QString csv = dir_.filePath("list.csv");
        QVERIFY(form_->saveCsv(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.startsWith("\xEF\xBB\xBF"
                                   "Datei;L"));
        QVERIFY(content.contains("\r\na-jive.wav;12,0;"));
        file.close();

        // Copied and saved, a row without a tempo keeps its note in the note column.
        form_->addPaths({dir_.filePath("music/waltz/c-broken.mp3")});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        QVERIFY(form_->saveCsv(csv));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\nc-broken.mp3;;;;;;;Beschädigt oder unbekanntes Format"));
        QVERIFY(form_->listAsText().contains("\nc-broken.mp3\t\t\t\t\t\t\tBeschädigt"));

        QVERIFY(!form_->saveCsv(dir_.filePath("no/such/folder/list.csv")));
        QCOMPARE(messages_.warnings.size(), 1);
        QVERIFY(messages_.warnings[0].startsWith("Datei "));
    }

    void droppedFilesAreAddedAndCancelAnswersEveryRow()
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dir_.filePath("music/waltz")), QUrl("https://example.org/a.mp3")});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window: the application routes drops only within a drag it runs itself.
        static_cast<QObject*>(form_.get())->event(&drop);
        QCOMPARE(form_->resultList->count(), 2);
        QVERIFY(form_->cancelButton->isEnabled());
        form_->cancelClicked();
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        QVERIFY(!form_->cancelButton->isEnabled());
        for (int row = 0; row < 2; ++row)
            QVERIFY(Fields(*form_, row).value(2) != "wird geprüft...");

        // A cancelled file added again is analysed after all; a finished one is not.
        form_->addPaths({dir_.filePath("music/waltz")});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        QCOMPARE(form_->resultList->count(), 2);
        for (int row = 0; row < 2; ++row)
            QVERIFY(Fields(*form_, row).value(2) != "Abgebrochen");
        // A file may also finish before Cancel reaches it; either way a file
        // with its result is not queued again.
        const int totalBefore = form_->queue().total();
        form_->addPaths({dir_.filePath("music/waltz")});
        QCOMPARE(form_->queue().total(), totalBefore);
        QVERIFY(!form_->queue().busy());
        QCOMPARE(form_->resultList->count(), 2);
    }

    // Names from old discs in Latin-1 are listed, read as such, and analysed;
    // dropped, they are the same files.
    void namesThatAreNoUtf8AreListedAndAnalysed()
    {
        const QByteArray latin = QFile::encodeName(dir_.filePath("latin"));
        const QByteArray named = latin + "/Caf\xE9 Ol\xE9.wav";
        QVERIFY(QDir().mkpath(dir_.filePath("latin")));
        WritePiece(dir_.filePath("latin/piece.wav"), 43, 4, 12);
        QCOMPARE(::rename((latin + "/piece.wav").constData(), named.constData()), 0);

        form_->addPaths({dir_.filePath("latin")});
        QCOMPARE(form_->resultList->count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        QCOMPARE(Fields(*form_, 0).value(0), QString("Café Olé.wav"));
        QCOMPARE(Fields(*form_, 0).value(1), QString("12,0"));
        QVERIFY(!Fields(*form_, 0).value(2).isEmpty());
        QVERIFY(form_->listAsText().contains("\nCafé Olé.wav\t12,0\t"));

        QMimeData mime;
        mime.setUrls({QUrl::fromEncoded("file://" + named.toPercentEncoding("/"))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject*>(form_.get())->event(&drop);
        QCOMPARE(form_->resultList->count(), 1);
        QCOMPARE(::unlink(named.constData()), 0);
    }

    // Tapping plays the marked file in the hall: without a mark or a sound
    // output the operator is told why nothing plays.
    void tappingNeedsAMarkedRowAndASoundOutput()
    {
        form_->addPaths({dir_.filePath("music/a-jive.wav")});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->queue().busy(), 60000);
        form_->tapClicked();
        QCOMPARE(messages_.infos.size(), 1);
        form_->resultList->item(0)->setSelected(true);
        form_->tapClicked();
        QCOMPARE(messages_.warnings, QStringList{"Keine Tonausgabe: Das Stück kann nicht abgespielt werden."});
        QVERIFY(!form_->tapping());
        QVERIFY(!form_->tapButton->isChecked());
    }

    // Played in the hall at a private sound server, a piece is tapped along
    // with T and Space, once a bar: the steady tapped tempo takes the
    // detected one's place, marked and judged, is handed on and kept for a
    // later check; hiding the window ends the playing.
    void tappedTempoReplacesTheDetectedOne()
    {
        PrivatePulse pulse;
        if (!pulse.running())
            QSKIP(qPrintable("no sound server to test with: " + pulse.failure()));
        SteadyClock soundClock;
        AudioOutput output(soundClock);
        ManualClock tapClock;
        state_.audio = &output;
        state_.clock = &tapClock;
        QVERIFY(QDir(dir_.path()).mkpath("tap"));
        const QString path = dir_.filePath("tap/d-waltz.wav");
        WritePiece(path, 29, 3, 30);
        const QString cacheFile = dir_.filePath("tap-cache.json");
        const RuleRow slowWaltz{"Langsamer Walzer", "", "28-30", "84-90", "90-120s"};
        SetTarget(selection_, {28, 30}, "90-120s");

        auto form = std::make_unique<MusicCheckWindow>(state_, cacheFile);
        QSignalSpy handedOn(form.get(), &MusicCheckWindow::tempoTapped);
        form->danceChanged(&slowWaltz);
        form->addPaths({path});
        QTRY_VERIFY_WITH_TIMEOUT(!form->queue().busy(), 60000);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->resultList->item(0)->setSelected(true);
        form->tapClicked();
        QVERIFY(messages_.warnings.isEmpty());
        QVERIFY(form->tapping());
        QVERIFY(form->targetLabel->text().contains("3 Schläge je Takt"));
        // 27 bars a minute, below the range the piece itself is in.
        for (int tap = 0; tap < 10; ++tap) {
            if (tap % 2 == 0)
                QTest::keyClick(form->resultList, Qt::Key_T);
            else
                QTest::keyClick(form->tapButton, Qt::Key_Space); // taps, does not press the button
            tapClock.advanceMs(60000.0 / 27);
        }
        QVERIFY(form->tapping());
        QCOMPARE(Fields(*form, 0).value(2), QString("27,0"));
        QCOMPARE(Fields(*form, 0).value(3), QString("nein"));
        QCOMPARE(Fields(*form, 0).value(7), QString("getippt"));
        QVERIFY(form->targetLabel->text().contains("übernommen"));

        form->hide();
        QVERIFY(!form->tapping());
        QCOMPARE(handedOn.size(), 1);
        const auto analysis = handedOn.at(0).at(0).value<FileAnalysis>();
        QVERIFY(analysis.tempoTapped);
        QVERIFY(std::abs(analysis.beatsPerMinute - 81) < 0.01);
        form.reset();

        MusicCheckWindow later(state_, cacheFile);
        later.danceChanged(&slowWaltz);
        later.addPaths({path});
        QTRY_VERIFY_WITH_TIMEOUT(!later.queue().busy(), 60000);
        QCOMPARE(Fields(later, 0).value(2), QString("27,0"));
        QCOMPARE(Fields(later, 0).value(7), QString("getippt"));
        state_.audio = nullptr;
    }

private:
    QTemporaryDir dir_;
    ProgramState state_;
    DanceSelection selection_{state_};
    RecordingMessages messages_;
    std::unique_ptr<MusicCheckWindow> form_;
};

QTEST_MAIN(TestMusicCheckWindow)
#include "tst_music_check_window.moc"
