#include "common/FileNames.h"
#include "common/Language.h"
#include "play/PlanStore.h"
#include "play/RoundCheck.h"
#include "play/RoundPlanModel.h"
#include "rules/RuleFiles.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

namespace {

QString dataDir()
{
    return qEnvironmentVariable("VANTOR_DATA_DIR");
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

const RoundKey kLatin{Discipline::Latin, -1, -1};
const RoundKey kBoogieFinal{Discipline::Boogie, 1, 1};

} // namespace

class TestPlanStore : public QObject {
    Q_OBJECT

    RuleTables tables_;

private slots:
    void initTestCase()
    {
        if (dataDir().isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
        QVERIFY(loadRuleTables(tables_, QDir(dataDir()).filePath("de")).ok());
    }
    void init()
    {
        useLanguage(Language::German);
        QLocale::setDefault(QLocale(QLocale::German));
    }

    void planComesBackAfterARestart_data()
    {
        QTest::addColumn<int>("variant");
        QTest::newRow("defaults") << 0;
        QTest::newRow("every setting changed") << 1;
        QTest::newRow("tracks with odd names") << 2;
    }
    void planComesBackAfterARestart()
    {
        QFETCH(int, variant);
        QTemporaryDir dir;
        RoundPlan plan = RoundPlan::defaultFor(runningOrder(tables_, kBoogieFinal));
        QCOMPARE(plan.dances.size(), 2);
        if (variant == 1) {
            plan.settings = RoundSettings{2.5, StartPoint::FileStart, BetweenHeats::Gap, 12, 4.5, 51.5};
            plan.dances[1] = DancePlan{3, {"/m/a.mp3", "/m/b.flac"}, 105, 29.0};
        }
        else if (variant == 2) {
            plan.dances[0].tracks =
                QStringList{QString::fromUtf8("/Musik/Tänze; \"neu\"/Boogie ♪ 1.mp3"), "C:\\Musik\\b.wav"};
        }
        {
            PlanStore store(dir.filePath("rounds"));
            QCOMPARE(store.save(plan), QString());
        }
        PlanStore again(dir.filePath("rounds"));
        const LoadedPlan loaded = again.load(kBoogieFinal);
        QCOMPARE(loaded.error, QString());
        QVERIFY(loaded.plan);
        QVERIFY(*loaded.plan == plan);
        QCOMPARE(again.savedKeys(), QList<RoundKey>{kBoogieFinal});
        QVERIFY(!again.load(kLatin).plan);
        QCOMPARE(again.load(kLatin).error, QString());
    }

    void fileNamesGiveBackTheirKeys_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("roundIndex");
        QTest::newRow("latin") << 3 << -1 << -1;
        QTest::newRow("seniors' ballroom") << 2 << 3 << -1;
        QTest::newRow("rnr C") << 0 << 3 << -1;
        QTest::newRow("rnr A acrobatics") << 0 << 5 << 1;
        QTest::newRow("boogie final") << 1 << 2 << 1;
    }
    void fileNamesGiveBackTheirKeys()
    {
        QFETCH(int, discipline);
        QFETCH(int, classIndex);
        QFETCH(int, roundIndex);
        const RoundKey key{static_cast<Discipline>(discipline), classIndex, roundIndex};
        const QString name = QFileInfo(PlanStore("/x").fileOf(key)).fileName();
        QCOMPARE(PlanStore::keyOfFileName(name), std::optional<RoundKey>(key));
    }

    // A file that does not read back as a plan is reported and never lost:
    // the next save puts it aside first.
    void damagedFileAnsweredAndKept_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("no JSON") << QByteArray("Tango, Rumba");
        QTest::newRow("cut off") << QByteArray("{\"format\": 1, \"discipline\": \"latin\", \"dances\": [");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("an array") << QByteArray("[1, 2]");
        QTest::newRow("a newer format") << QByteArray("{\"format\": 2, \"discipline\": \"latin\", \"dances\": []}");
        QTest::newRow("a track that is no text")
            << QByteArray("{\"format\": 1, \"discipline\": \"latin\", \"class\": -1, \"round\": -1, "
                          "\"dances\": [{\"heats\": 1, \"danceSeconds\": 90, \"tracks\": [7]}]}");
        QTest::newRow("a negative fade") << QByteArray(
            "{\"format\": 1, \"discipline\": \"latin\", \"class\": -1, \"round\": -1, "
            "\"settings\": {\"fadeSeconds\": -1}, \"dances\": []}");
        QTest::newRow("another round's plan") << QByteArray(
            "{\"format\": 1, \"discipline\": \"standard\", \"class\": -1, \"round\": -1, \"dances\": []}");
    }
    void damagedFileAnsweredAndKept()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        PlanStore store(dir.filePath("rounds"));
        QDir().mkpath(store.folder());
        const QString path = store.fileOf(kLatin);
        write(path, contents);

        const LoadedPlan loaded = store.load(kLatin);
        QVERIFY(!loaded.plan);
        QVERIFY(loaded.error.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(contentsOf(path), contents);

        RoundPlanModel model(store);
        const QStringList notes = model.open(tables_, kLatin);
        QCOMPARE(notes, QStringList{loaded.error});
        QCOMPARE(model.plan().dances.size(), 5);
        QCOMPARE(contentsOf(path), contents);

        model.setHeats(0, 2);
        QCOMPARE(model.saveError(), QString());
        QCOMPARE(store.setAside(), path + ".damaged");
        QCOMPARE(contentsOf(store.setAside()), contents);
        QCOMPARE(store.load(kLatin).plan->dances[0].heats, 2);

        // A second damaged file does not take the first one's place.
        write(path, contents);
        model.setHeats(0, 3);
        QCOMPARE(store.setAside(), path + ".damaged-2");
        QCOMPARE(contentsOf(path + ".damaged"), contents);
    }

    void everyChangeIsSaved()
    {
        QTemporaryDir dir;
        PlanStore store(dir.filePath("rounds"));
        RoundPlanModel model(store);
        QSignalSpy changes(&model, &RoundPlanModel::planChanged);
        QCOMPARE(model.open(tables_, kBoogieFinal), QStringList());
        QCOMPARE(model.plan().dances[0].danceSeconds, 90);

        auto saved = [&store] { return *store.load(kBoogieFinal).plan; };
        model.addTracks(0, {"/m/slow1.mp3", "/m/slow2.mp3"});
        QCOMPARE(saved().dances[0].tracks.size(), 2);
        model.moveTrack(0, 1, 0);
        QCOMPARE(saved().dances[0].tracks.first(), QString("/m/slow2.mp3"));
        QCOMPARE(model.setDanceSeconds(1, 200).value, 105);
        QCOMPARE(saved().dances[1].danceSeconds, 105);
        model.setFadeSeconds(8);
        model.setBetweenHeats(BetweenHeats::Gap, 15);
        model.setStart(StartPoint::FileStart);
        model.setChangeLimitPercent(6);
        model.setTypedTarget(29.5);
        model.removeTrack(0, 0);
        QVERIFY(saved() == model.plan());
        QCOMPARE(saved().settings.gapSeconds, 15.0);
        QCOMPARE(changes.count(), 1 + 9);

        RoundPlanModel afterRestart(store);
        afterRestart.open(tables_, kBoogieFinal);
        QVERIFY(afterRestart.plan() == model.plan());
    }

    void failedSaveIsReported()
    {
        QTemporaryDir dir;
        write(dir.filePath("rounds"), "a file where the folder should be");
        PlanStore store(dir.filePath("rounds"));
        RoundPlanModel model(store);
        QSignalSpy failures(&model, &RoundPlanModel::saveFailed);
        model.open(tables_, kLatin);
        model.setHeats(1, 2);
        QCOMPARE(failures.count(), 1);
        QVERIFY(!model.saveError().isEmpty());
        QCOMPARE(model.plan().dances[1].heats, 2);
    }

    // Every problem of every saved round at once, each led by its round.
    void checkRoundFindsEveryProblem_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::newRow("no music") << "Latein: Cha-Cha: keine Musik gewählt";
        QTest::newRow("missing file") << "Latein: Samba: „gone.mp3“ fehlt";
        // Its name in Latin-1, as old discs write them: found, and shown readably.
        QTest::newRow("not analysed") << "Latein: Rumba: „newé.mp3“ ist noch nicht analysiert";
        QTest::newRow("too short, second heat")
            << "Latein: Jive, Durchgang 2: „short.mp3“: Zu kurz: ab Startpunkt 60 s, nötig Tanzzeit + Ausblenden";
        QTest::newRow("unreadable")
            << "Latein: Paso Doble: „broken.mp3“: Nicht lesbar: Beschädigt oder unbekanntes Format";
        QTest::newRow("out of range after the limit")
            << "Boogie-Woogie – Hauptklasse – Endrunde: Boogie-Woogie (schnell): „slow.mp3“: Gespielt mit 46,4 "
               "Takten/min außerhalb der Regel";
        QTest::newRow("too quiet")
            << "Boogie-Woogie – Hauptklasse – Endrunde: Boogie-Woogie (langsam): „quiet.mp3“: Zu leise: lässt sich "
               "nicht auf die Ziellautstärke anheben";
        QTest::newRow("damaged plan") << "Standard: Der gespeicherte Plan";
    }
    void checkRoundFindsEveryProblem()
    {
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const char* name : {"good.mp3", "short.mp3", "broken.mp3", "slow.mp3", "quiet.mp3"})
            write(dir.filePath(name), "x");
        const QString latin1Name = pathFromNative(QFile::encodeName(dir.path()) + "/new\xe9.mp3");
        std::FILE* latin1File = std::fopen(nativePath(latin1Name).constData(), "w");
        QVERIFY(latin1File);
        std::fclose(latin1File);
        PlanStore store(dir.filePath("rounds"));
        RoundPlan latin = RoundPlan::defaultFor(runningOrder(tables_, kLatin));
        latin.dances[0].tracks = QStringList{dir.filePath("gone.mp3")};
        latin.dances[2].tracks = QStringList{latin1Name};
        latin.dances[3].tracks = QStringList{dir.filePath("broken.mp3")};
        latin.dances[4].tracks = QStringList{dir.filePath("good.mp3"), dir.filePath("short.mp3")};
        latin.dances[4].heats = 2;
        QCOMPARE(store.save(latin), QString());
        RoundPlan boogie = RoundPlan::defaultFor(runningOrder(tables_, kBoogieFinal));
        boogie.dances[0].tracks = QStringList{dir.filePath("quiet.mp3")};
        boogie.dances[1].tracks = QStringList{dir.filePath("slow.mp3")};
        QCOMPARE(store.save(boogie), QString());
        write(store.fileOf(RoundKey{Discipline::Ballroom, -1, -1}), "{");

        const AnalysisLookup lookup = [](const QString& path) -> std::optional<FileAnalysis> {
            FileAnalysis analysis;
            analysis.path = path;
            analysis.seconds = 180;
            analysis.loudnessLufs = -18;
            analysis.truePeakDb = -6;
            const QString name = QFileInfo(path).fileName();
            if (name.startsWith("new"))
                return std::nullopt;
            if (name == "broken.mp3")
                analysis.failure = DecodeFailure::Undecodable;
            // 43 bars/min: right for the Jive, too slow for the quick part even at
            // the change limit; the slow part gets 29.
            analysis.beatsPerMinute = name == "slow.mp3" ? 172 : name == "quiet.mp3" ? 116 : 172;
            if (name == "short.mp3")
                analysis.seconds = 60;
            if (name == "quiet.mp3") {
                analysis.loudnessLufs = -30;
                analysis.truePeakDb = -1;
            }
            return analysis;
        };
        const QStringList problems = checkSavedRounds(store, tables_, lookup);
        QVERIFY2(std::any_of(problems.begin(), problems.end(),
                             [&expected](const QString& problem) { return problem.startsWith(expected); }),
                 qPrintable(problems.join('\n')));
        // Nothing else (the too slow file also exceeds the change limit): the
        // good file and the good heats have none.
        QCOMPARE(problems.size(), 9);
    }
};

QTEST_GUILESS_MAIN(TestPlanStore)
#include "tst_plan_store.moc"
