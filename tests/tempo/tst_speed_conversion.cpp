#include "DecimalLocale.h"
#include "tempo/FrmGeschwindigkeitsumrechnung.h"
#include "common/ProgramState.h"
#include "RecordingHelp.h"
#include "RecordingMessages.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestSpeedConversion : public QObject {
    Q_OBJECT

private:
    RecordingMessages messages_;
    RecordingHelp help_;
    ProgramState state_;
    std::unique_ptr<TFrmGeschwindigkeitsumrechnung> form_;

    void press(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
    }

private slots:
    void init()
    {
        messages_.clear();
        state_ = ProgramState();
        state_.ProgramFolder = "/opt/vantor/";
        state_.messages = &messages_;
        state_.help = &help_;
        form_ = std::make_unique<TFrmGeschwindigkeitsumrechnung>(state_);
        form_->resize(600, 400);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        QLocale::setDefault(QLocale::c());
        UseLanguage(Language::German);
    }

    void speedChangeHasASignAndTwoDecimals_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("desired");
        QTest::addColumn<QString>("change");
        for (bool english : {false, true}) {
            const QByteArray tag = localeTag(english);
            QTest::newRow(tag + ": faster") << english << "48"
                                            << "50" << localised("+4,17", english);
            QTest::newRow(tag + ": slower") << english << "52"
                                            << "50" << localised("-3,85", english);
            QTest::newRow(tag + ": equal") << english << "50"
                                           << "50" << localised("+0,00", english);
            QTest::newRow(tag + ": typed with a point") << english << "49.5"
                                                        << "50,5" << localised("+2,02", english);
            QTest::newRow(tag + ": to a standstill") << english << "50"
                                                     << "0" << localised("-100,00", english);
        }
    }

    void speedChangeHasASignAndTwoDecimals()
    {
        QFETCH(bool, english);
        QFETCH(QString, actual);
        QFETCH(QString, desired);
        QFETCH(QString, change);
        setDecimalLocale(english);
        form_->ED_Ist->setText(actual);
        form_->ED_Soll->setText(desired);
        form_->BT_Berechnen->click();
        QCOMPARE(form_->ED_Anpassung->text(), change);
        QCOMPARE(messages_.warnings, QStringList());
    }

    void unusableTempoIsRefusedAndKeepsTheResult_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("desired");
        QTest::addColumn<QStringList>("warnings");
        const QString badActualDe = "Sie müssen als Ist-Tempo eine gültige Zahl angeben";
        const QString badDesiredDe = "Sie müssen als Soll-Tempo einen gültige Zahl angeben";
        QTest::newRow("actual zero") << 0 << "0"
                                     << "50" << QStringList{badActualDe};
        QTest::newRow("actual negative") << 0 << "-5"
                                         << "50" << QStringList{badActualDe};
        QTest::newRow("actual unreadable") << 0 << "4x"
                                           << "50" << QStringList{"Fehler bei Typumwandlung", badActualDe};
        QTest::newRow("desired unreadable") << 0 << "48"
                                            << "" << QStringList{"Fehler bei Typumwandlung", badDesiredDe};
        QTest::newRow("desired negative") << 0 << "48"
                                          << "-50" << QStringList{badDesiredDe};
        QTest::newRow("english actual zero") << 1 << "0"
                                             << "50" << QStringList{"Plase enter a valid number for actual speed"};
        QTest::newRow("english desired unreadable")
            << 1 << "48"
            << "x" << QStringList{"Error during type conversion", "Please enter a valid integer number"};
    }

    void unusableTempoIsRefusedAndKeepsTheResult()
    {
        QFETCH(int, language);
        QFETCH(QString, actual);
        QFETCH(QString, desired);
        QFETCH(QStringList, warnings);
        form_->SetLanguage(LanguageFromStored(language));
        form_->ED_Anpassung->setText("+1,00");
        form_->ED_Ist->setText(actual);
        form_->ED_Soll->setText(desired);
        form_->BT_BerechnenClick();
        QCOMPARE(messages_.warnings, warnings);
        QCOMPARE(form_->ED_Anpassung->text(), QStringLiteral("+1,00"));
    }

    void enterMovesToTheEmptyFieldThenComputes()
    {
        setDecimalLocale(false);
        press(form_->ED_Ist, "48");
        QCOMPARE(QApplication::focusWidget(), form_->ED_Soll);
        QVERIFY(form_->ED_Anpassung->text().isEmpty());
        press(form_->ED_Soll, "50");
        QCOMPARE(form_->ED_Anpassung->text(), QStringLiteral("+4,17"));

        form_->BT_ResetClick();
        press(form_->ED_Soll, "50");
        QCOMPARE(QApplication::focusWidget(), form_->ED_Ist);
        press(form_->ED_Ist, "52");
        QCOMPARE(form_->ED_Anpassung->text(), QStringLiteral("-3,85"));
    }

    void enterInAnEmptyFieldInformsAndStays_data()
    {
        QTest::addColumn<bool>("inActual");
        QTest::addColumn<QString>("info");
        QTest::newRow("actual") << true << "Sie müssen eine Ist-Geschwindigkeit angeben!";
        QTest::newRow("desired") << false << "Sie müssen eine Soll-Geschwindigkeit eingeben!";
    }

    void enterInAnEmptyFieldInformsAndStays()
    {
        QFETCH(bool, inActual);
        QFETCH(QString, info);
        form_->SetLanguage(Language::English); // these texts exist in German only
        QLineEdit* field = inActual ? form_->ED_Ist : form_->ED_Soll;
        QLineEdit* other = inActual ? form_->ED_Soll : form_->ED_Ist;
        other->setText("50");
        press(field, "");
        QCOMPARE(messages_.infos, QStringList{info});
        QCOMPARE(QApplication::focusWidget(), field);
        QVERIFY(form_->ED_Anpassung->text().isEmpty());
    }

    void resetEmptiesTheFieldsAndFocusesTheActualTempo()
    {
        form_->ED_Ist->setText("48");
        form_->ED_Soll->setText("50");
        form_->BT_BerechnenClick();
        form_->BT_Help->setFocus();
        form_->BT_Reset->click();
        QVERIFY(form_->ED_Ist->text().isEmpty());
        QVERIFY(form_->ED_Soll->text().isEmpty());
        QVERIFY(form_->ED_Anpassung->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), form_->ED_Ist);
    }

    void tabOrder()
    {
        const QList<QWidget*> expected{form_->ED_Ist,  form_->ED_Soll,      form_->ED_Anpassung,
                                       form_->BT_Help, form_->BT_Berechnen, form_->BT_Reset};
        for (int i = 0; i + 1 < expected.size(); ++i) {
            QWidget* next = expected[i]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            QCOMPARE(next, expected[i + 1]);
        }
    }

    void helpOpensTheFileOfTheLanguage()
    {
        form_->SetLanguage(Language::English);
        help_.shown.clear();
        form_->BT_Help->click();
        form_->SetLanguage(Language::German);
        form_->BT_Help->click();
        const QString separator = QDir::separator();
        QCOMPARE(help_.shown, (QStringList{"Adapt beat|/opt/vantor/en" + separator + "TaktAnpassungHelp.rtf",
                                           "Takt-Anpassung|/opt/vantor/de" + separator + "TaktAnpassungHelp.rtf"}));
    }
};

QTEST_MAIN(TestSpeedConversion)
#include "tst_speed_conversion.moc"
