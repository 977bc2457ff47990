#include "ManualClock.h"
#include "ChooseDance.h"
#include "RecordingMessages.h"
#include "app/AboutDialog.h"
#include "common/HelpViewer.h"
#include "common/Language.h"
#include "common/NumberText.h"
#include "common/ProgramState.h"
#include "music/MusicCheckWindow.h"
#include "music/MusicJudgement.h"
#include "rules/RuleTables.h"
#include "stopwatch/StopTimeWindow.h"
#include "stopwatch/StopwatchControl.h"
#include "tempo/SpeedConversionWindow.h"
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

// The German texts are in the code, the English ones come from the translation
// file compiled into the program: a text read in each language, switching back
// and forth, fails when the file or one of its texts is lost.
class TestTranslations : public QObject {
    Q_OBJECT

    using Reader = std::function<QString(Language)>;

private slots:
    void init()
    {
        state_ = ProgramState();
        state_.clock = &clock_;
        state_.messages = &messages_;
        state_.selection = &selection_;
    }

    void cleanup() { useLanguage(Language::German); }

    void textsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        QTest::newRow("window title") << "über Vantor"
                                      << "about Vantor";
        QTest::newRow("button with accelerator") << "&Berechnen"
                                                 << "E&valuate";
        QTest::newRow("caption from a table of the code") << "Paar 2"
                                                          << "Second couple";
        QTest::newRow("component's word") << "Zurücksetzen (&5)"
                                          << "Reset (&5)";
        QTest::newRow("list header of a free function")
            << "Datei|Länge|Takte/min|Regel|zur Grenze|zur Mitte|Tanzzeit|Hinweis"
            << "File|Length|Bars/min|Rules|to bound|to middle|Dancing "
               "time|Note";
        QTest::newRow("warning of a free function") << "Fehler bei Typumwandlung"
                                                    << "Error during type conversion";
        QTest::newRow("label with arguments") << "Regel: 25–27 Takte/min im 4/4-Takt, Tanzzeit 90–120 s"
                                              << "Rules: 25–27 bars/min in 4/4, dancing time 90–120 s";
        QTest::newRow("Qt's own file dialog") << "Suchen in:"
                                              << "Look in:";
        QTest::newRow("warning with an argument") << "Hilfe-Datei nicht gefunden: 'de\\Hilfe.rtf'"
                                                  << "Help file not found: 'en\\Hilfe.rtf'";
    }

    void textsFollowTheLanguage()
    {
        QFETCH(QString, german);
        QFETCH(QString, english);
        const Reader read = readerOf(QTest::currentDataTag());
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(read(Language::English), english);
            QCOMPARE(read(Language::German), german);
        }
    }

private:
    Reader readerOf(const QString& tag)
    {
        if (tag == "window title") {
            return [](Language language) {
                AboutDialog info;
                info.setLanguage(language);
                return info.windowTitle();
            };
        }
        if (tag == "button with accelerator") {
            return [this](Language language) {
                SpeedConversionWindow window(state_);
                window.setLanguage(language);
                return window.calculateButton->text();
            };
        }
        if (tag == "caption from a table of the code") {
            return [this](Language language) {
                StopTimeWindow window(state_);
                window.setLanguage(language);
                return window.coupleTwo->title();
            };
        }
        if (tag == "component's word") {
            return [this](Language language) {
                StopwatchControl stopwatch(clock_);
                stopwatch.setResetButtonNumber(5);
                stopwatch.setLanguage(language);
                return stopwatch.resetButton->text();
            };
        }
        if (tag == "list header of a free function") {
            return [](Language language) {
                useLanguage(language);
                return verdictHeader().join('|');
            };
        }
        if (tag == "warning of a free function") {
            return [this](Language language) {
                useLanguage(language);
                textToNumber("x", messages_);
                return messages_.warnings.takeLast();
            };
        }
        if (tag == "Qt's own file dialog") {
            return [](Language language) {
                useLanguage(language);
                return QCoreApplication::translate("QFileDialog", "Look in:");
            };
        }
        if (tag == "label with arguments") {
            return [this](Language language) {
                QTemporaryDir cache;
                MusicCheckWindow window(state_, cache.filePath("cache.json"));
                const RuleRow rumba{"Rumba", "", "25-27", "100-108", "90-120s"};
                SetTarget(selection_, {25, 27}, "90-120s");
                window.danceChanged(&rumba);
                window.setLanguage(language);
                return window.targetLabel->text();
            };
        }
        return [this](Language language) {
            useLanguage(language);
            showToolHelp(state_, language, "Hilfe", "Hilfe.rtf");
            return messages_.warnings.takeLast();
        };
    }

    ManualClock clock_;
    RecordingMessages messages_;
    ProgramState state_;
    DanceSelection selection_{state_};
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
