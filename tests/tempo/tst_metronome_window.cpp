#include "ChooseDance.h"
#include "RecordingHelp.h"
#include "TableWindow.h"
#include "tempo/MetronomeWindow.h"
#include <memory>
#include "tempo/MeasuredTempo.h"
#include "tempo/SpeedConversionWindow.h"
#include "common/HelpViewer.h"
#include "ManualClock.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "RecordingMessages.h"
#include "RecordingSounds.h"
#include "common/SoundPlayer.h"
#include "common/ThreadTimer.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include "widgets/SpinEdit.h"
#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {

// An output that places the clicks itself: click k is heard a latency after
// the start plus k beats; it can lose its device.
class ClickingSounds : public RecordingSounds {
public:
    explicit ClickingSounds(const Clock& clock)
        : clock_(clock)
    {
    }
    bool startClicks(const ClickPattern& pattern) override
    {
        starts << pattern;
        startNs_ = clock_.nowNs();
        running_ = output;
        return output;
    }
    void stopClicks() override
    {
        ++stops;
        running_ = false;
    }
    std::optional<std::int64_t> clickHeardNs(int index) override
    {
        if (!running_)
            return std::nullopt;
        return startNs_ + kLatencyNs + std::int64_t(index * starts.last().beatSeconds * 1e9);
    }
    bool hasOutput() override { return output; }

    static constexpr std::int64_t kLatencyNs = 57000000;
    bool output = true;
    QList<ClickPattern> starts;
    int stops = 0;

private:
    const Clock& clock_;
    std::int64_t startNs_ = 0;
    bool running_ = false;
};

} // namespace

// The window's ticks are called directly with a set clock; the thread timer
// runs as well, but with the clock standing still its ticks find nothing due.
class TestMetronomeWindow : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    RecordingMessages messages;
    RecordingSounds sounds;
    RecordingHelp help;
    ProgramState state;
    DanceSelection selection{state};

    // Ticks every 20 ms for the given time; returns the bar position after each beat.
    QList<int> tickFor(MetronomeWindow& window, int ms)
    {
        QList<int> flashes;
        for (int t = 0; t < ms; t += 20) {
            clock.advanceMs(20);
            const int before = window.schedule().beatCount();
            window.beatTimerFired();
            if (window.schedule().beatCount() != before)
                flashes << window.beatBar->value();
        }
        return flashes;
    }

    // Ticks every 20 ms for the given time, firing each armed flash when it
    // falls due; returns "ms after the start:bar position" of every flash.
    QStringList flashesFor(MetronomeWindow& window, int ms)
    {
        QStringList flashes;
        const std::int64_t startNs = clock.nowNs();
        std::int64_t flashDueNs = -1;
        for (int t = 0; t < ms; ++t) {
            clock.advanceMs(1);
            if (window.flashTimer->isActive() && clock.nowNs() >= flashDueNs) {
                window.flashTimer->stop();
                window.flashTimerFired();
                flashes << QString("%1:%2").arg((clock.nowNs() - startNs) / 1000000).arg(window.beatBar->value());
            }
            const int before = window.schedule().beatCount();
            if (t % 20 == 19)
                window.beatTimerFired();
            // A count that drops is a new start, not a beat.
            if (window.flashTimer->isActive() && window.schedule().beatCount() > before)
                flashDueNs = clock.nowNs() + window.flashTimer->interval() * 1000000LL;
            else if (window.schedule().beatCount() > before)
                flashes << QString("%1:%2").arg((clock.nowNs() - startNs) / 1000000).arg(window.beatBar->value());
        }
        return flashes;
    }

    static void setTempoText(MetronomeWindow& window, const QString& text)
    {
        window.tempoSpin->findChild<QLineEdit*>()->setText(text);
    }

private slots:
    void init()
    {
        useLanguage(Language::German);
        messages.clear();
        sounds.played.clear();
        help.shown.clear();
        state = ProgramState();
        state.clock = &clock;
        state.messages = &messages;
        state.sounds = &sounds;
        state.help = &help;
        state.selection = &selection;
        state.programFolder = "/opt/vantor/";
    }

    void startsStoppedAt46BarsIn34()
    {
        MetronomeWindow window(state);
        QCOMPARE(window.metreGroup->itemIndex(), 1);
        QCOMPARE(window.tempoSpin->value(), 46);
        QCOMPARE(window.tempoSpin->minimum(), 1);
        QCOMPARE(window.tempoSpin->maximum(), 200);
        QVERIFY(!window.beepCheck->isChecked());
        QCOMPARE(window.startButton->text(), QString("&Start"));
        QCOMPARE(window.beatBar->value(), 0);
        QVERIFY(!window.running());
        QCOMPARE(window.beatTimer->interval(), 20);
        QCOMPARE(window.barTimer->interval(), 75);
    }

    void beatsFlashAndSoundWithAccents()
    {
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        QVERIFY(window.running());
        QCOMPARE(window.startButton->text(), QString("&Stop"));
        QVERIFY(window.metreGroup->isEnabled()); // the metre may change while running
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 138);

        // 2.2 s hold beats 1 to 6: 0, 0.43, 0.87, 1.30, 1.74, 2.17 s.
        QCOMPARE(tickFor(window, 2200), (QList<int>{100, 50, 50, 100, 50, 50}));
        QCOMPARE(sounds.played,
                 (QStringList{"TOMTOM_HI", "drum_stick", "drum_stick", "TOMTOM_HI", "drum_stick", "drum_stick"}));
        QVERIFY(window.barTimer->isActive());
        window.barTimerFired();
        QCOMPARE(window.beatBar->value(), 0);
        QVERIFY(!window.barTimer->isActive());
    }

    void withoutSoundTheBarStillFlashes()
    {
        MetronomeWindow window(state);
        window.startButton->click();
        QCOMPARE(tickFor(window, 500), (QList<int>{100, 50}));
        QVERIFY(sounds.played.isEmpty());
    }

    void metreSetsTheAccents_data()
    {
        QTest::addColumn<int>("metre");
        QTest::addColumn<int>("barsPerMinute");
        QTest::addColumn<QList<int>>("flashes");
        QTest::newRow("2/4") << 0 << 60 << QList<int>{100, 50, 100, 50, 100};
        QTest::newRow("4/4") << 2 << 60 << QList<int>{100, 50, 50, 50, 100};
        QTest::newRow("200 in 4/4, one beat per 75 ms")
            << 2 << 200 << QList<int>{100, 50, 50, 50, 100, 50, 50, 50, 100, 50, 50, 50, 100, 50};
    }

    void metreSetsTheAccents()
    {
        QFETCH(int, metre);
        QFETCH(int, barsPerMinute);
        QFETCH(QList<int>, flashes);
        MetronomeWindow window(state);
        window.metreGroup->button(metre)->click();
        window.tempoSpin->setValue(barsPerMinute);
        window.startButton->click();
        const double beatMs = window.schedule().beatSeconds() * 1000;
        QCOMPARE(tickFor(window, int(beatMs * (flashes.size() - 1)) + 20), flashes);
    }

    void changingTheMetreWhileStoppedSetsTheBeatLength()
    {
        MetronomeWindow window(state);
        window.metreGroup->button(2)->click();
        QCOMPARE(window.schedule().beatsPerBar(), 4);
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / (46 * 4));
    }

    void stopAndImmediateStartBeginsAgainWithAnAccent()
    {
        MetronomeWindow window(state);
        window.startButton->click();
        tickFor(window, 1000); // three beats
        window.startButton->click();
        QVERIFY(!window.running());
        QCOMPARE(window.startButton->text(), QString("&Start"));
        QVERIFY(window.metreGroup->isEnabled());

        window.startButton->click();
        window.beatTimerFired(); // same instant as the start: nothing due yet
        QCOMPARE(window.schedule().beatCount(), 0);
        // One full beat length apart, not twice as fast.
        QCOMPARE(tickFor(window, 440), (QList<int>{100, 50}));
    }

    void withSoundTheOutputPlacesTheClicksAndTheFlashFollowsThem()
    {
        ClickingSounds output(clock);
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        QCOMPARE(output.starts.size(), 1);
        QCOMPARE(output.starts[0].beatSeconds, 60.0 / 138);
        QCOMPARE(output.starts[0].beatsPerBar, 3);
        QCOMPARE(output.starts[0].accentSound, QString("TOMTOM_HI"));
        QCOMPARE(output.starts[0].clickSound, QString("drum_stick"));
        QVERIFY(window.noSoundLabel->isHidden());
        // Heard at 57 ms + k × 434.8 ms; each flash comes then, not on the 20 ms grid.
        QCOMPARE(flashesFor(window, 1400), (QStringList{"57:100", "492:50", "927:50", "1361:100"}));
        QVERIFY(output.played.isEmpty());
        window.startButton->click();
        QCOMPARE(output.stops, 1);
        QVERIFY(!window.flashTimer->isActive());
    }

    void stopAndStartBeginsNewClicksWithAnAccent()
    {
        ClickingSounds output(clock);
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        flashesFor(window, 600);
        window.startButton->click();
        window.startButton->click();
        QCOMPARE(output.starts.size(), 2);
        QCOMPARE(flashesFor(window, 500), (QStringList{"57:100", "492:50"}));
    }

    // The output's clicks are queued ahead: a change while running starts its
    // new clicks at once, with an accent, and the flash follows them.
    void withSoundAChangeWhileRunningBeginsANewBar_data()
    {
        QTest::addColumn<bool>("metreChange");
        QTest::addColumn<double>("beatSeconds");
        QTest::addColumn<int>("beatsPerBar");
        QTest::addColumn<QStringList>("flashes");
        QTest::newRow("tempo 100") << false << 60.0 / 300 << 3 << QStringList{"57:100", "257:50", "457:50", "657:100"};
        QTest::newRow("2/4") << true << 60.0 / 92 << 2 << QStringList{"57:100", "709:50"};
    }

    void withSoundAChangeWhileRunningBeginsANewBar()
    {
        QFETCH(bool, metreChange);
        QFETCH(double, beatSeconds);
        QFETCH(int, beatsPerBar);
        QFETCH(QStringList, flashes);
        ClickingSounds output(clock);
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        flashesFor(window, 600);
        if (metreChange)
            window.metreGroup->button(0)->click();
        else
            window.tempoSpin->setValue(100);
        QVERIFY(window.running());
        QCOMPARE(output.starts.size(), 2);
        QCOMPARE(output.starts[1].beatSeconds, beatSeconds);
        QCOMPARE(output.starts[1].beatsPerBar, beatsPerBar);
        QCOMPARE(flashesFor(window, 800), flashes);
    }

    void withoutAnOutputTheClockBeatsAndTheWindowSaysSo_data()
    {
        QTest::addColumn<bool>("soundTicked");
        QTest::addColumn<int>("lostAfterMs"); // -1: never there
        QTest::addColumn<bool>("notice");
        QTest::addColumn<QStringList>("flashes");
        QTest::newRow("no output at the start") << true << -1 << true << QStringList{"20:100", "440:50", "880:50"};
        QTest::newRow("output lost while running") << true << 600 << true << QStringList{"57:100", "492:50", "640:100"};
        QTest::newRow("sound not ticked") << false << -1 << false << QStringList{"20:100", "440:50", "880:50"};
    }

    void withoutAnOutputTheClockBeatsAndTheWindowSaysSo()
    {
        QFETCH(bool, soundTicked);
        QFETCH(int, lostAfterMs);
        QFETCH(bool, notice);
        QFETCH(QStringList, flashes);
        ClickingSounds output(clock);
        output.output = lostAfterMs >= 0;
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(soundTicked);
        window.startButton->click();
        QStringList seen;
        if (lostAfterMs >= 0) {
            seen = flashesFor(window, lostAfterMs);
            output.output = false;
        }
        for (const QString& flash : flashesFor(window, 900 - std::max(lostAfterMs, 0)))
            seen << QString("%1:%2")
                        .arg(flash.section(':', 0, 0).toInt() + std::max(lostAfterMs, 0))
                        .arg(flash.section(':', 1));
        QCOMPARE(seen, flashes);
        QCOMPARE(!window.noSoundLabel->isHidden(), notice);
        QCOMPARE(output.starts.size(), soundTicked ? 1 : 0);
    }

    void anOutputThatComesBackTakesOverAtTheNextBar()
    {
        ClickingSounds output(clock);
        output.output = false;
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        QCOMPARE(flashesFor(window, 600), (QStringList{"20:100", "440:50"}));
        output.output = true; // a sound on the beat clock found the device again
        // The third beat still on the beat clock; the next bar's accent when the output's first click is heard.
        QCOMPARE(flashesFor(window, 900), (QStringList{"280:50", "777:100"}));
        QCOMPARE(output.starts.size(), 2);
        QVERIFY(window.noSoundLabel->isHidden());
    }

    // No Stop/Start: ticked, the output's clicks begin with the next bar;
    // unticked, they stop and the flashes keep their beat.
    void soundTickedOrUntickedWhileRunning_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QStringList>("flashes");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("stops");
        // 46 in 3/4 beats every 434.8 ms; the output's clicks are heard 57 ms after they start.
        QTest::addColumn<QStringList>("played"); // sounds of the beat clock's own
        QTest::addColumn<bool>("output");
        // Ticked in the first bar: its last beat still from the beat clock, then the output's accent.
        QTest::newRow("ticked") << true << QStringList{"880:50", "1377:100", "1812:50"} << 1 << 0
                                << QStringList{"drum_stick"} << true;
        // Unticked: the next beat where its click would have been heard (927 ms), on the 20 ms grid.
        QTest::newRow("unticked") << false << QStringList{"940:50", "1380:100", "1800:50"} << 1 << 1 << QStringList{}
                                  << true;
        // Ticked with no output: the beat clock plays on, and the window says so at once.
        QTest::newRow("ticked, no output") << true << QStringList{"880:50", "1320:100", "1740:50"} << 0 << 0
                                           << QStringList{"drum_stick", "TOMTOM_HI", "drum_stick"} << false;
    }

    void soundTickedOrUntickedWhileRunning()
    {
        QFETCH(bool, ticked);
        QFETCH(QStringList, flashes);
        QFETCH(int, starts);
        QFETCH(int, stops);
        QFETCH(QStringList, played);
        QFETCH(bool, output);
        ClickingSounds sounds(clock);
        sounds.output = output;
        state.sounds = &sounds;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(!ticked);
        window.startButton->click();
        flashesFor(window, 600);
        window.beepCheck->setChecked(ticked);
        QCOMPARE(!window.noSoundLabel->isHidden(), ticked && !output);
        QStringList seen;
        for (const QString& flash : flashesFor(window, 1300))
            seen << QString("%1:%2").arg(flash.section(':', 0, 0).toInt() + 600).arg(flash.section(':', 1));
        QCOMPARE(seen.mid(0, 3), flashes);
        QCOMPARE(sounds.starts.size(), starts);
        QCOMPARE(sounds.stops, stops);
        QCOMPARE(sounds.played.mid(0, 3), played);
        QVERIFY(window.running());
    }

    void theNoticeGoesOnceSoundWorksOrIsNotWanted()
    {
        ClickingSounds output(clock);
        output.output = false;
        state.sounds = &output;
        MetronomeWindow window(state);
        window.beepCheck->setChecked(true);
        window.startButton->click();
        QVERIFY(!window.noSoundLabel->isHidden());
        window.startButton->click();
        output.output = true; // the device is back; the next start finds it
        window.startButton->click();
        QVERIFY(window.noSoundLabel->isHidden());
        QCOMPARE(output.starts.size(), 2);
        output.output = false;
        window.startButton->click();
        window.startButton->click();
        QVERIFY(!window.noSoundLabel->isHidden());
        window.startButton->click();
        window.beepCheck->setChecked(false);
        window.startButton->click();
        QVERIFY(window.noSoundLabel->isHidden());
    }

    // 46 in 3/4: the bar line after the start lies at 1304 ms; 100 in 3/4 beats every 200 ms.
    void newTempoTakesEffectAtTheNextBar()
    {
        MetronomeWindow window(state);
        window.startButton->click();
        tickFor(window, 100);
        window.tempoSpin->setValue(100);
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 138);
        QCOMPARE(tickFor(window, 1300), (QList<int>{50, 50, 100}));
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 300);
        QVERIFY(window.running());
        window.metreGroup->button(0)->click(); // 2/4 from the next bar line
        QCOMPARE(window.schedule().beatsPerBar(), 3);
        QCOMPARE(tickFor(window, 800), (QList<int>{50, 50, 100}));
        QCOMPARE(window.schedule().beatsPerBar(), 2);
    }

    void tempoWithOneDecimal()
    {
        MetronomeWindow window(state);
        setTempoText(window, "48,5");
        window.startButton->click();
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / (48.5 * 3));
        QVERIFY(messages.warnings.isEmpty());
    }

    void takesOverTheMeasuredOrTheTargetTempo_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("measured");
        QTest::addColumn<double>("tempoMin");
        QTest::addColumn<double>("tempoMax");
        QTest::addColumn<double>("afterMeasured");
        QTest::addColumn<double>("afterTarget");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("both") << 0 << "48,5" << 50.0 << 52.0 << 48.5 << 51.0 << QStringList();
        QTest::newRow("a single tempo, point typed") << 1 << "51.97" << 44.0 << 44.0 << 52.0 << 44.0 << QStringList();
        QTest::newRow("neither, German") << 0 << "" << 0.0 << 0.0 << 46.0 << 46.0
                                         << QStringList{"Es wurde noch kein Tempo gemessen.",
                                                        "Es ist kein Solltempo gewählt."};
        QTest::newRow("neither, English")
            << 1 << "abc" << 0.0 << 0.0 << 46.0 << 46.0
            << QStringList{"No tempo has been measured yet.", "No target tempo is chosen."};
    }

    void takesOverTheMeasuredOrTheTargetTempo()
    {
        QFETCH(int, language);
        QFETCH(QString, measured);
        QFETCH(double, tempoMin);
        QFETCH(double, tempoMax);
        QFETCH(double, afterMeasured);
        QFETCH(double, afterTarget);
        QFETCH(QStringList, warnings);
        auto window = std::make_unique<MetronomeWindow>(state);
        auto conversion = std::make_unique<SpeedConversionWindow>(state);
        MeasuredTempo measuredTempo;
        conversion->setMeasuredTempo(&measuredTempo);
        window->setMeasuredTempo(&measuredTempo);
        SetTarget(selection, {tempoMin, tempoMax});
        window->setLanguage(languageFromStored(language));
        conversion->actualTempoEdit->setText(measured);
        window->measuredButton->click();
        QCOMPARE(window->tempoSpin->value(), afterMeasured);
        window->targetButton->click();
        QCOMPARE(window->tempoSpin->value(), afterTarget);
        QCOMPARE(messages.warnings, warnings);
    }

    void unusableTempoIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("warning");
        const QString range = QStringLiteral("Bitte ein Tempo von 1 bis 200 Takten pro Minute eingeben.");
        QTest::newRow("empty") << "" << range;
        QTest::newRow("zero") << "0" << range;
        QTest::newRow("letters") << "abc" << range;
        QTest::newRow("too fast") << "201" << range;
    }

    // Typed as a user types it, then the field is left for the Start button.
    void unusableTempoIsRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, warning);
        MetronomeWindow window(state);
        QLineEdit* field = window.tempoSpin->findChild<QLineEdit*>();
        field->selectAll();
        QTest::keyClick(window.tempoSpin, Qt::Key_Backspace);
        QTest::keyClicks(window.tempoSpin, text);
        QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(window.tempoSpin, &leave);
        QCOMPARE(window.tempoSpin->text(), text); // not put back silently
        window.startButton->click();
        QCOMPARE(messages.warnings, QStringList{warning});
        QVERIFY(!window.running());
        QCOMPARE(window.startButton->text(), QString("&Start"));
        QVERIFY(window.metreGroup->isEnabled());
    }

    void languageSetsTheCaptions_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("German") << 0 << QStringList{"Ta&kt",          "2/4-Takt", "3/4-Takt", "4/4-Takt",
                                                    "Takte/Mi&nute:", "So&und",   "H&ilfe"};
        QTest::newRow("English") << 1 << QStringList{"Ba&rs",         "2/4 scheme", "3/4 scheme", "4/4 scheme",
                                                     "Bars/&minute:", "So&und",     "He&lp"};
    }

    void languageSetsTheCaptions()
    {
        QFETCH(int, flag);
        QFETCH(QStringList, captions);
        MetronomeWindow window(state);
        window.setLanguage(languageFromStored(1 - flag));
        window.setLanguage(languageFromStored(flag));
        QCOMPARE((QStringList{window.metreGroup->title(), window.metreGroup->itemText(0),
                              window.metreGroup->itemText(1), window.metreGroup->itemText(2), window.tempoLabel->text(),
                              window.beepCheck->text(), window.helpButton->text()}),
                 captions);
        QCOMPARE(window.metreGroup->itemIndex(), 1);
    }

    void helpOpensTheMetronomeHelpOfTheLanguage()
    {
        const std::unique_ptr<MetronomeWindow> window(
            MakeTableWindow<MetronomeWindow>(EmbeddedWindow::Metronome, state));
        window->setLanguage(Language::English);
        window->helpButton->click();
        QCOMPARE(help.shown, QStringList{"Metronom|/opt/vantor/en" + QString(QDir::separator()) + "MetronomHelp.rtf"});
    }
};

QTEST_MAIN(TestMetronomeWindow)
#include "tst_metronome_window.moc"
