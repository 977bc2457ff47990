// The play music window without a sound device: the round chosen in the dance
// panel, tracks added and analysed, the plan kept across windows, texts in
// both languages, and the keyboard.
#include "ChooseDance.h"
#include "PieceSynth.h"
#include "RecordingMessages.h"
#include "common/PlayingHeat.h"
#include "common/ProgramState.h"
#include "play/PlayMusicWindow.h"
#include "rules/DanceSelection.h"
#include "rules/RuleFiles.h"
#include "rules/RuleTables.h"
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <taglib/fileref.h>
#include <taglib/tag.h>

class TestPlayMusicWindow : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RuleTables rules_;
    RecordingMessages messages_;
    ProgramState state_;
    PlayingHeat heat_;
    std::unique_ptr<DanceSelection> selection_;

    std::unique_ptr<PlayMusicWindow> makeWindow()
    {
        return std::make_unique<PlayMusicWindow>(state_, dir_.filePath("rounds"), dir_.filePath("cache.json"));
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        const QString data = qEnvironmentVariable("VANTOR_DATA_DIR");
        if (data.isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
        QVERIFY(loadRuleTables(rules_, QDir(data).filePath("de")).ok());
        PieceRecipe recipe;
        recipe.barsPerMinute = 29;
        recipe.beatsPerBar = 3;
        recipe.seconds = 12;
        QVERIFY(PieceSynth::writeWav(dir_.filePath("waltz.wav"), PieceSynth::render(recipe)));
        QVERIFY(QFile::copy(dir_.filePath("waltz.wav"), dir_.filePath("tagged.wav")));
        TagLib::FileRef tagged(QFile::encodeName(dir_.filePath("tagged.wav")).constData());
        QVERIFY(!tagged.isNull() && tagged.tag());
        tagged.tag()->setTitle("Walzer");
        tagged.tag()->setArtist("Die Band");
        QVERIFY(tagged.save());
    }

    void init()
    {
        useLanguage(Language::German);
        state_ = ProgramState();
        state_.rules = &rules_;
        state_.messages = &messages_;
        state_.playingHeat = &heat_;
        selection_ = std::make_unique<DanceSelection>(state_);
        state_.selection = selection_.get();
        ChooseDance(*selection_, int(Discipline::Ballroom));
    }

    void showsTheChosenRoundInBothLanguages_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("add");
        QTest::addColumn<QString>("help");
        QTest::newRow("German") << Language::German << "M&usik..."
                                << "Hil&fe";
        QTest::newRow("English") << Language::English << "M&usic..."
                                 << "Hel&p";
    }

    void showsTheChosenRoundInBothLanguages()
    {
        QFETCH(Language, language);
        QFETCH(QString, add);
        QFETCH(QString, help);
        auto window = makeWindow();
        window->setLanguage(language);
        QCOMPARE(window->addButton->text(), add);
        QCOMPARE(window->helpButton->text(), help);
        QCOMPARE(window->danceTree->topLevelItemCount(), 5);
        QVERIFY(window->danceTree->topLevelItem(1)->text(0).endsWith("Tango"));
    }

    void tracksAreAnalysedAndThePlanOutlivesTheWindow()
    {
        {
            auto window = makeWindow();
            window->danceTree->setCurrentItem(window->danceTree->topLevelItem(0));
            window->addTracks({dir_.filePath("waltz.wav")});
            QTreeWidgetItem* dance = window->danceTree->topLevelItem(0);
            QCOMPARE(dance->childCount(), 1);
            QTRY_VERIFY_WITH_TIMEOUT(!window->queue().busy(), 60000);
            QTreeWidgetItem* track = window->danceTree->topLevelItem(0)->child(0);
            QCOMPARE(track->text(0), QString("waltz"));
            QCOMPARE(track->text(2), QString("29,0"));
            window->heatsSpin->setValue(2);
            emit window->heatsSpin->editingFinished();
        }
        auto again = makeWindow();
        QCOMPARE(again->model().plan().dances[0].tracks, QStringList{dir_.filePath("waltz.wav")});
        QCOMPARE(again->model().plan().dances[0].heats, 2);
    }

    void tracksFromTheCheckGoToTheChosenDanceOnce()
    {
        ChooseDance(*selection_, int(Discipline::Ballroom), 1);
        auto window = makeWindow();
        FileAnalysis analysed;
        analysed.path = dir_.filePath("waltz.wav");
        analysed.seconds = 12;
        analysed.beatsPerMinute = 128;
        const QStringList twice{analysed.path, analysed.path};
        QCOMPARE(window->useTracks(twice, {analysed}), QString("Ein Stück übernommen in Standard – Tango."));
        QCOMPARE(window->model().plan().dances[1].tracks, QStringList{analysed.path});
        QCOMPARE(window->danceTree->topLevelItem(1)->child(0)->text(2), QString("32,0"));
        QCOMPARE(window->useTracks(twice), QString("Die Stücke gehören schon zu Standard – Tango."));

        // A round chosen without its dance: the one selected in the window.
        ChooseDance(*selection_, int(Discipline::Latin));
        window->danceTree->setCurrentItem(window->danceTree->topLevelItem(3));
        QCOMPARE(window->useTracks(twice), QString("Ein Stück übernommen in Latein – Paso Doble."));
    }

    // Read off the window's thread: the file name first, then the tags.
    void aTrackIsShownByItsTags()
    {
        auto window = makeWindow();
        window->addTracks({dir_.filePath("tagged.wav")}, 2);
        QTRY_COMPARE(window->danceTree->topLevelItem(2)->child(0)->text(0), QString("Die Band – Walzer"));
    }

    void startingWithoutSoundSaysSoAndPlaysNothing()
    {
        auto window = makeWindow();
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(!window->queue().busy(), 60000);
        window->danceTree->setFocus();
        QTest::keyClick(window->danceTree, Qt::Key_Space);
        QCOMPARE(window->player().phase(), RoundPlayer::Phase::Idle);
        QCOMPARE(window->problemLabel->text(), QString("Keine Tonausgabe."));
        QVERIFY(!heat_.playing());
    }
};

QTEST_MAIN(TestPlayMusicWindow)
#include "tst_play_music_window.moc"
