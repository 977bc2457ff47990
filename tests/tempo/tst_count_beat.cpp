#include "DecimalLocale.h"
#include "widgets/DelimitedListBox.h"
#include "widgets/DisplayArea.h"
#include "tempo/AdaptFixedSpeedDialog.h"
#include "tempo/AdaptSpeedDialog.h"
#include "tempo/SpeedConversionWindow.h"
#include "tempo/CountBeatWindow.h"
#include "tempo/MeasuredTempo.h"
#include "ManualClock.h"
#include "TableWindow.h"
#include "common/ProgramState.h"
#include "rules/DanceSelection.h"
#include "RecordingHelp.h"
#include "ChooseDance.h"
#include "RecordingMessages.h"
#include "rules/RuleTables.h"
#include <QClipboard>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <map>

class TestCountBeat : public QObject {
    Q_OBJECT

private:
    ManualClock clock_;
    RecordingMessages messages_;
    RecordingHelp help_;
    RuleTables rules_;
    ProgramState state_;
    DanceSelection selection_{state_};
    std::unique_ptr<DisplayArea> area_;
    CountBeatWindow* form_ = nullptr;
    SpeedConversionWindow* conversion_ = nullptr;
    std::unique_ptr<MeasuredTempo> measuredTempo_;
    std::unique_ptr<AdaptSpeedDialog> adaptSpeed_;
    std::unique_ptr<AdaptFixedSpeedDialog> adaptFixSpeed_;
    QStringList dialogs_; // "actual|desired|adjustment" of each showing

    template <typename Dialog>
    void record(Dialog& dialog)
    {
        dialog.setModalRunner([this, &dialog] {
            dialogs_ << dialog.actualSpeedEdit->text() + "|" + dialog.desiredSpeedEdit->text() + "|" +
                            dialog.adaptationEdit->text();
        });
    }

    // A key pressed and released in the list, then the 20 ms re-arm.
    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form_->tapList, code, modifiers);
        form_->resetTimerFired();
    }

    void tapAfter(double ms)
    {
        clock_.advanceMs(ms);
        key(Qt::Key_Space);
    }

    void sendKey(QEvent::Type type, bool autoRepeat, QWidget* to = nullptr)
    {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ", autoRepeat);
        QApplication::sendEvent(to ? to : form_->tapList, &event);
    }

    QStringList rows() const { return form_->tapList->rowTexts(); }

private slots:
    void initTestCase()
    {
        RuleTable& ballroom = rules_.table(Discipline::Ballroom);
        ballroom.rowCount = 1;
        ballroom.rows[0] = RuleRow{"Quickstep", "", "50-52", "", ""};
    }

    void init()
    {
        useLanguage(Language::German);
        messages_.clear();
        dialogs_.clear();
        setDecimalLocale(false);
        state_ = ProgramState();
        state_.programFolder = "/opt/vantor/";
        state_.clock = &clock_;
        state_.messages = &messages_;
        state_.help = &help_;
        state_.rules = &rules_;
        state_.selection = &selection_;
        selection_.chooseType(-1);
        SetTarget(selection_, {50, 52});

        area_ = std::make_unique<DisplayArea>();
        measuredTempo_ = std::make_unique<MeasuredTempo>();
        form_ = MakeTableWindow<CountBeatWindow>(EmbeddedWindow::CountBeat, state_);
        conversion_ = new SpeedConversionWindow(state_);
        area_->registerWindow(form_);
        area_->registerWindow(conversion_);
        conversion_->setMeasuredTempo(measuredTempo_.get());
        form_->setMeasuredTempo(measuredTempo_.get());
        adaptSpeed_ = std::make_unique<AdaptSpeedDialog>(state_);
        adaptFixSpeed_ = std::make_unique<AdaptFixedSpeedDialog>();
        record(*adaptSpeed_);
        record(*adaptFixSpeed_);
        form_->setAdaptSpeed(adaptSpeed_.get());
        form_->setAdaptFixSpeed(adaptFixSpeed_.get());

        area_->resize(700, 500);
        area_->show();
        area_->showWindow(0);
        area_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(area_.get()));
    }

    void cleanup()
    {
        area_.reset();
        adaptSpeed_.reset();
        adaptFixSpeed_.reset();
        QLocale::setDefault(QLocale::c());
    }

    void firstTapListsTheStartRow()
    {
        setDecimalLocale(true);        // the start row keeps its comma
        ChooseDance(selection_, 2, 5); // Quickstep, 50-52
        key(Qt::Key_Space);
        QCOMPARE(rows(), QStringList{"0;0,0;-;-;1;"});
        QCOMPARE(form_->series().tapCount(), 1);
        const QStringList fields = DelimitedListBox::splitFields(rows()[0], ';');
        QCOMPARE(fields, (QStringList{"0", "0,0", "-", "-", "1"}));
        QCOMPARE(form_->tapList->rowColour(fields), QColor(0, 128, 0));
        ChooseDance(selection_, 5);
        QCOMPARE(form_->tapList->rowColour(fields), QColor(Qt::black));
        QCOMPARE(form_->tapList->rowColour({"1", "0,5", "120,0", "120,0", "0"}), QColor(Qt::black));
        ChooseDance(selection_, 0);
        SetTarget(selection_, {50, 52});
        QCOMPARE(form_->tapList->rowColour({"1", "0,5", "120,0", "120,0", "0"}), QColor(0xCC, 0, 0));
    }

    // "Solltempo" with nothing typed yet leaves no range: the taps are listed
    // uncoloured, not judged against the dance chosen before.
    void noTargetTempoLeavesRowsUncoloured()
    {
        ChooseDance(selection_, 4);
        QVERIFY(!selection_.tempoRange().valid());
        tapAfter(0);
        tapAfter(1176.5); // 51 bars per minute
        const QStringList fields = DelimitedListBox::splitFields(rows().last(), ';');
        QCOMPARE(form_->tapList->rowColour(fields), QColor(Qt::black));
    }

    void eachTapListsAndPublishesTheAverage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<double>("intervalMs");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("actualTempo");
        QTest::addColumn<QString>("clipboard");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": half a second") << english << 500.0 << localised("1;0,5;120,0;120,0;0", english)
                                                   << localised("120,0", english) << localised("120,0", english);
            QTest::newRow(tag + ": 51.97 truncated and rounded")
                << english << 60000.0 / 51.97 << localised("1;1,2;52,0;51,9;1", english) << localised("52,0", english)
                << localised("51,9", english);
        }
    }

    void eachTapListsAndPublishesTheAverage()
    {
        QFETCH(bool, english);
        QFETCH(double, intervalMs);
        QFETCH(QString, row);
        QFETCH(QString, actualTempo);
        QFETCH(QString, clipboard);
        setDecimalLocale(english);
        key(Qt::Key_Space);
        tapAfter(intervalMs);
        QCOMPARE(rows().value(1), row);
        QCOMPARE(conversion_->actualTempoEdit->text(), actualTempo);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void twoTapsOnOneClockReadingCountOnce()
    {
        key(Qt::Key_Space);
        tapAfter(0);
        QCOMPARE(rows().size(), 1);
        QCOMPARE(form_->series().tapCount(), 1);
        tapAfter(500);
        QCOMPARE(rows().value(1), QStringLiteral("1;0,5;120,0;120,0;0"));
    }

    void aHeldKeyTapsOnce_data()
    {
        QTest::addColumn<bool>("flaggedAsRepeat");
        QTest::addColumn<bool>("onTheButton");
        QTest::newRow("repeat recognised") << true << false;
        // Qt often misses X11's repeat and reports each pair as a real release and press.
        QTest::newRow("repeat reported as real keys") << false << false;
        QTest::newRow("on the focused Click Me button") << false << true;
    }

    void aHeldKeyTapsOnce()
    {
        QFETCH(bool, flaggedAsRepeat);
        QFETCH(bool, onTheButton);
        QWidget* target = onTheButton ? static_cast<QWidget*>(form_->startButton) : form_->tapList;
        sendKey(QEvent::KeyPress, false, target);
        // Auto-repeat as X11 sends it: a release and a press together, every
        // 40 ms, slower than the re-arm timer.
        for (int i = 0; i < 4; ++i) {
            clock_.advanceMs(40);
            sendKey(QEvent::KeyRelease, flaggedAsRepeat, target);
            sendKey(QEvent::KeyPress, flaggedAsRepeat, target);
            QTest::qWait(40); // room for a re-arm that should not come
        }
        QCOMPARE(rows().size(), 1);
        QVERIFY(!form_->keyReleased());

        // Released and pressed again before the re-arm: no tap.
        sendKey(QEvent::KeyRelease, false, target);
        sendKey(QEvent::KeyPress, false, target);
        QCOMPARE(rows().size(), 1);
        sendKey(QEvent::KeyRelease, false, target);
        QTRY_VERIFY(form_->keyReleased()); // the 20 ms timer
        sendKey(QEvent::KeyPress, false, target);
        QCOMPARE(rows().size(), 2);
    }

    void altKeysBelongToTheButtonsExceptAltC()
    {
        key(Qt::Key_Q, Qt::AltModifier);
        QVERIFY(rows().isEmpty() || rows()[0] == CountBeatWindow::readyPrompt());
        QCOMPARE(form_->series().tapCount(), 0);
        QTest::keyClick(form_->tapList, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(form_->series().tapCount(), 1);
        QTest::qWait(150); // an accelerator's click would come after its animation
        QCOMPARE(form_->series().tapCount(), 1);
        QCOMPARE(QApplication::focusWidget(), form_->tapList);
    }

    void modifierKeysAloneDoNotTap()
    {
        for (Qt::Key modifier : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_Meta})
            key(modifier);
        QCOMPARE(form_->series().tapCount(), 0);
        QVERIFY(form_->keyReleased());
    }

    void enterEvaluatesAndEscapeResets()
    {
        key(Qt::Key_Space);
        tapAfter(500);
        key(Qt::Key_Escape);
        QVERIFY(rows().isEmpty());
        QCOMPARE(form_->series().tapCount(), 0);
        key(Qt::Key_Return);
        QCOMPARE(messages_.warnings, QStringList{"Sie müssen zuerst einen Tanztyp auswählen"});
    }

    // Escape clears even a single stray tap; the next tap starts afresh.
    void escapeClearsASeriesOfOneTap()
    {
        key(Qt::Key_Space);
        key(Qt::Key_Escape);
        QVERIFY(rows().isEmpty());
        QVERIFY(!form_->series().counting());
        tapAfter(5000);
        tapAfter(500);
        QCOMPARE(rows().value(1), QStringLiteral("1;0,5;120,0;120,0;0"));
    }

    // At 48 bars per minute: a missed tap, a bounce, then a pause before the next piece.
    void forgivenTapsAndAPauseInTheList()
    {
        ChooseDance(selection_, 5);
        key(Qt::Key_Space);
        for (double ms : {1250.0, 1250.0, 1250.0, 2500.0})
            tapAfter(ms);
        QCOMPARE(rows().last(), QStringLiteral("5 (+2);6,3;48,0;48,0;0"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("48,0"));
        QCOMPARE(form_->spreadLabel->text(), QStringLiteral("Taktschläge: 5   Streuung: ± 0,0 Takte/min"));
        QGuiApplication::clipboard()->setText("unchanged");
        tapAfter(150);
        QCOMPARE(rows().last(), QStringLiteral("5 (+0);6,3;48,0;48,0;0"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("48,0"));
        tapAfter(1100);
        QCOMPARE(rows().last(), QStringLiteral("6;7,5;48,0;48,0;0"));
        tapAfter(12000);
        QCOMPARE(rows(), QStringList{"0;0,0;-;-;1;"});
        QCOMPARE(form_->series().tapCount(), 1);
        form_->setLanguage(Language::English);
        QCOMPARE(form_->spreadLabel->text(), QStringLiteral("Taps: 1   spread: – bars/min"));
    }

    void clipboardCanBeTurnedOff()
    {
        QGuiApplication::clipboard()->setText("copied elsewhere");
        form_->setCopiesToClipboard(false);
        key(Qt::Key_Space);
        tapAfter(500);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied elsewhere"));
        QCOMPARE(conversion_->actualTempoEdit->text(), QStringLiteral("120,0"));
        form_->setCopiesToClipboard(true);
        tapAfter(500);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("120,0"));
    }

    void evaluationWarnings_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("taps");
        QTest::addColumn<QStringList>("warnings");
        const QString noClassDe = "Sie müssen zuerst eine Startklasse bzw. einen Tanz auswählen";
        const QString noClassEn = "You must enter a start class/dance first";
        const QString badTargetDe = "Geben Sie bitte eine korrekte Zahl ein";
        QTest::newRow("no dance type") << 1 << -1 << -1 << "" << 3
                                       << QStringList{"Sie müssen zuerst einen Tanztyp auswählen"};
        QTest::newRow("no class") << 0 << 2 << -1 << "" << 3 << QStringList{noClassDe};
        QTest::newRow("no class, English") << 1 << 2 << -1 << "" << 3 << QStringList{noClassEn};
        QTest::newRow("no round") << 0 << 0 << 0 << "" << 3 << QStringList{noClassDe}; // Schüler: which round?
        QTest::newRow("empty target") << 0 << 4 << -1 << "" << 3 << QStringList{badTargetDe};
        QTest::newRow("empty target, English")
            << 1 << 4 << -1 << "" << 3 << QStringList{"Please enter a valid number!"};
        QTest::newRow("unreadable target")
            << 0 << 4 << -1 << "5x" << 3 << QStringList{"Fehler bei Typumwandlung", badTargetDe};
        QTest::newRow("one tap, rules") << 0 << 5 << -1 << "" << 1
                                        << QStringList{"Sie müssen vor dem Auswerten Taktschläge eingeben"};
        QTest::newRow("one tap, typed target, English")
            << 1 << 4 << -1 << "50" << 1 << QStringList{"Enter bars before evaluating!"};
    }

    void evaluationWarnings()
    {
        QFETCH(int, language);
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(QString, target);
        QFETCH(int, taps);
        QFETCH(QStringList, warnings);
        form_->setLanguage(languageFromStored(language));
        ChooseDance(selection_, type, dance);
        selection_.setTypedTarget(target);
        for (int i = 0; i < taps; ++i)
            tapAfter(500);
        form_->evaluateButton->click();
        QCOMPARE(messages_.warnings, warnings);
        QVERIFY(dialogs_.isEmpty());
        QVERIFY(!form_->series().counting());
    }

    void evaluationAfterOneTapStartsAfresh()
    {
        ChooseDance(selection_, 5);
        tapAfter(100);
        key(Qt::Key_Return);
        QVERIFY(rows().isEmpty());
        tapAfter(5000);
        QCOMPARE(rows(), QStringList{"0;0,0;-;-;1;"});
        QCOMPARE(form_->series().tapCount(), 1);
        tapAfter(500);
        QCOMPARE(rows().value(1), QStringLiteral("1;0,5;120,0;120,0;0"));
    }

    void evaluationShowsTheAdjustmentAndKeepsTheRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("intervalMs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rule range") << 2 << 1200.0 << "50,0|50-52|+0,00% <-> +4,00%";
        QTest::newRow("typed target") << 4 << 1250.0 << "48,0|50,0|+4,2 %";
        QTest::newRow("no dance") << 5 << 1250.0 << "48,0||";
    }

    void evaluationShowsTheAdjustmentAndKeepsTheRows()
    {
        QFETCH(int, type);
        QFETCH(double, intervalMs);
        QFETCH(QString, shown);
        ChooseDance(selection_, type, type == 2 ? 5 : -1); // Quickstep
        selection_.setTypedTarget("50");
        key(Qt::Key_Space);
        tapAfter(intervalMs);
        tapAfter(intervalMs);
        key(Qt::Key_Enter);
        QCOMPARE(dialogs_, QStringList{shown});
        QVERIFY(messages_.warnings.isEmpty());
        // The rows stay to be read after the dialog; the next tap starts afresh.
        QCOMPARE(rows().size(), 3);
        QVERIFY(!form_->series().counting());
        tapAfter(5000);
        QCOMPARE(rows(), QStringList{"0;0,0;-;-;1;"});
    }

    // The verdict stands beside the colour, judged on the average, next to it.
    void verdictBesideTheColour_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("intervalMs");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("in range") << 2 << 1180.0 << "✓";
        QTest::newRow("too slow") << 2 << 1250.0 << "▼ 2,0";
        QTest::newRow("too fast") << 2 << 1100.0 << "▲ 2,5";
        QTest::newRow("no dance") << 5 << 1250.0 << "";
    }

    void verdictBesideTheColour()
    {
        QFETCH(int, type);
        QFETCH(double, intervalMs);
        QFETCH(QString, verdict);
        ChooseDance(selection_, type, type == 2 ? 5 : -1); // Quickstep, 50-52
        key(Qt::Key_Space);
        tapAfter(intervalMs);
        tapAfter(intervalMs);
        const QStringList stored = DelimitedListBox::splitFields(rows().last(), ';');
        const QStringList shown = form_->tapList->shownFields(stored);
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown.mid(0, 3), stored.mid(0, 3));
        QCOMPARE(shown.at(3), verdict.isEmpty() ? stored.at(3) : stored.at(3) + "  " + verdict);
        QCOMPARE(form_->tapList->sectionTexts().value(3), QStringLiteral("Takte/min gemittelt"));
    }

    // Escape in the shown dialog closes the dialog, never the measurement.
    void escapeClosesOnlyTheAdjustmentDialog()
    {
        ChooseDance(selection_, 2, 5);
        adaptSpeed_->setModalRunner([this] {
            QTimer::singleShot(0, adaptSpeed_.get(), [this] {
                QWidget* modal = QApplication::activeModalWidget();
                QTest::keyClick(modal ? modal : adaptSpeed_.get(), Qt::Key_Escape);
            });
            adaptSpeed_->exec();
        });
        key(Qt::Key_Space);
        for (int i = 0; i < 7; ++i)
            tapAfter(1200);
        const QStringList measured = rows();
        key(Qt::Key_Return);
        QVERIFY(!adaptSpeed_->isVisible());
        QCOMPARE(rows(), measured);
        QCOMPARE(form_->series().tapCount(), 8);
    }

    // Wherever the focus is on the window, Space taps, except in a field that takes text.
    void spaceTapsWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("taps");
        QTest::newRow("list") << "list" << 3;
        QTest::newRow("start button") << "start" << 3;
        QTest::newRow("evaluate button") << "evaluate" << 3;
        QTest::newRow("help button") << "help" << 3;
        QTest::newRow("a dance button beside the window") << "beside" << 3;
        QTest::newRow("read-only field") << "readOnly" << 3;
        QTest::newRow("spin box") << "spin" << 0;
        QTest::newRow("text field") << "text" << 0;
    }

    void spaceTapsWhereverTheFocusIs()
    {
        QFETCH(QString, focus);
        QFETCH(int, taps);
        QPushButton beside(QStringLiteral("Langsamer Walzer"), area_.get());
        QLineEdit text(area_.get());
        QLineEdit readOnly(area_.get());
        readOnly.setReadOnly(true);
        int besideClicks = 0;
        connect(&beside, &QPushButton::clicked, this, [&besideClicks] { ++besideClicks; });
        int helpClicks = help_.shown.size();
        const std::map<QString, QWidget*> targets = {{"list", form_->tapList},
                                                     {"start", form_->startButton},
                                                     {"evaluate", form_->evaluateButton},
                                                     {"help", form_->helpButton},
                                                     {"beside", &beside},
                                                     {"readOnly", &readOnly},
                                                     {"spin", form_->barsPerAverageSpin},
                                                     {"text", &text}};
        QWidget* target = targets.at(focus);
        target->show();
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        for (int i = 0; i < 3; ++i) {
            clock_.advanceMs(500);
            QTest::keyClick(target, Qt::Key_Space);
            form_->resetTimerFired();
        }
        QCOMPARE(form_->series().tapCount(), taps);
        QCOMPARE(besideClicks, 0);
        QCOMPARE(help_.shown.size(), helpClicks);
        QVERIFY(dialogs_.isEmpty());
        if (focus == "text")
            QCOMPARE(text.text(), QStringLiteral("   "));
    }

    // Another window shown: Space is the focused control's again.
    void spaceIsTheButtonsWhileCountBeatIsHidden()
    {
        QPushButton beside(area_.get());
        int clicks = 0;
        connect(&beside, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        beside.show();
        area_->showWindow(1);
        beside.setFocus();
        QTest::keyClick(&beside, Qt::Key_Space);
        QCOMPARE(clicks, 1);
        QCOMPARE(form_->series().tapCount(), 0);
    }

    void keyLockRearmsWhenTheListGetsTheFocusBack()
    {
        ChooseDance(selection_, 5);
        key(Qt::Key_Space);
        tapAfter(500);
        // Enter's release goes to the modal dialog, never to the list.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(form_->tapList, &enter);
        QCOMPARE(dialogs_.size(), 1);
        QVERIFY(!form_->keyReleased());
        QFocusEvent focusBack(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(form_->tapList, &focusBack);
        QTRY_VERIFY(form_->keyReleased());
    }

    void changingNResetsARunningSeries()
    {
        key(Qt::Key_Space);
        tapAfter(500);
        form_->barsPerAverageSpin->setValue(3);
        QVERIFY(rows().isEmpty());
        QVERIFY(!form_->series().counting());
        QCOMPARE(form_->series().tapCount(), 0);
        form_->barsPerAverageSpin->setValue(4); // idle: nothing to reset
        QVERIFY(!form_->series().counting());
    }

    void promptShowsWhileTheEmptyListHasTheFocus()
    {
        QCOMPARE(QApplication::focusWidget(), form_->tapList);
        QCOMPARE(rows(), QStringList{"Bereit zum Auszählen"});
        form_->setLanguage(Language::English);
        QCOMPARE(rows(), QStringList{"Ready"});
        QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(form_->tapList, &deactivated);
        QCOMPARE(rows(), QStringList{"Ready"});
        form_->barsPerAverageSpin->setFocus();
        QVERIFY(rows().isEmpty());
        form_->tapList->setFocus();
        QCOMPARE(rows(), QStringList{"Ready"});
        form_->setLanguage(Language::German);
        QCOMPARE(rows(), QStringList{"Bereit zum Auszählen"});
    }

    void newestRowStaysInView()
    {
        key(Qt::Key_Space);
        for (int i = 0; i < 40; ++i)
            tapAfter(500);
        const QRect last = form_->tapList->visualItemRect(form_->tapList->item(form_->tapList->count() - 1));
        QVERIFY(form_->tapList->viewport()->rect().contains(last));
    }

    void helpFollowsTheLanguage()
    {
        form_->setLanguage(Language::English);
        QCOMPARE(form_->tapList->sectionTexts().value(0), QStringLiteral("# bars"));
        form_->helpButton->click();
        form_->setLanguage(Language::German);
        form_->helpButton->click();
        const QString separator = QDir::separator();
        QCOMPARE(help_.shown, (QStringList{"Count beat|/opt/vantor/en" + separator + "MusikauszaehlenHelp.rtf",
                                           "Musik auszählen|/opt/vantor/de" + separator + "MusikauszaehlenHelp.rtf"}));
    }
};

QTEST_MAIN(TestCountBeat)
#include "tst_count_beat.moc"
