#include "widgets/RtfReader.h"
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QByteArray Fixture(const QString& name)
{
    QFile file(QStringLiteral(VANTOR_RTF_FIXTURES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// Lines with runs of blanks collapsed and empty lines dropped: writers differ
// in list indentation and blank paragraphs, not in the words.
QStringList NormalizedLines(const QString& text)
{
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" ")).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QByteArray Wrapped(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\deff0 " + body + "}";
}

// The document's text with paragraph ends as "\n" but other characters
// (non-breaking space, line separator) left as they are.
QString RawText(const QTextDocument& document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& word)
{
    const QTextCursor found = document.find(word);
    if (found.isNull())
        qFatal("word not in document: %s", qPrintable(word));
    QTextCursor cursor(found);
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void fixtureText_data();
    void fixtureText();
    void fixtureFormats_data();
    void fixtureFormats();
    void fixtureColoursAndAlignment();
    void escapes_data();
    void escapes();
    void characterFormats_data();
    void characterFormats();
    void colourTable();
    void paragraphFormats_data();
    void paragraphFormats();
    void malformed_data();
    void malformed();
    void readingReplacesContentAndIsNotUndoable();
    void loadFileReportsUnreadableFile();
};

void TestRtfReader::fixtureText_data()
{
    QTest::addColumn<QString>("rtfFile");
    QTest::addColumn<QString>("textFile");
    QTest::newRow("German, pandoc") << "hilfe_pandoc.rtf"
                                    << "hilfe.txt";
    QTest::newRow("German, office writer") << "hilfe_writer.rtf"
                                           << "hilfe.txt";
    QTest::newRow("English, pandoc") << "help_pandoc.rtf"
                                     << "help.txt";
    QTest::newRow("English, office writer") << "help_writer.rtf"
                                            << "help.txt";
    QTest::newRow("colours, office writer") << "farben_writer.rtf"
                                            << "farben.txt";
}

void TestRtfReader::fixtureText()
{
    QFETCH(QString, rtfFile);
    QFETCH(QString, textFile);
    const QString expected = QString::fromUtf8(Fixture(textFile));
    QCOMPARE(NormalizedLines(rtfToPlainText(Fixture(rtfFile))), NormalizedLines(expected));
}

void TestRtfReader::fixtureFormats_data()
{
    QTest::addColumn<QString>("rtfFile");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<double>("pointSize");
    for (const char* file : {"hilfe_pandoc.rtf", "hilfe_writer.rtf"}) {
        const QByteArray tag(file);
        QTest::newRow(tag + " bold") << file << "Leertaste" << true << false << false << 12.0;
        QTest::newRow(tag + " italic") << file << "durchschnittliche" << false << true << false << 12.0;
        QTest::newRow(tag + " bold italic") << file << "roten" << true << true << false << 12.0;
        QTest::newRow(tag + " plain after") << file << "Markierung" << false << false << false << 12.0;
    }
    QTest::newRow("pandoc heading") << "hilfe_pandoc.rtf"
                                    << "Musik" << true << false << false << 18.0;
    QTest::newRow("writer heading") << "hilfe_writer.rtf"
                                    << "Musik" << true << false << false << 16.0;
    QTest::newRow("writer underline") << "farben_writer.rtf"
                                      << "Unterstrichen" << false << false << true << 12.0;
}

// Checks the format against the current data row's bold, italic, underline and pointSize.
static void CompareFormatWithRow(const QTextCharFormat& format)
{
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(double, pointSize);
    QCOMPARE(format.fontWeight() == QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.fontPointSize(), pointSize);
}

void TestRtfReader::fixtureFormats()
{
    QFETCH(QString, rtfFile);
    QFETCH(QString, word);
    QTextDocument document;
    readRtf(Fixture(rtfFile), &document);
    CompareFormatWithRow(FormatOf(document, word));
}

void TestRtfReader::fixtureColoursAndAlignment()
{
    QTextDocument document;
    readRtf(Fixture("farben_writer.rtf"), &document);
    QCOMPARE(FormatOf(document, "Rot").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatOf(document, "Gelb").foreground().color(), QColor(255, 255, 0));
    QCOMPARE(FormatOf(document, "Gelb").background().color(), QColor(0, 0, 0));
    QCOMPARE(FormatOf(document, QString::fromUtf8("Grün")).foreground().color(), QColor(0, 128, 0));
    QVERIFY(!FormatOf(document, "Ampel").hasProperty(QTextFormat::BackgroundBrush));
    QCOMPARE(document.find("Ampel").block().blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document.find("Rechts").block().blockFormat().alignment(), Qt::AlignRight);
}

void TestRtfReader::escapes_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("umlauts as hex") << QByteArray("\\'e4\\'f6\\'fc\\'c4\\'d6\\'dc\\'df")
                                    << QString::fromUtf8("äöüÄÖÜß");
    QTest::newRow("1252 specials") << QByteArray("\\'80 \\'85\\'93x\\'94\\'99") << QString::fromUtf8("€ …“x”™");
    QTest::newRow("1252 unassigned") << QByteArray("a\\'81\\'8d\\'8f\\'90\\'9db") << "ab";
    QTest::newRow("raw 1252 byte") << QByteArray("Stra\xdf"
                                                 "e \x80")
                                   << QString::fromUtf8("Straße €");
    QTest::newRow("unicode") << QByteArray("\\u8364?\\u8594 ?") << QString::fromUtf8("€→");
    QTest::newRow("unicode skips hex fallback") << QByteArray("M\\u252\\'fcll") << QString::fromUtf8("Müll");
    QTest::newRow("negative unicode") << QByteArray("\\u-4064?") << QString(QChar(0xF020));
    QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QString::fromUtf8("😀");
    QTest::newRow("uc2") << QByteArray("\\uc2\\u8594 xyz") << QString::fromUtf8("→z");
    QTest::newRow("uc0") << QByteArray("\\uc0\\u8594 x") << QString::fromUtf8("→x");
    QTest::newRow("uc is scoped") << QByteArray("{\\uc0 a}\\u8364?b") << QString::fromUtf8("a€b");
    QTest::newRow("skip ends at group") << QByteArray("{\\uc3\\u8364 a}bc") << QString::fromUtf8("€bc");
    QTest::newRow("special symbols") << QByteArray("a\\~b\\-c\\_d") << QString::fromUtf8("a\u00a0b\u00adc\u2011d");
    QTest::newRow("typographic words") << QByteArray("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote")
                                       << QString::fromUtf8("—–•‘’“”");
    QTest::newRow("escaped braces") << QByteArray("\\{\\}\\\\") << "{}\\";
    QTest::newRow("tab and line") << QByteArray("a\\tab b\\line c") << QString::fromUtf8("a\tb\u2028c");
    QTest::newRow("paragraphs") << QByteArray("a\\par b\\par\\par c\\par") << "a\nb\n\nc";
    QTest::newRow("backslash newline is par") << QByteArray("a\\\nb") << "a\nb";
    QTest::newRow("raw line ends ignored") << QByteArray("a\r\nb\nc") << "abc";
    QTest::newRow("skipped destinations")
        << QByteArray("{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}"
                      "{\\info{\\title T}{\\author A}}{\\*\\generator G;}{\\header H}{\\footer F}"
                      "{\\listtable{\\list x}}{\\*\\rsidtbl \\rsid1}{\\*\\themedata 0102}Text")
        << "Text";
    QTest::newRow("unknown starred") << QByteArray("{\\*\\unknownword hidden}shown") << "shown";
    QTest::newRow("picture with binary") << QByteArray("{\\pict\\bin4 }}{{}a") << "a";
    QTest::newRow("field result") << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Link}}") << "Link";
    QTest::newRow("list text shown") << QByteArray("{\\listtext \\bullet\\tab}Item") << QString::fromUtf8("•\tItem");
    QTest::newRow("hidden text") << QByteArray("a{\\v hidden}b") << "ab";
    QTest::newRow("table row") << QByteArray("\\trowd\\cellx100\\cellx200\\intbl A\\cell B\\cell\\row\\pard C")
                               << "A\tB\nC";
    QTest::newRow("cell paragraphs") << QByteArray(
                                            "{\\pard\\intbl A\\par}\\cell{\\pard\\intbl B1\\par B2\\par}\\cell\\row")
                                     << QString::fromUtf8("A\tB1\u2028B2");
    QTest::newRow("empty first cell") << QByteArray("\\intbl\\cell B\\cell\\row") << "\tB";
}

void TestRtfReader::escapes()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QTextDocument document;
    readRtf(Wrapped(body), &document);
    QCOMPARE(RawText(document), expected);
}

void TestRtfReader::characterFormats_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<double>("pointSize");
    QTest::newRow("bold on") << QByteArray("\\b fett\\b0 normal") << "fett" << true << false << false << 12.0;
    QTest::newRow("bold off") << QByteArray("\\b fett\\b0 normal") << "normal" << false << false << false << 12.0;
    QTest::newRow("group restores") << QByteArray("{\\i kursiv}normal") << "normal" << false << false << false << 12.0;
    QTest::newRow("ulnone") << QByteArray("\\ul unter\\ulnone frei") << "frei" << false << false << false << 12.0;
    QTest::newRow("double underline") << QByteArray("\\uldb unter") << "unter" << false << false << true << 12.0;
    QTest::newRow("plain resets") << QByteArray("\\b\\i\\ul\\fs40 alles\\plain schlicht") << "schlicht" << false
                                  << false << false << 12.0;
    QTest::newRow("all set") << QByteArray("\\b\\i\\ul\\fs40 alles\\plain schlicht") << "alles" << true << true << true
                             << 20.0;
    QTest::newRow("huge size clamped") << QByteArray("\\fs99999999999 riesig") << "riesig" << false << false << false
                                       << 1638.0;
    QTest::newRow("zero size default") << QByteArray("\\fs0 null") << "null" << false << false << false << 12.0;
}

void TestRtfReader::characterFormats()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, word);
    QTextDocument document;
    readRtf(Wrapped(body), &document);
    CompareFormatWithRow(FormatOf(document, word));
}

void TestRtfReader::colourTable()
{
    QTextDocument document;
    readRtf(Wrapped("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                    "\\cf1 rot \\cf2\\highlight1 blau \\cf0\\highlight0 auto \\cf99\\cb2 fremd"),
            &document);
    QCOMPARE(FormatOf(document, "rot").foreground().color(), QColor(Qt::red));
    QCOMPARE(FormatOf(document, "blau").foreground().color(), QColor(Qt::blue));
    QCOMPARE(FormatOf(document, "blau").background().color(), QColor(Qt::red));
    QVERIFY(!FormatOf(document, "auto").hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!FormatOf(document, "auto").hasProperty(QTextFormat::BackgroundBrush));
    QVERIFY(!FormatOf(document, "fremd").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(FormatOf(document, "fremd").background().color(), QColor(Qt::blue));
}

void TestRtfReader::paragraphFormats_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("leftMargin");
    QTest::addColumn<double>("textIndent");
    QTest::newRow("default") << QByteArray("x") << int(Qt::AlignLeft) << 0.0 << 0.0;
    QTest::newRow("centre") << QByteArray("\\qc x") << int(Qt::AlignHCenter) << 0.0 << 0.0;
    QTest::newRow("right") << QByteArray("\\qr x\\par") << int(Qt::AlignRight) << 0.0 << 0.0;
    QTest::newRow("justify") << QByteArray("\\qj x") << int(Qt::AlignJustify) << 0.0 << 0.0;
    QTest::newRow("indents in twips") << QByteArray("\\li1440\\fi-360 x") << int(Qt::AlignLeft) << 96.0 << -24.0;
    QTest::newRow("pard resets") << QByteArray("\\qc\\li720 \\pard x") << int(Qt::AlignLeft) << 0.0 << 0.0;
    QTest::newRow("props at par count") << QByteArray("x\\qr\\par") << int(Qt::AlignRight) << 0.0 << 0.0;
    QTest::newRow("huge indent clamped") << QByteArray("\\li2147483647 x") << int(Qt::AlignLeft) << 2112.0 << 0.0;
}

void TestRtfReader::paragraphFormats()
{
    QFETCH(QByteArray, body);
    QTextDocument document;
    readRtf(Wrapped(body), &document);
    const QTextBlockFormat format = document.find("x").block().blockFormat();
    QFETCH(int, alignment);
    QFETCH(double, leftMargin);
    QFETCH(double, textIndent);
    QCOMPARE(int(format.alignment()), alignment);
    QCOMPARE(format.leftMargin(), leftMargin);
    QCOMPARE(format.textIndent(), textIndent);
}

void TestRtfReader::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    const QByteArray deep = QByteArray(100000, '{') + "lost" + QByteArray(100000, '}') + "kept";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("not rtf at all") << QByteArray("plain words") << "plain words";
    QTest::newRow("truncated") << QByteArray("{\\rtf1 abc{\\b de") << "abcde";
    QTest::newRow("truncated in table") << QByteArray("{\\rtf1{\\colortbl;\\red255") << "";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}b") << "ab";
    QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("hex cut short") << QByteArray("{\\rtf1 a\\'4") << "a4";
    QTest::newRow("hex not hex") << QByteArray("{\\rtf1 a\\'zz") << "azz";
    QTest::newRow("groups beyond depth cap") << deep << "kept";
    QTest::newRow("groups within depth cap") << QByteArray(200, '{') + "inner"
                                             << "inner";
    QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin999999999999 bcd}") << "a";
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("huge uc") << QByteArray("{\\rtf1\\uc999999\\u8364 abcdefghijklmnopqrs}")
                             << QString::fromUtf8("€qrs");
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1\\u99999999999999999999 x}") << QString::fromUtf8("\ufffd");
    QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1\\u-10179?x}") << QString::fromUtf8("\ufffdx");
    QTest::newRow("high surrogate at end") << QByteArray("{\\rtf1 a\\u-10179?}") << QString::fromUtf8("a\ufffd");
    QTest::newRow("lone low surrogate") << QByteArray("{\\rtf1\\u-8704?}") << QString::fromUtf8("\ufffd");
    QTest::newRow("document markers") << QByteArray("{\\rtf1\\u8233?\\u-560?\\u-4?}")
                                      << QString::fromUtf8("\ufffd\ufffd\ufffd");
    QTest::newRow("control bytes") << QByteArray("a\x00\x01\x1f\x7f"
                                                 "b",
                                                 6)
                                   << "ab";
    QTest::newRow("endless control word") << QByteArray("{\\rtf1 \\" + QByteArray(100000, 'x') + " y}") << "y";
    QTest::newRow("huge colour index") << QByteArray("{\\rtf1\\cf2147483647\\highlight-5 t}") << "t";
    QTest::newRow("font table never closed") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}text") << "";
}

void TestRtfReader::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    readRtf(rtf, &document);
    QCOMPARE(RawText(document), expected);
}

void TestRtfReader::readingReplacesContentAndIsNotUndoable()
{
    QTextDocument document;
    document.setPlainText("earlier help");
    readRtf(Wrapped("later"), &document);
    QCOMPARE(document.toPlainText(), QString("later"));
    QVERIFY(!document.isUndoAvailable());
    QVERIFY(document.isUndoRedoEnabled());
}

void TestRtfReader::loadFileReportsUnreadableFile()
{
    QTemporaryDir dir;
    QTextDocument document;
    document.setPlainText("kept");
    QVERIFY(!loadRtfFile(dir.filePath("missing.rtf"), &document));
    QVERIFY(!loadRtfFile(dir.path(), &document));
    QCOMPARE(document.toPlainText(), QString("kept"));

    QFile file(dir.filePath("help.rtf"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Wrapped("Hilfe"));
    file.close();
    QVERIFY(loadRtfFile(file.fileName(), &document));
    QCOMPARE(document.toPlainText(), QString("Hilfe"));
}

QTEST_MAIN(TestRtfReader)
#include "tst_RtfReader.moc"
