#include "common/Language.h"
#include "common/NumberText.h"
#include "RecordingMessages.h"
#include <QLocale>
#include <QTest>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }
    void textToNumber_data();
    void textToNumber();
    void decimalValue_data() { textToNumber_data(); }
    void decimalValue();
    void warningFollowsLanguage();
    void formatFixed_data();
    void formatFixed();
};

void TestNumberText::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("warned");

    QTest::newRow("integer") << "120" << 120.0 << false;
    QTest::newRow("comma") << "120,5" << 120.5 << false;
    QTest::newRow("point") << "120.5" << 120.5 << false;
    QTest::newRow("two fraction digits") << "0,25" << 0.25 << false;
    QTest::newRow("negative") << "-2,5" << -2.5 << false;
    QTest::newRow("negative below one") << "-0,5" << -0.5 << false;
    QTest::newRow("leading blanks and sign") << "  +7" << 7.0 << false;
    QTest::newRow("separator last") << "120." << -1.0 << true;
    QTest::newRow("lone comma") << "," << -1.0 << true;
    QTest::newRow("empty") << "" << -1.0 << true;
    QTest::newRow("bad fraction keeps integer part") << "12,x" << 12.0 << true;
    QTest::newRow("signed fraction") << "1,-5" << 1.0 << true;
    QTest::newRow("blank in fraction") << "1, 5" << 1.0 << true;
    QTest::newRow("letters") << "abc" << -1.0 << true;
    QTest::newRow("beyond 32 bits") << "2147483648" << -1.0 << true;
    QTest::newRow("lowest 32-bit value") << "-2147483648" << -2147483648.0 << false;
}

void TestNumberText::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(bool, warned);

    RecordingMessages messages;
    QCOMPARE(::textToNumber(text, messages), expected);
    QCOMPARE(messages.warnings.size(), warned ? 1 : 0);
}

// Whatever the conversion warns about gives no value, silently.
void TestNumberText::decimalValue()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(bool, warned);

    QCOMPARE(::decimalValue(text), warned ? std::nullopt : std::optional<double>(expected));
}

void TestNumberText::warningFollowsLanguage()
{
    RecordingMessages messages;
    for (const int stored : {0, 1, 7}) {
        useLanguage(languageFromStored(stored));
        ::textToNumber("x", messages);
    }
    useLanguage(Language::German);
    QCOMPARE(messages.warnings,
             QStringList({"Fehler bei Typumwandlung", "Error during type conversion", "Error during type conversion"}));
}

void TestNumberText::formatFixed_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("half rounds up, de") << "de_DE" << 0.25 << 1 << "0,3";
    QTest::newRow("half rounds up, en") << "en_US" << 0.25 << 1 << "0.3";
    QTest::newRow("carry into integer") << "de_DE" << 51.97 << 1 << "52,0";
    QTest::newRow("negative half away from zero") << "de_DE" << -0.25 << 1 << "-0,3";
    QTest::newRow("negative carry") << "en_US" << -9.96 << 1 << "-10.0";
    QTest::newRow("negative rounding to zero") << "en_US" << -0.04 << 1 << "0.0";
    QTest::newRow("no decimals") << "de_DE" << 2.5 << 0 << "3";
    QTest::newRow("no decimals, negative") << "de_DE" << -2.5 << 0 << "-3";
    QTest::newRow("zero") << "de_DE" << 0.0 << 2 << "0,00";
    QTest::newRow("no group separator") << "en_US" << 12345.5 << 1 << "12345.5";
}

void TestNumberText::formatFixed()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);

    QLocale::setDefault(QLocale(locale));
    QCOMPARE(::formatFixed(value, decimals, 7), expected);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
