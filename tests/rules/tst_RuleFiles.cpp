#include "rules/RuleFiles.h"
#include "rules/Win1252.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A row as "Name|Variant|BarsPerMin|MetroValue|DanceTime".
QStringList rowTexts(const RuleTable& table)
{
    QStringList rows;
    for (int i = 0; i < table.rowCount; ++i) {
        const RuleRow& r = table.rows[i];
        rows << QStringList{r.name, r.variant, r.barsPerMin, r.metroValue, r.danceTime}.join('|');
    }
    return rows;
}

// Four small valid rule files whose source lines carry `tag`.
void writeRuleSet(const QString& folder, const QByteArray& tag)
{
    for (int d = 0; d < DisciplineCount; ++d) {
        const QString name = ruleFileName(static_cast<Discipline>(d));
        writeBytes(QDir(folder).filePath(name), tag + "\r\n" + tag + ";-;50;200;90s;\r\n");
    }
}

RuleTable latinTable()
{
    RuleTable table;
    table.capacity = tableCapacity(Discipline::Latin);
    return table;
}

const QByteArray Samba = "Samba;2/4;50-52;100-104;90-120s;";
const QString SambaRow = "Samba|2/4|50-52|100-104|90-120s";

} // namespace

class TestRuleFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void win1252RoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = fromWin1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0x81], QChar(0x0081));
        QCOMPARE(text[0xDF], QChar(u'ß'));
        QVERIFY(canEncodeWin1252(text));
        QCOMPARE(toWin1252(text), all);
    }

    void win1252RefusesOtherCharacters()
    {
        QVERIFY(!canEncodeWin1252(QStringLiteral("Ω")));
        QVERIFY(!canEncodeWin1252(QString(QChar(0x0085)))); // 0x85 is "…" here
        QVERIFY(!canEncodeWin1252(QStringLiteral("😀")));
        QCOMPARE(toWin1252(QStringLiteral("aΩb")), QByteArray("a?b"));
    }

    void loadsRows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        const QByteArray five = Samba + "\r\nCha-Cha;4/4;30-32;120-128;90s;\r\nRumba;4/4;25-27;100-108;90s;\r\n"
                                        "Paso Doble;2/4;60-62;120-124;90-150s;\r\nJive;4/4;42-44;168-176;90s;\r\n";
        QTest::newRow("five rows") << "Quelle\r\n" + five
                                   << QStringList{SambaRow, "Cha-Cha|4/4|30-32|120-128|90s",
                                                  "Rumba|4/4|25-27|100-108|90s", "Paso Doble|2/4|60-62|120-124|90-150s",
                                                  "Jive|4/4|42-44|168-176|90s"};
        QTest::newRow("source only") << QByteArray("Quelle") << QStringList{};
        QTest::newRow("blank and comment skipped")
            << "Q\r\n" + Samba + "\r\n \t\r\n* Kommentar;;;;;\r\n\r\nJive;4/4;42-44;168-176;90s;\r\n"
            << QStringList{SambaRow, "Jive|4/4|42-44|168-176|90s"};
        QTest::newRow("blank last line") << "Q\r\n" + Samba + "\r\n   \r\n" << QStringList{SambaRow};
        QTest::newRow("CR only") << "Q\r" + Samba + "\r" + Samba << QStringList{SambaRow, SambaRow};
        QTest::newRow("LF only") << "Q\n" + Samba + "\n" + Samba + "\n" << QStringList{SambaRow, SambaRow};
        QTest::newRow("fields trimmed") << QByteArray("Q\r\n Samba ;\t2/4 ; 50-52;100-104 ;  90-120s\t;\r\n")
                                        << QStringList{SambaRow};
        QTest::newRow("sixth field ignored") << "Q\r\n" + Samba + "extra;more" << QStringList{SambaRow};
        QTest::newRow("star after blanks is data") << QByteArray("Q\r\n  *Samba;2/4;50-52;100-104;90-120s;")
                                                   << QStringList{"*Samba|2/4|50-52|100-104|90-120s"};
        QTest::newRow("Windows-1252 bytes")
            << QByteArray("Q\r\nSch\xfcler;Fu\xdftechnik;50;\x80;90s;") << QStringList{"Schüler|Fußtechnik|50|€|90s"};
        QTest::newRow("field of 255 chars")
            << "Q\r\n" + QByteArray(250, 'x') + ";;;;;" << QStringList{QString(250, 'x') + "||||"};
    }
    void loadsRows()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        writeBytes(path("Latein.dat"), bytes);
        RuleTable table = latinTable();
        const FileResult result = loadRuleTable(table, path("Latein.dat"));
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(rowTexts(table), rows);
    }

    void sourceIsCutTo255()
    {
        const QByteArray source = " Quelle " + QByteArray(300, 'q');
        writeBytes(path("Latein.dat"), source + "\r\n" + Samba);
        RuleTable table = latinTable();
        QVERIFY(loadRuleTable(table, path("Latein.dat")).ok());
        QCOMPARE(table.source, QString::fromLatin1(source.left(255)));
    }

    void rejectsMalformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("no line") << QByteArray() << "enthält keine Zeile";
        QTest::newRow("four separators") << "Q\r\n" + Samba + "\r\nJive;4/4;42-44;168-176;90s\r\n"
                                         << "Zeile 3";
        QTest::newRow("too many rows") << "Q\r\n" + (Samba + "\r\n").repeated(6) << "Zeile 7";
        QTest::newRow("separator beyond 255") << "Q\r\n" + QByteArray(251, 'x') + ";;;;;"
                                              << "Zeile 2";
    }
    void rejectsMalformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        writeBytes(path("Latein.dat"), bytes);
        RuleTable table = latinTable();
        table.source = "alt";
        table.rowCount = 1;
        table.rows[0].name = "Alt";
        const FileResult result = loadRuleTable(table, path("Latein.dat"));
        QVERIFY(result.error.contains(error));
        QVERIFY(result.error.contains(QDir::toNativeSeparators(path("Latein.dat"))));
        QCOMPARE(table.source, QString("alt"));
        QCOMPARE(table.rowCount, 1);
        QCOMPARE(table.rows[0].name, QString("Alt"));
    }

    void missingFileCannotBeOpened()
    {
        RuleTable table = latinTable();
        const QString missing = path("fehlt.dat");
        QCOMPARE(loadRuleTable(table, missing).error,
                 QString("Datei %1 kann nicht geöffnet werden").arg(QDir::toNativeSeparators(missing)));
    }

    void loadIsAllOrNothing()
    {
        const QString oldSet = path("alt"), newSet = path("neu");
        QDir().mkpath(oldSet);
        QDir().mkpath(newSet);
        writeRuleSet(oldSet, "alt");
        writeRuleSet(newSet, "neu");
        writeBytes(QDir(newSet).filePath("Standard.dat"), "neu\r\nTango;4/4;31-33\r\n");
        RuleTables tables;
        QVERIFY(loadRuleTables(tables, oldSet).ok());
        const FileResult result = loadRuleTables(tables, newSet);
        QVERIFY(result.error.contains("Standard.dat"));
        QVERIFY(result.errorEnglish.contains("Standard.dat"));
        for (int d = 0; d < DisciplineCount; ++d)
            QCOMPARE(tables.table(static_cast<Discipline>(d)).source, QString("alt"));
        QCOMPARE(tables.table(Discipline::Boogie).rows[0].name, QString("alt"));
    }

    // What today's editors write by default must read as the same rows.
    void readsUtf8AndWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("Quelle ä\r\nSchüler;Fußtechnik;50-52;200;60-75s;\r\n");
        QTest::newRow("Windows-1252") << toWin1252(text);
        QTest::newRow("UTF-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-8 without byte-order mark") << text.toUtf8();
    }
    void readsUtf8AndWindows1252()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(path("kodiert.dat"), bytes);
        RuleTables tables;
        QVERIFY(loadRuleTable(tables.table(Discipline::RnR), path("kodiert.dat")).ok());
        QCOMPARE(tables.table(Discipline::RnR).source, QStringLiteral("Quelle ä"));
        QCOMPARE(tables.findFirstRow(Discipline::RnR, QStringLiteral("Schüler"), QStringLiteral("Fußtechnik")),
                 std::optional<int>(0));
    }

    void windows1252BytesThatLookLikeUtf8StayWindows1252()
    {
        // "Ã¤" written in Windows-1252 is valid UTF-8 for "ä" only when the
        // bytes pair up; a lone high byte beside them keeps the file 1252.
        writeBytes(path("mix.dat"), "Gr\xfc\xdf"
                                    "e \xc3\xa4\r\n");
        RuleTable table = latinTable();
        QVERIFY(loadRuleTable(table, path("mix.dat")).ok());
        QCOMPARE(table.source, QStringLiteral("Grüße Ã¤"));
    }

    void fileNamesIgnoreLetterCase()
    {
        const QString folder = path("case");
        QDir().mkpath(folder);
        writeRuleSet(folder, "x");
        QFile::rename(QDir(folder).filePath("Latein.dat"), QDir(folder).filePath("lATEIN.DAT"));
        QCOMPARE(findFileCaseInsensitive(folder, "Latein.dat"), QDir(folder).filePath("lATEIN.DAT"));
        QCOMPARE(findFileCaseInsensitive(folder, "Neu.dat"), QDir(folder).filePath("Neu.dat"));

        RuleTables tables;
        QVERIFY(loadRuleTables(tables, folder).ok());
        tables.table(Discipline::Latin).source = "geändert";
        QVERIFY(saveRuleTables(tables, folder).ok());
        QVERIFY(!QFile::exists(QDir(folder).filePath("Latein.dat")));
        QVERIFY(readBytes(QDir(folder).filePath("lATEIN.DAT")).startsWith("ge\xe4ndert\r\n"));
    }

    void saveThenLoadKeepsTables()
    {
        const QString folder = path("roundtrip");
        QDir().mkpath(folder);
        RuleTables saved;
        for (int d = 0; d < DisciplineCount; ++d) {
            RuleTable& t = saved.table(static_cast<Discipline>(d));
            t.source = QString(" Quelle %1 mit Umlaut ä; ").arg(d);
            t.rowCount = t.capacity;
            for (int r = 0; r < t.rowCount; ++r)
                t.rows[r] = {QString("Fuß %1").arg(r), "4/4", "48-50", "192-200", QString("%1s").arg(60 + r)};
        }
        saved.table(Discipline::Latin).rowCount = 2;
        saved.table(Discipline::RnR).source = QString(300, 'q');
        QVERIFY(saveRuleTables(saved, folder).ok());

        const QByteArray latin = readBytes(QDir(folder).filePath("Latein.dat"));
        QCOMPARE(latin, QByteArray(" Quelle 3 mit Umlaut \xe4; \r\nFu\xdf 0;4/4;48-50;192-200;60s;\r\n"
                                   "Fu\xdf 1;4/4;48-50;192-200;61s;\r\n"));
        QVERIFY(readBytes(QDir(folder).filePath("RockNRoll.dat")).startsWith(QByteArray(300, 'q') + "\r\n"));

        RuleTables loaded;
        QVERIFY(loadRuleTables(loaded, folder).ok());
        saved.table(Discipline::RnR).source.truncate(255);
        for (int d = 0; d < DisciplineCount; ++d) {
            const auto discipline = static_cast<Discipline>(d);
            QCOMPARE(loaded.table(discipline).source, saved.table(discipline).source);
            QCOMPARE(rowTexts(loaded.table(discipline)), rowTexts(saved.table(discipline)));
        }
    }

    void saveRefusesTextsTheFormatCannotHold()
    {
        const QString folder = path("refused");
        QDir().mkpath(folder);
        RuleTables tables;
        tables.table(Discipline::Latin).rowCount = 1;
        tables.table(Discipline::Latin).rows[0] = {"Samba", "2/4", "50;52", "100", "90s"};
        const FileResult result = saveRuleTables(tables, folder);
        QVERIFY(result.error.contains("Latein.dat"));
        QVERIFY(QDir(folder).isEmpty()); // nothing half written
    }

    void validation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cellOk");
        QTest::addColumn<bool>("sourceOk");
        QTest::newRow("plain") << "Fußtechnik €" << true << true;
        QTest::newRow("semicolon") << "50;52" << false << true;
        QTest::newRow("line feed") << "a\nb" << false << false;
        QTest::newRow("carriage return") << "a\rb" << false << false;
        QTest::newRow("outside Windows-1252") << "Ω" << false << false;
    }
    void validation()
    {
        QFETCH(QString, text);
        QFETCH(bool, cellOk);
        QFETCH(bool, sourceOk);
        QCOMPARE(validateCellForSaving(text).isEmpty(), cellOk);
        QCOMPARE(validateCellForSaving(text, Language::English).isEmpty(), cellOk);
        QCOMPARE(validateSourceForSaving(text).isEmpty(), sourceOk);
    }

    void rowValidation()
    {
        const QStringList good{"Samba", "2/4", "50-52", "100-104", "90s"};
        QVERIFY(validateRowForSaving(good).isEmpty());
        QVERIFY(!validateRowForSaving(good.mid(0, 4)).isEmpty());
        QVERIFY(!validateRowForSaving({"*Samba", "2/4", "50", "100", "90s"}).isEmpty());
        QVERIFY(validateRowForSaving({QString(250, 'x'), "", "", "", ""}).isEmpty());
        QVERIFY(!validateRowForSaving({QString(251, 'x'), "", "", "", ""}).isEmpty());
    }

    // A target that cannot be replaced is found before anything is written.
    void blockedTargetLeavesEveryFileAsItWas()
    {
        const QString folder = path("blocked");
        QDir().mkpath(folder);
        writeRuleSet(folder, "alt");
        QFile::remove(QDir(folder).filePath("Standard.dat"));
        QDir(folder).mkdir("Standard.dat");
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        RuleTables tables;
        for (int d = 0; d < DisciplineCount; ++d)
            tables.table(static_cast<Discipline>(d)).source = "neu";
        const FileResult result = saveRuleTables(tables, folder);
        const QString blocked = QDir::toNativeSeparators(QDir(folder).filePath("Standard.dat"));
        QCOMPARE(result.error, QString("Die Datei %1 kann nicht gespeichert werden: Es ist ein Ordner, keine "
                                       "Datei. Es wurde nichts gespeichert.")
                                   .arg(blocked));
        QCOMPARE(result.errorEnglish, QString("The file %1 cannot be saved: It is a folder, not a file. "
                                              "Nothing was saved.")
                                          .arg(blocked));
        for (const QString name : {"RockNRoll.dat", "BoogieWoogie.dat", "Latein.dat"})
            QCOMPARE(readBytes(QDir(folder).filePath(name)), QByteArray("alt\r\nalt;-;50;200;90s;\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    void readOnlyTargetIsRefused()
    {
        const QString folder = path("readonly");
        QDir().mkpath(folder);
        writeRuleSet(folder, "alt");
        const QString standard = QDir(folder).filePath("Standard.dat");
        QFile::setPermissions(standard, QFile::ReadOwner | QFile::ReadUser);
        if (QFileInfo(standard).isWritable())
            QSKIP("this user may write read-only files");
        RuleTables tables;
        QVERIFY(loadRuleTables(tables, folder).ok());
        tables.table(Discipline::RnR).rows[0].barsPerMin = "48";
        const FileResult result = saveRuleTables(tables, folder);
        QVERIFY(result.errorEnglish.contains("Standard.dat cannot be saved: The file is read-only."));
        QCOMPARE(readBytes(QDir(folder).filePath("RockNRoll.dat")), QByteArray("alt\r\nalt;-;50;200;90s;\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
    }

    // A replacement that fails after others succeeded puts their old contents
    // back; every new file was written before the first replacement.
    void failedReplacementPutsBackWhatWasReplaced()
    {
        const QString folder = path("replace");
        QDir().mkpath(folder);
        writeRuleSet(folder, "alt");
        QStringList filesAtFirstReplacement;
        QStringList replaced;
        const ReplaceFile failOnStandard = [&](const QString& newFile, const QString& target) {
            if (filesAtFirstReplacement.isEmpty())
                filesAtFirstReplacement = QDir(folder).entryList(QDir::Files);
            if (replaced.size() == 2 && target.endsWith("Standard.dat"))
                return std::make_error_code(std::errc::permission_denied);
            replaced << QFileInfo(target).fileName();
            return renameOver(newFile, target);
        };
        RuleTables tables;
        QVERIFY(loadRuleTables(tables, folder).ok());
        for (int d = 0; d < DisciplineCount; ++d)
            tables.table(static_cast<Discipline>(d)).source = "neu";
        const FileResult result = saveRuleTables(ruleFileTextsOf(tables), folder, failOnStandard);

        QCOMPARE(result.errorEnglish, QString("The file %1 cannot be replaced: Access denied. The rule files are "
                                              "unchanged.")
                                          .arg(QDir::toNativeSeparators(QDir(folder).filePath("Standard.dat"))));
        QVERIFY(result.error.contains("Zugriff verweigert."));
        // 4 targets, 4 new files, 4 copies of the old contents, the journal.
        QCOMPARE(filesAtFirstReplacement.size(), 13);
        QVERIFY(filesAtFirstReplacement.contains("vantor-save.journal"));
        // The two put back, then the failing one.
        QCOMPARE(replaced, QStringList({"RockNRoll.dat", "BoogieWoogie.dat", "RockNRoll.dat", "BoogieWoogie.dat"}));
        for (int d = 0; d < DisciplineCount; ++d) {
            const QString name = ruleFileName(static_cast<Discipline>(d));
            QCOMPARE(readBytes(QDir(folder).filePath(name)), QByteArray("alt\r\nalt;-;50;200;90s;\r\n"));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
    }

    void successfulSaveLeavesOnlyTheRuleFiles()
    {
        const QString folder = path("clean");
        QDir().mkpath(folder);
        writeRuleSet(folder, "alt");
        QFile::remove(QDir(folder).filePath("Latein.dat")); // a file that is new
        RuleTables tables;
        tables.table(Discipline::Latin).source = "neu";
        QVERIFY(saveRuleTables(tables, folder).ok());
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({"BoogieWoogie.dat", "Latein.dat", "RockNRoll.dat", "Standard.dat"}));
        QCOMPARE(readBytes(QDir(folder).filePath("Latein.dat")), QByteArray("neu\r\n"));
    }

    void leftoversOfACutOffSaveAreRemoved()
    {
        const QString folder = path("leftovers");
        QDir().mkpath(folder);
        writeRuleSet(folder, "alt");
        const QStringList ours{"RockNRoll.dat.NaCmHu.vantor-tmp", "latein.DAT.abcdef.vantor-tmp",
                               "Standard.dat.QWERTZ.vantor-tmp", "vantor-save.journal.AbCdEf.vantor-tmp"};
        // A user's own copies may look like a save's file but lack its marker.
        const QStringList others{"RockNRoll.dat.NaCmH.vantor-tmp",
                                 "RockNRoll.dat.abc1ef.vantor-tmp",
                                 "RockNRoll.dat.bak",
                                 "Other.dat.abcdef.vantor-tmp",
                                 "Formationen.dat.abcdef",
                                 "RockNRoll.dat.abcdefg",
                                 "RockNRoll.dat.backup",
                                 "Standard.dat.Sicher",
                                 "RockNRoll.dat.NaCmHu"};
        for (const QString& name : ours + others)
            writeBytes(QDir(folder).filePath(name), "x");
        QDir(folder).mkdir("BoogieWoogie.dat.Folder");

        QCOMPARE(removeLeftoverSaveFiles(folder), ours.size());
        for (const QString& name : ours)
            QVERIFY2(!QFile::exists(QDir(folder).filePath(name)), qPrintable(name));
        for (const QString& name : others + QStringList{"BoogieWoogie.dat.Folder", "RockNRoll.dat"})
            QVERIFY2(QFile::exists(QDir(folder).filePath(name)), qPrintable(name));
    }

    // A save killed at any step leaves, after the next start, all four files
    // old or all four new, and says so; a first save into an empty folder too.
    void cutSaveIsSettledWhole_data()
    {
        QTest::addColumn<int>("renamesBeforeKill");
        QTest::addColumn<bool>("firstSave");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("killed before the journal") << -1 << false << QByteArray("alt");
        QTest::newRow("killed before the first rename") << 0 << false << QByteArray("neu");
        QTest::newRow("killed after two renames") << 2 << false << QByteArray("neu");
        QTest::newRow("first save killed after two renames") << 2 << true << QByteArray("neu");
    }
    void cutSaveIsSettledWhole()
    {
        QFETCH(int, renamesBeforeKill);
        QFETCH(bool, firstSave);
        QFETCH(QByteArray, expected);
        const QString folder = path(QStringLiteral("cut/%1").arg(QTest::currentDataTag()));
        QDir().mkpath(folder);
        if (!firstSave)
            writeRuleSet(folder, "alt");
        writeBytes(QDir(folder).filePath("Standard.dat.Sicher"), "mine");
        RuleFileTexts texts;
        for (RuleFileText& text : texts)
            text = {"neu", {{"neu", "-", "50", "200", "90s"}}};
        if (renamesBeforeKill < 0) {
            // What a save killed while writing its new files leaves: some of
            // them, a journal not yet in place.
            writeBytes(QDir(folder).filePath("RockNRoll.dat.AbCdEf.vantor-tmp"), "neu\r\n");
            writeBytes(QDir(folder).filePath("vantor-save.journal.XyZabc.vantor-tmp"), "x");
        }
        else {
            const pid_t child = ::fork();
            if (child == 0) {
                int renames = 0;
                const ReplaceFile killedAfter = [&](const QString& newFile, const QString& target) {
                    if (renames++ == renamesBeforeKill)
                        ::_exit(0);
                    return renameOver(newFile, target);
                };
                saveRuleTables(texts, folder, killedAfter);
                ::_exit(1);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }

        const FileResult settled = finishCutSave(folder);
        QVERIFY2(!settled.ok(), "the user is told");
        QVERIFY(settled.errorEnglish.contains(expected == "neu" ? "finished" : "discarded"));
        for (int d = 0; d < DisciplineCount; ++d) {
            const QString file = QDir(folder).filePath(ruleFileName(static_cast<Discipline>(d)));
            QVERIFY2(readBytes(file).startsWith(expected), qPrintable(file));
        }
        QStringList left = QDir(folder).entryList(QDir::Files);
        left.sort(Qt::CaseInsensitive);
        QCOMPARE(left, QStringList(
                           {"BoogieWoogie.dat", "Latein.dat", "RockNRoll.dat", "Standard.dat", "Standard.dat.Sicher"}));
        QVERIFY(finishCutSave(folder).ok());
    }

    void infoFileKeepsLinesAsTheyStand()
    {
        writeBytes(path("I_Test.dat"), "Quelle; mit Semikolon\r\na;b;c;d;e;f;\r\n\r\n* Hinweis\nohne;Schluss");
        const InfoFile info = readInfoFile(path("I_Test.dat"));
        QVERIFY(info.ok());
        QCOMPARE(info.source, QString("Quelle; mit Semikolon"));
        const QList<QStringList> rows{{"a", "b", "c", "d", "e", "f"}, {""}, {"* Hinweis"}, {"ohne", "Schluss"}};
        QCOMPARE(info.rows, rows);
        QVERIFY(readInfoFile(path("fehlt.dat")).error.contains("kann nicht geöffnet werden"));
    }
};

QTEST_GUILESS_MAIN(TestRuleFiles)
#include "tst_RuleFiles.moc"
