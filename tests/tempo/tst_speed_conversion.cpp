#include "DecimalLocale.h"
#include "tempo/SpeedConversionWindow.h"
#include "common/ProgramState.h"
#include "RecordingHelp.h"
#include "TableWindow.h"
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
    std::unique_ptr<SpeedConversionWindow> form_;

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
        state_.programFolder = "/opt/vantor/";
        state_.messages = &messages_;
        state_.help = &help_;
        form_.reset(MakeTableWindow<SpeedConversionWindow>(EmbeddedWindow::SpeedConversion, state_));
        form_->resize(600, 400);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        QLocale::setDefault(QLocale::c());
        useLanguage(Language::German);
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
        form_->actualTempoEdit->setText(actual);
        form_->desiredTempoEdit->setText(desired);
        form_->calculateButton->click();
        QCOMPARE(form_->adaptationEdit->text(), change);
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
        // One box each, naming the field: never the conversion error before it.
        QTest::newRow("actual unreadable") << 0 << "4x"
                                           << "50" << QStringList{badActualDe};
        QTest::newRow("actual empty") << 0 << ""
                                      << "50" << QStringList{badActualDe};
        QTest::newRow("desired unreadable") << 0 << "48"
                                            << "5x" << QStringList{badDesiredDe};
        QTest::newRow("desired empty") << 0 << "48"
                                       << "" << QStringList{badDesiredDe};
        QTest::newRow("desired negative") << 0 << "48"
                                          << "-50" << QStringList{badDesiredDe};
        QTest::newRow("english actual zero") << 1 << "0"
                                             << "50" << QStringList{"Plase enter a valid number for actual speed"};
        QTest::newRow("english desired unreadable") << 1 << "48"
                                                    << "x" << QStringList{"Please enter a valid integer number"};
    }

    void unusableTempoIsRefusedAndKeepsTheResult()
    {
        QFETCH(int, language);
        QFETCH(QString, actual);
        QFETCH(QString, desired);
        QFETCH(QStringList, warnings);
        form_->setLanguage(languageFromStored(language));
        form_->adaptationEdit->setText("+1,00");
        form_->actualTempoEdit->setText(actual);
        form_->desiredTempoEdit->setText(desired);
        form_->calculateClicked();
        QCOMPARE(messages_.warnings, warnings);
        QCOMPARE(form_->adaptationEdit->text(), QStringLiteral("+1,00"));
    }

    void enterMovesToTheEmptyFieldThenComputes()
    {
        setDecimalLocale(false);
        press(form_->actualTempoEdit, "48");
        QCOMPARE(QApplication::focusWidget(), form_->desiredTempoEdit);
        QVERIFY(form_->adaptationEdit->text().isEmpty());
        press(form_->desiredTempoEdit, "50");
        QCOMPARE(form_->adaptationEdit->text(), QStringLiteral("+4,17"));

        form_->resetClicked();
        press(form_->desiredTempoEdit, "50");
        QCOMPARE(QApplication::focusWidget(), form_->actualTempoEdit);
        press(form_->actualTempoEdit, "52");
        QCOMPARE(form_->adaptationEdit->text(), QStringLiteral("-3,85"));
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
        form_->setLanguage(Language::English); // these texts exist in German only
        QLineEdit* field = inActual ? form_->actualTempoEdit : form_->desiredTempoEdit;
        QLineEdit* other = inActual ? form_->desiredTempoEdit : form_->actualTempoEdit;
        other->setText("50");
        press(field, "");
        QCOMPARE(messages_.infos, QStringList{info});
        QCOMPARE(QApplication::focusWidget(), field);
        QVERIFY(form_->adaptationEdit->text().isEmpty());
    }

    void resetEmptiesTheFieldsAndFocusesTheActualTempo()
    {
        form_->actualTempoEdit->setText("48");
        form_->desiredTempoEdit->setText("50");
        form_->calculateClicked();
        form_->helpButton->setFocus();
        form_->resetButton->click();
        QVERIFY(form_->actualTempoEdit->text().isEmpty());
        QVERIFY(form_->desiredTempoEdit->text().isEmpty());
        QVERIFY(form_->adaptationEdit->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), form_->actualTempoEdit);
    }

    void tabOrder()
    {
        const QList<QWidget*> expected{form_->actualTempoEdit, form_->desiredTempoEdit, form_->adaptationEdit,
                                       form_->helpButton,      form_->calculateButton,  form_->resetButton};
        for (int i = 0; i + 1 < expected.size(); ++i) {
            QWidget* next = expected[i]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            QCOMPARE(next, expected[i + 1]);
        }
    }

    void helpOpensTheFileOfTheLanguage()
    {
        form_->setLanguage(Language::English);
        help_.shown.clear();
        form_->helpButton->click();
        form_->setLanguage(Language::German);
        form_->helpButton->click();
        const QString separator = QDir::separator();
        QCOMPARE(help_.shown, (QStringList{"Adapt beat|/opt/vantor/en" + separator + "TaktAnpassungHelp.rtf",
                                           "Takt-Anpassung|/opt/vantor/de" + separator + "TaktAnpassungHelp.rtf"}));
    }
};

QTEST_MAIN(TestSpeedConversion)
#include "tst_speed_conversion.moc"
