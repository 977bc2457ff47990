#include "RecordingHelp.h"
#include "FrmMetronomFenster.h"
#include "DisplayArea.h"
#include "FrmGeschwindigkeitsumrechnung.h"
#include "HelpViewer.h"
#include "ManualClock.h"
#include "ProgramState.h"
#include "RadioGroup.h"
#include "RecordingMessages.h"
#include "RecordingSounds.h"
#include "ThreadTimer.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include "SpinEdit.h"
#include <QDir>
#include <QTimer>
#include <QtTest>


// The window's ticks are called directly with a set clock; the thread timer
// runs as well, but with the clock standing still its ticks find nothing due.
class TestMetronomFenster : public QObject {
    Q_OBJECT

private:
    ManualClock clock;
    RecordingMessages messages;
    RecordingSounds sounds;
    RecordingHelp help;
    ProgramState state;

    // Ticks every 20 ms for the given time; returns the bar position after each beat.
    QList<int> tickFor(TFrmMetronomFenster& window, int ms)
    {
        QList<int> flashes;
        for (int t = 0; t < ms; t += 20) {
            clock.advanceMs(20);
            const int before = window.schedule().beatCount();
            window.TimerTimer();
            if (window.schedule().beatCount() != before)
                flashes << window.Bar->value();
        }
        return flashes;
    }

    static void setTempoText(TFrmMetronomFenster& window, const QString& text)
    {
        window.SE_TakteProMinute->findChild<QLineEdit*>()->setText(text);
    }

private slots:
    void init()
    {
        messages.clear();
        sounds.played.clear();
        help.shown.clear();
        state = ProgramState();
        state.clock = &clock;
        state.messages = &messages;
        state.sounds = &sounds;
        state.help = &help;
        state.ProgramFolder = "/opt/vantor/";
    }

    void startsStoppedAt46BarsIn34()
    {
        TFrmMetronomFenster window(state);
        QCOMPARE(window.Takt->itemIndex(), 1);
        QCOMPARE(window.SE_TakteProMinute->value(), 46);
        QCOMPARE(window.SE_TakteProMinute->minimum(), 1);
        QCOMPARE(window.SE_TakteProMinute->maximum(), 200);
        QVERIFY(!window.CB_Beep->isChecked());
        QCOMPARE(window.BT_Start->text(), QString("&Start"));
        QCOMPARE(window.Bar->value(), 0);
        QVERIFY(!window.running());
        QCOMPARE(window.Timer->Interval(), 20);
        QCOMPARE(window.BarTimer->interval(), 75);
    }

    void beatsFlashAndSoundWithAccents()
    {
        TFrmMetronomFenster window(state);
        window.CB_Beep->setChecked(true);
        window.BT_Start->click();
        QVERIFY(window.running());
        QCOMPARE(window.BT_Start->text(), QString("&Stop"));
        QVERIFY(window.Takt->isEnabled()); // the metre may change while running
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 138);

        // 2.2 s hold beats 1 to 6: 0, 0.43, 0.87, 1.30, 1.74, 2.17 s.
        QCOMPARE(tickFor(window, 2200), (QList<int>{100, 50, 50, 100, 50, 50}));
        QCOMPARE(sounds.played, (QStringList{"TOMTOM_HI", "drum_stick", "drum_stick", "TOMTOM_HI",
                                             "drum_stick", "drum_stick"}));
        QVERIFY(window.BarTimer->isActive());
        window.BarTimerTimer();
        QCOMPARE(window.Bar->value(), 0);
        QVERIFY(!window.BarTimer->isActive());
    }

    void withoutSoundTheBarStillFlashes()
    {
        TFrmMetronomFenster window(state);
        window.BT_Start->click();
        QCOMPARE(tickFor(window, 500), (QList<int>{100, 50}));
        QVERIFY(sounds.played.isEmpty());
    }

    void metreSetsTheAccents_data()
    {
        QTest::addColumn<int>("takt");
        QTest::addColumn<int>("barsPerMinute");
        QTest::addColumn<QList<int>>("flashes");
        QTest::newRow("2/4") << 0 << 60 << QList<int>{100, 50, 100, 50, 100};
        QTest::newRow("4/4") << 2 << 60 << QList<int>{100, 50, 50, 50, 100};
        QTest::newRow("200 in 4/4, one beat per 75 ms")
            << 2 << 200 << QList<int>{100, 50, 50, 50, 100, 50, 50, 50, 100, 50, 50, 50, 100, 50};
    }

    void metreSetsTheAccents()
    {
        QFETCH(int, takt);
        QFETCH(int, barsPerMinute);
        QFETCH(QList<int>, flashes);
        TFrmMetronomFenster window(state);
        window.Takt->button(takt)->click();
        window.SE_TakteProMinute->setValue(barsPerMinute);
        window.BT_Start->click();
        const double beatMs = window.schedule().beatSeconds() * 1000;
        QCOMPARE(tickFor(window, int(beatMs * (flashes.size() - 1)) + 20), flashes);
    }

    void changingTheMetreWhileStoppedSetsTheBeatLength()
    {
        TFrmMetronomFenster window(state);
        window.Takt->button(2)->click();
        QCOMPARE(window.schedule().beatsPerBar(), 4);
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / (46 * 4));
    }

    void stopAndImmediateStartBeginsAgainWithAnAccent()
    {
        TFrmMetronomFenster window(state);
        window.BT_Start->click();
        tickFor(window, 1000); // three beats
        window.BT_Start->click();
        QVERIFY(!window.running());
        QCOMPARE(window.BT_Start->text(), QString("&Start"));
        QVERIFY(window.Takt->isEnabled());

        window.BT_Start->click();
        window.TimerTimer(); // same instant as the start: nothing due yet
        QCOMPARE(window.schedule().beatCount(), 0);
        // One full beat length apart, not twice as fast.
        QCOMPARE(tickFor(window, 440), (QList<int>{100, 50}));
    }

    // 46 in 3/4: the bar line after the start lies at 1304 ms; 100 in 3/4 beats every 200 ms.
    void newTempoTakesEffectAtTheNextBar()
    {
        TFrmMetronomFenster window(state);
        window.BT_Start->click();
        tickFor(window, 100);
        window.SE_TakteProMinute->setValue(100);
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 138);
        QCOMPARE(tickFor(window, 1300), (QList<int>{50, 50, 100}));
        QCOMPARE(window.schedule().beatSeconds(), 60.0 / 300);
        QVERIFY(window.running());
        window.Takt->button(0)->click(); // 2/4 from the next bar line
        QCOMPARE(window.schedule().beatsPerBar(), 3);
        QCOMPARE(tickFor(window, 800), (QList<int>{50, 50, 100}));
        QCOMPARE(window.schedule().beatsPerBar(), 2);
    }

    void tempoWithOneDecimal()
    {
        TFrmMetronomFenster window(state);
        setTempoText(window, "48,5");
        window.BT_Start->click();
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
        QTest::newRow("neither, English") << 1 << "abc" << 0.0 << 0.0 << 46.0 << 46.0
                                          << QStringList{"No tempo has been measured yet.",
                                                         "No target tempo is chosen."};
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
        DisplayArea area;
        auto* window = new TFrmMetronomFenster(state);
        auto* conversion = new TFrmGeschwindigkeitsumrechnung(state);
        area.registerWindow(new QWidget);
        area.registerWindow(new QWidget);
        area.registerWindow(window); // 2
        area.registerWindow(conversion); // 3
        state.fd = &area;
        state.TempoMin = tempoMin;
        state.TempoMax = tempoMax;
        window->SetLanguage(language);
        conversion->ED_Ist->setText(measured);
        window->BT_Gemessen->click();
        QCOMPARE(window->SE_TakteProMinute->value(), afterMeasured);
        window->BT_Soll->click();
        QCOMPARE(window->SE_TakteProMinute->value(), afterTarget);
        QCOMPARE(messages.warnings, warnings);
        state.fd = nullptr;
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
        TFrmMetronomFenster window(state);
        QLineEdit* field = window.SE_TakteProMinute->findChild<QLineEdit*>();
        field->selectAll();
        QTest::keyClick(window.SE_TakteProMinute, Qt::Key_Backspace);
        QTest::keyClicks(window.SE_TakteProMinute, text);
        QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(window.SE_TakteProMinute, &leave);
        QCOMPARE(window.SE_TakteProMinute->text(), text); // not put back silently
        window.BT_Start->click();
        QCOMPARE(messages.warnings, QStringList{warning});
        QVERIFY(!window.running());
        QCOMPARE(window.BT_Start->text(), QString("&Start"));
        QVERIFY(window.Takt->isEnabled());
    }

    void languageSetsTheCaptions_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("German") << 0
            << QStringList{"Ta&kt", "2/4-Takt", "3/4-Takt", "4/4-Takt", "Takte/Mi&nute:", "So&und", "H&ilfe"};
        QTest::newRow("English") << 1
            << QStringList{"Ba&rs", "2/4 scheme", "3/4 scheme", "4/4 scheme", "Bars/&minute:", "So&und", "He&lp"};
    }

    void languageSetsTheCaptions()
    {
        QFETCH(int, flag);
        QFETCH(QStringList, captions);
        TFrmMetronomFenster window(state);
        window.SetLanguage(1 - flag);
        window.SetLanguage(flag);
        QCOMPARE((QStringList{window.Takt->title(), window.Takt->itemText(0), window.Takt->itemText(1),
                              window.Takt->itemText(2), window.Label1->text(), window.CB_Beep->text(),
                              window.BT_Help->text()}),
                 captions);
        QCOMPARE(window.Takt->itemIndex(), 1);
    }

    void helpOpensTheMetronomeHelpOfTheLanguage()
    {
        TFrmMetronomFenster window(state);
        window.SetLanguage(1);
        window.BT_Help->click();
        QCOMPARE(help.shown, QStringList{"Metronom|/opt/vantor/en" + QString(QDir::separator()) + "MetronomHelp.rtf"});
    }
};

QTEST_MAIN(TestMetronomFenster)
#include "tst_metronom_fenster.moc"
