#include "app/Settings.h"
#include <QFile>
#include <QPoint>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The numbers and flags in their stored order, to compare them at once.
QList<int> fields(const StoredSettings& s)
{
    return {s.left,
            s.top,
            s.width,
            s.height,
            s.onTop ? 1 : 0,
            s.savedTypeIndex,
            s.savedDanceIndex,
            s.savedRoundIndex,
            s.language,
            s.timeFormat,
            s.copyTapsToClipboard ? 1 : 0};
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingStoreGivesDefaults();
    void integerText_data();
    void integerText();
    void onTop_data();
    void onTop();
    void valueOfAnotherTypeReadsAsDefault();
    void heightWithoutWidth();
    void projectorScreenByName();
    void clipboardCopying_data();
    void clipboardCopying();
    void crossedNamesOfTheSelection();
    void roundTripOfAllValues();
    void valuesAreWrittenAsDecimalText();
    void unwritableStoreIsReported();

private:
    QString writeIni(const QByteArray& text);
    QString iniPath() const { return dir_->filePath("Vantor.conf"); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSettings::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestSettings::writeIni(const QByteArray& text)
{
    QFile file(iniPath());
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    return iniPath();
}

void TestSettings::missingStoreGivesDefaults()
{
    const auto store = openSettingsStore(iniPath());
    QCOMPARE(fields(readSettings(*store)), QList<int>({-1, -1, -1, -1, 0, -1, -1, -1, 0, 1, 1}));
}

void TestSettings::integerText_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << QByteArray("812") << 812;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("plus sign") << QByteArray("+15") << 15;
    QTest::newRow("quoted leading blanks") << QByteArray("\"  42\"") << 42;
    QTest::newRow("hex") << QByteArray("0x20") << 32;
    QTest::newRow("hex, capital X") << QByteArray("0X1f") << 31;
    QTest::newRow("bare prefix") << QByteArray("0x") << -1;
    QTest::newRow("signed hex") << QByteArray("0x-5") << -1;
    QTest::newRow("letters") << QByteArray("links") << -1;
    QTest::newRow("trailing letters") << QByteArray("12px") << -1;
    QTest::newRow("beyond 32 bits") << QByteArray("4294967296") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
}

void TestSettings::integerText()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, expected);

    const auto store = openSettingsStore(writeIni("[Position]\nleft=" + stored + "\n"));
    QCOMPARE(readSettings(*store).left, expected);
}

void TestSettings::onTop_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("2") << QByteArray("2") << true;
    QTest::newRow("-1") << QByteArray("-1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("letters") << QByteArray("ja") << false;
}

void TestSettings::onTop()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, expected);

    const auto store = openSettingsStore(writeIni("[Position]\nonTop=" + stored + "\n"));
    QCOMPARE(readSettings(*store).onTop, expected);
}

void TestSettings::valueOfAnotherTypeReadsAsDefault()
{
    {
        QSettings other(iniPath(), QSettings::IniFormat);
        other.setValue("Position/left", QVariantList{5, 6});
        other.setValue("Position/top", QPoint(3, 4));
        other.setValue("Defaults/Sprache", QStringList{"1", "2"});
    }
    const auto store = openSettingsStore(iniPath());
    const StoredSettings s = readSettings(*store);
    QCOMPARE(s.left, -1);
    QCOMPARE(s.top, -1);
    QCOMPARE(s.language, 0);
}

void TestSettings::heightWithoutWidth()
{
    const auto store = openSettingsStore(writeIni("[Position]\nheight=600\nwidth=-1\n"));
    const StoredSettings s = readSettings(*store);
    QCOMPARE(s.height, 600);
    QCOMPARE(s.width, -1);
    QCOMPARE(s.left, -1);
    QCOMPARE(s.top, -1);
}

void TestSettings::crossedNamesOfTheSelection()
{
    const auto store = openSettingsStore(writeIni("[Defaults]\nTanz=3\nTyp=1\nRunde=2\n"));
    const StoredSettings s = readSettings(*store);
    QCOMPARE(s.savedTypeIndex, 3);
    QCOMPARE(s.savedDanceIndex, 1);
    QCOMPARE(s.savedRoundIndex, 2);
}

void TestSettings::roundTripOfAllValues()
{
    const StoredSettings written{12,
                                 -3,
                                 800,
                                 620,
                                 true,
                                 5,
                                 4,
                                 1,
                                 7,
                                 2,
                                 false,
                                 QStringLiteral("HDMI-2"),
                                 QStringLiteral("USB Audio: Kopfhörer (hw:1,0)"),
                                 true,
                                 true};
    {
        const auto store = openSettingsStore(iniPath());
        QVERIFY(writeSettings(*store, written));
    }
    const auto store = openSettingsStore(iniPath());
    const StoredSettings read = readSettings(*store);
    QCOMPARE(fields(read), fields(written));
    QCOMPARE(read.projectorScreen, written.projectorScreen);
    QCOMPARE(read.prelistenDevice, written.prelistenDevice);
    QCOMPARE(read.prelistenStopsOnHeat, written.prelistenStopsOnHeat);
    QCOMPARE(read.darkTheme, written.darkTheme);
}

void TestSettings::valuesAreWrittenAsDecimalText()
{
    StoredSettings values;
    values.savedTypeIndex = 5;
    values.savedDanceIndex = 2;
    {
        const auto store = openSettingsStore(iniPath());
        QVERIFY(writeSettings(*store, values));
    }
    QSettings raw(iniPath(), QSettings::IniFormat);
    QCOMPARE(raw.value("Position/left").toString(), QString("-1"));
    QCOMPARE(raw.value("Position/onTop").toString(), QString("0"));
    QCOMPARE(raw.value("Defaults/Tanz").toString(), QString("5"));
    QCOMPARE(raw.value("Defaults/Typ").toString(), QString("2"));
    QCOMPARE(raw.value("Defaults/Zeitformat").toString(), QString("1"));
}

// The projector's screen is kept by name; nothing stored is the default.
void TestSettings::projectorScreenByName()
{
    QCOMPARE(readSettings(*openSettingsStore(iniPath())).projectorScreen, QString());
    StoredSettings values;
    values.projectorScreen = QStringLiteral("HDMI-1, Saal 2");
    QVERIFY(writeSettings(*openSettingsStore(iniPath()), values));
    QCOMPARE(readSettings(*openSettingsStore(iniPath())).projectorScreen, values.projectorScreen);
    QCOMPARE(QSettings(iniPath(), QSettings::IniFormat).value("Defaults/Beamer").toString(), values.projectorScreen);
}

void TestSettings::clipboardCopying_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("copies");
    QTest::newRow("missing: on") << QByteArray() << true;
    QTest::newRow("off") << QByteArray("[Defaults]\nZwischenablage=0\n") << false;
    QTest::newRow("on") << QByteArray("[Defaults]\nZwischenablage=1\n") << true;
    QTest::newRow("not a number: on") << QByteArray("[Defaults]\nZwischenablage=nein\n") << true;
}

void TestSettings::clipboardCopying()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, copies);
    StoredSettings values = readSettings(*openSettingsStore(writeIni(ini)));
    QCOMPARE(values.copyTapsToClipboard, copies);
    values.copyTapsToClipboard = !copies;
    QVERIFY(writeSettings(*openSettingsStore(iniPath()), values));
    QCOMPARE(QSettings(iniPath(), QSettings::IniFormat).value("Defaults/Zwischenablage").toString(),
             QString(copies ? "0" : "1"));
}

void TestSettings::unwritableStoreIsReported()
{
    // A regular file where the store's folder would have to be.
    const QString blocker = dir_->filePath("blocker");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const auto store = openSettingsStore(blocker + "/Vantor.conf");
    QVERIFY(!writeSettings(*store, StoredSettings{}));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
