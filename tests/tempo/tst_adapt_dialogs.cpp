#include "DecimalLocale.h"
#include "tempo/AdaptFixedSpeedDialog.h"
#include "tempo/AdaptSpeedDialog.h"
#include "common/ProgramState.h"
#include "common/Language.h"
#include "rules/DanceSelection.h"
#include "ChooseDance.h"
#include "RecordingMessages.h"
#include "rules/RuleTables.h"
#include "tempo/SpeedConversion.h"
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

void fill(RuleTables& rules, Discipline d, const QList<QStringList>& rows)
{
    RuleTable& table = rules.table(d);
    table.rowCount = rows.size();
    for (int i = 0; i < rows.size(); ++i)
        table.rows[i] = RuleRow{rows[i][0], rows[i][1], rows[i][2], QString(), QString()};
}

// What the dialog showed when it would have gone modal.
struct Shown {
    QString actual, desired, adjustment;
    QPoint position;
};

} // namespace

class TestAdaptDialogs : public QObject {
    Q_OBJECT

private:
    RuleTables rules_;
    RecordingMessages messages_;
    ProgramState state_;
    DanceSelection selection_{state_};
    QList<Shown> shown_;

    template <typename Dialog>
    void recordShowings(Dialog& dialog)
    {
        dialog.setModalRunner([this, &dialog] {
            shown_ << Shown{dialog.actualSpeedEdit->text(), dialog.desiredSpeedEdit->text(),
                            dialog.adaptationEdit->text(), dialog.pos()};
        });
    }

private slots:
    void initTestCase()
    {
        fill(rules_, Discipline::RnR,
             {{"Schüler", "Vor-/Zwischenrunde", "47"},
              {"Schüler", "Endrunde", "47-48"},
              {"Junioren", "Vor-/Zwischenrunde", "47"},
              {"D-Klasse", "Vor-/Zwischenrunde", "48"},
              {"C-Klasse", "-", "46"},
              {"C-Klasse", "-", "48"},
              {"A-Klasse", "Fußtechnik", "50-52"},
              {"A-Klasse", "Akrobatik", "48-50"},
              {"A Class", "foot technique", "50-52"},
              {"A Class", "acrobatics", "48-50"}});
        fill(rules_, Discipline::Boogie,
             {{"Jugendklasse", "-", "50-52"},
              {"Hauptklasse", "Vor-/Zwischenrunde", "50-52"},
              {"Hauptklasse", "Endrunde (langsam)", "28-30"}});
        fill(rules_, Discipline::Ballroom, {{"Tango", "", "31-33"}, {"Quickstep", "", "50-52"}});
        fill(rules_, Discipline::Latin, {{"Samba", "", "50-52"}, {"Jive", "", "42-44"}, {"Rumba", "", "46"}});
        state_.rules = &rules_;
        state_.messages = &messages_;
        state_.selection = &selection_;
    }

    void init()
    {
        messages_.clear();
        shown_.clear();
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void englishRoundIsJudgedInTheDialog()
    {
        setDecimalLocale(false);
        useLanguage(Language::English);
        ChooseDance(selection_, 0, 5, 0); // A Class, foot technique
        AdaptSpeedDialog dialog(state_);
        recordShowings(dialog);
        dialog.showRuleAdaptation("51,0");
        useLanguage(Language::German);
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].desired, QString("50-52"));
        QCOMPARE(shown_[0].adjustment, QString("-1,96% <-> +1,96%"));
    }

    void fixedAdaptation_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<float>("actual");
        QTest::addColumn<float>("desired");
        QTest::addColumn<QString>("actualText");
        QTest::addColumn<QString>("adjustment");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": faster")
                << english << 48.0f << 50.0f << localised("48,0", english) << localised("+4,2 %", english);
            QTest::newRow(tag + ": slower")
                << english << 52.0f << 50.0f << localised("52,0", english) << localised("-3,8 %", english);
            QTest::newRow(tag + ": equal")
                << english << 50.0f << 50.0f << localised("50,0", english) << localised("+0,0 %", english);
            // No playing speed turns a standstill into a tempo.
            QTest::newRow(tag + ": zero actual") << english << 0.0f << 50.0f << localised("0,0", english) << "";
        }
    }

    void fixedAdaptation()
    {
        QFETCH(bool, english);
        QFETCH(float, actual);
        QFETCH(float, desired);
        QFETCH(QString, actualText);
        QFETCH(QString, adjustment);
        setDecimalLocale(english);
        AdaptFixedSpeedDialog dialog;
        recordShowings(dialog);
        dialog.showFixedAdaptation(actual, desired);
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].actual, actualText);
        QCOMPARE(shown_[0].desired, localised("50,0", english));
        QCOMPARE(shown_[0].adjustment, adjustment);
    }

    void ruleAdaptation_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dance");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("desired");
        QTest::addColumn<QString>("adjustment");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": single tempo")
                << english << 3 << 2 << localised("45,2", english) << "46" << localised("+1,77%", english);
            QTest::newRow(tag + ": inside the range") << english << 2 << 5 << localised("51,0", english) << "50-52"
                                                      << localised("-1,96% <-> +1,96%", english);
            QTest::newRow(tag + ": below the range") << english << 2 << 5 << localised("49,0", english) << "50-52"
                                                     << localised("+2,04% <-> +6,12%", english);
            QTest::newRow(tag + ": no dance") << english << 5 << -1 << localised("51,0", english) << ""
                                              << "";
        }
    }

    void ruleAdaptation()
    {
        QFETCH(bool, english);
        QFETCH(int, type);
        QFETCH(int, dance);
        QFETCH(QString, actual);
        QFETCH(QString, desired);
        QFETCH(QString, adjustment);
        setDecimalLocale(english);
        ChooseDance(selection_, type, dance);
        AdaptSpeedDialog dialog(state_);
        recordShowings(dialog);
        dialog.adaptationEdit->setText("from before");
        dialog.showRuleAdaptation(actual);
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].actual, actual);
        QCOMPARE(shown_[0].desired, desired);
        QCOMPARE(shown_[0].adjustment, adjustment);
        QVERIFY(messages_.warnings.isEmpty());
    }

    void zeroMeasurementAsksForTheTempo_data()
    {
        QTest::addColumn<QString>("measured");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("adjustment");
        QTest::newRow("cancelled: the preset") << "0,0" << QStringList() << "46"
                                               << "+8,70% <-> +13,04%";
        QTest::newRow("answered") << "0,0" << QStringList{"50"} << "50"
                                  << "+0,00% <-> +4,00%";
        QTest::newRow("point separator") << "0.0" << QStringList{"52,0"} << "52,0"
                                         << "-3,85% <-> +0,00%";
    }

    void zeroMeasurementAsksForTheTempo()
    {
        QFETCH(QString, measured);
        QFETCH(QStringList, answers);
        QFETCH(QString, actual);
        QFETCH(QString, adjustment);
        setDecimalLocale(false);
        ChooseDance(selection_, 2, 5);
        messages_.answers = answers;
        AdaptSpeedDialog dialog(state_);
        recordShowings(dialog);
        dialog.showRuleAdaptation(measured);
        QCOMPARE(messages_.prompts, QStringList{"Tempo des Titels|Geschwindigkeit in Takte-pro-Minute eingeben"});
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].actual, actual);
        QCOMPARE(shown_[0].adjustment, adjustment);
    }

    void unusableAnswerIsRefusedWithoutShowing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("zero") << "0";
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
    }

    void unusableAnswerIsRefusedWithoutShowing()
    {
        QFETCH(QString, answer);
        ChooseDance(selection_, 2, 5);
        messages_.answers = QStringList{answer};
        AdaptSpeedDialog dialog(state_);
        recordShowings(dialog);
        dialog.showRuleAdaptation("0,0");
        QCOMPARE(messages_.warnings, QStringList{"Keine gültige Zahl!"});
        QVERIFY(shown_.isEmpty());
    }

    void unreadableRuleTempoIsReportedAndUsed()
    {
        setDecimalLocale(false);
        ChooseDance(selection_, 2, 5);
        fill(rules_, Discipline::Ballroom, {{"Tango", "", "31-33"}, {"Quickstep", "", "5x-52"}});
        AdaptSpeedDialog dialog(state_);
        recordShowings(dialog);
        dialog.showRuleAdaptation("51,0");
        fill(rules_, Discipline::Ballroom, {{"Tango", "", "31-33"}, {"Quickstep", "", "50-52"}});
        QCOMPARE(messages_.warnings, QStringList{"Fehler bei Typumwandlung"});
        QCOMPARE(shown_[0].adjustment, QStringLiteral("-101,96% <-> +1,96%"));
    }

    void dialogsCentreOnTheScreen()
    {
        AdaptFixedSpeedDialog fixed;
        AdaptSpeedDialog rule(state_);
        recordShowings(fixed);
        recordShowings(rule);
        ChooseDance(selection_, 5);
        fixed.showFixedAdaptation(48, 50);
        rule.showRuleAdaptation("48,0");
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        QCOMPARE(shown_[0].position, QPoint((screen.width() - 323) / 2, (screen.height() - 220) / 2));
        QCOMPARE(shown_[1].position,
                 QPoint((screen.width() - rule.width()) / 2, (screen.height() - rule.height()) / 2));
    }

    void languageSwitchesTheCaptions()
    {
        AdaptSpeedDialog rule(state_);
        QCOMPARE(rule.windowTitle(), QStringLiteral("Geschwindigkeitsanpassung"));
        rule.setLanguage(Language::English);
        QCOMPARE(rule.windowTitle(), QStringLiteral("Adjust tempo"));
        QCOMPARE(rule.closeButton->text(), QStringLiteral("&Close"));
    }
};

QTEST_MAIN(TestAdaptDialogs)
#include "tst_adapt_dialogs.moc"
