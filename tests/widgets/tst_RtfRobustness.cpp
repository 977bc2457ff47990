// Mutated real RTF files must be read to the end without crash or hang, and
// the document must stay within what the input can describe.
#include "widgets/RtfReader.h"
#include <QFile>
#include <QTest>
#include <QTextDocument>
#include <random>

namespace {

constexpr int kInputCount = 3000;
constexpr int kLaidOutEvery = 25; // layout is slow; enough to catch absurd sizes

class Mutator {
public:
    explicit Mutator(unsigned seed)
        : random_(seed)
    {
    }

    QByteArray mutate(QByteArray rtf)
    {
        const int steps = pick(1, 8);
        for (int i = 0; i < steps; ++i) {
            switch (pick(0, 5)) {
            case 0:
                flipBytes(rtf);
                break;
            case 1:
                rtf.truncate(pick(0, int(rtf.size())));
                break;
            case 2:
                rtf.insert(position(rtf), QByteArray(pick(1, 600), pick(0, 1) ? '{' : '}'));
                break;
            case 3:
                rtf.insert(position(rtf), controlWord());
                break;
            case 4:
                rtf.remove(position(rtf), pick(1, 200));
                break;
            case 5:
                rtf.insert(position(rtf), rtf.mid(position(rtf), pick(1, 400)));
                break;
            }
        }
        return rtf;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int position(const QByteArray& rtf) { return pick(0, int(rtf.size())); }

    void flipBytes(QByteArray& rtf)
    {
        if (rtf.isEmpty())
            return;
        for (int n = pick(1, 20); n > 0; --n)
            rtf[position(rtf) % rtf.size()] = char(pick(0, 255));
    }

    QByteArray controlWord()
    {
        static const char* const kWords[] = {"fs",   "bin",     "u",        "uc",    "cf",   "cb",  "highlight",
                                             "li",   "fi",      "ri",       "f",     "red",  "par", "cell",
                                             "row",  "intbl",   "pard",     "plain", "b",    "'",   "*\\",
                                             "pict", "fonttbl", "colortbl", "v",     "line", "tab"};
        static const char* const kNumbers[] = {"",
                                               "0",
                                               "-1",
                                               "1",
                                               "65535",
                                               "-32768",
                                               "2147483647",
                                               "-2147483648",
                                               "99999999999999999999",
                                               "-99999999999999"};
        QByteArray word = QByteArray("\\") + kWords[pick(0, std::size(kWords) - 1)];
        word += kNumbers[pick(0, std::size(kNumbers) - 1)];
        return pick(0, 1) ? word + ' ' : word;
    }

    std::mt19937 random_;
};

QByteArray Fixture(const char* name)
{
    QFile file(QStringLiteral(VANTOR_RTF_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

} // namespace

class TestRtfRobustness : public QObject {
    Q_OBJECT
private slots:
    void mutatedFixturesStayBounded();
};

void TestRtfRobustness::mutatedFixturesStayBounded()
{
    const QByteArray fixtures[] = {Fixture("hilfe_pandoc.rtf"), Fixture("hilfe_writer.rtf"), Fixture("help_pandoc.rtf"),
                                   Fixture("help_writer.rtf"), Fixture("farben_writer.rtf")};
    Mutator mutator(20240611);
    std::mt19937 choice(7);
    QTextDocument document;
    for (int i = 0; i < kInputCount; ++i) {
        const QByteArray& source = fixtures[choice() % std::size(fixtures)];
        const QByteArray rtf = mutator.mutate(source);
        readRtf(rtf, &document);
        // Every character and paragraph of the result stems from at least one input byte.
        QVERIFY2(document.characterCount() <= rtf.size() + 1, qPrintable(QString::number(i)));
        QVERIFY2(document.blockCount() <= rtf.size() + 1, qPrintable(QString::number(i)));
        if (i % kLaidOutEvery == 0) {
            document.setTextWidth(400);
            QVERIFY(document.size().height() < 1e7);
        }
    }
}

QTEST_MAIN(TestRtfRobustness)
#include "tst_RtfRobustness.moc"
