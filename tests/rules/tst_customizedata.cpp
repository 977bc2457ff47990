#include "rules/DataFolders.h"
#include "rules/CustomizeDataDialog.h"
#include "common/ProgramState.h"
#include "RecordingHelp.h"
#include "RecordingMessages.h"
#include "rules/RuleFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

namespace {

using FileBytes = std::map<QString, QByteArray>;

// Every file of the copied de/ and en/ folders, by relative path.
FileBytes snapshot(const QString& root)
{
    FileBytes files;
    for (const QString language : {"de", "en"}) {
        const QDir dir(QDir(root).filePath(language));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                files[language + "/" + name] = file.readAll();
        }
    }
    return files;
}

QStringList rowTexts(const RuleTable& table)
{
    QStringList rows;
    for (int r = 0; r < table.rowCount; ++r) {
        const RuleRow& row = table.rows[r];
        rows << QStringList{row.name, row.variant, row.barsPerMin, row.metroValue, row.danceTime}.join('|');
    }
    return rows;
}

QStringList gridTexts(const QTableWidget* grid)
{
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows << cells.join('|');
    }
    return rows;
}

// Opens the cell's editor as a user's double click does and types the text.
QLineEdit* typeIntoCell(QTableWidget* grid, int row, int column, const QString& text)
{
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    if (editor) {
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    return editor;
}

} // namespace

class TestCustomizeData : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    RecordingMessages messages_;
    RecordingHelp help_;
    RuleTables rules_;
    ProgramState state_;
    std::unique_ptr<CustomizeDataDialog> dialog_;
    FileBytes before_;

    // A fresh copy of the delivered rule files and a dialog whose tables were
    // loaded from the language folder, as after a language switch.
    void setUp(const QString& language)
    {
        dir_ = std::make_unique<QTemporaryDir>();
        const QDir data(qEnvironmentVariable("VANTOR_DATA_DIR"));
        for (const QString lang : {"de", "en"}) {
            QDir().mkpath(dir_->filePath(lang));
            for (int d = 0; d < DisciplineCount; ++d) {
                const QString name = ruleFileName(static_cast<Discipline>(d));
                QVERIFY(QFile::copy(data.filePath(lang + "/" + name), dir_->filePath(lang + "/" + name)));
            }
        }
        rules_ = RuleTables();
        QVERIFY(loadRuleTables(rules_, dir_->filePath(language)).ok());
        state_ = ProgramState();
        state_.programFolder = dir_->path() + "/";
        state_.languageFolder = language + "/";
        state_.rules = &rules_;
        state_.messages = &messages_;
        messages_.clear();
        help_.shown.clear();
        dialog_ = std::make_unique<CustomizeDataDialog>(state_);
        dialog_->setModalRunner([](QDialog& dialog) { dialog.show(); });
        before_ = snapshot(dir_->path());
    }

    void open() { dialog_->showModal(); }

private slots:
    void gridsShowTablesInTheFolderLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("rnrHeaders");
        QTest::addColumn<QString>("firstBoogieKey");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("German") << "de"
                                << "Klasse|Bein/Akro|Takte/min.|Metronom|Tanzzeit"
                                << "Jugendklasse"
                                << "Daten gemäß:"
                                << "&Abbrechen";
        QTest::newRow("English") << "en"
                                 << "Class|Foot/Acro|Bars/min.|Metronom|Time"
                                 << "Juniors"
                                 << "Data according to:"
                                 << "&Cancel";
    }
    void gridsShowTablesInTheFolderLanguage()
    {
        QFETCH(QString, language);
        setUp(language);
        open();
        for (int d = 0; d < DisciplineCount; ++d) {
            const auto discipline = static_cast<Discipline>(d);
            QCOMPARE(gridTexts(dialog_->grid(discipline)), rowTexts(rules_.table(discipline)));
            QCOMPARE(dialog_->grid(discipline)->rowCount(), tableCapacity(discipline));
            QCOMPARE(dialog_->sourceEdit(discipline)->text(), rules_.table(discipline).source);
            // The keys are fixed; the values can be edited.
            const QTableWidget* grid = dialog_->grid(discipline);
            QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
            QVERIFY(grid->item(0, 2)->flags() & Qt::ItemIsEditable);
        }
        QStringList headers;
        for (int c = 0; c < 5; ++c)
            headers << dialog_->rockNRollGrid->horizontalHeaderItem(c)->text();
        QTEST(headers.join('|'), "rnrHeaders");
        QTEST(dialog_->boogieWoogieGrid->item(0, 0)->text(), "firstBoogieKey");
        QTEST(dialog_->latinSourceLabel->text(), "label");
        QTEST(dialog_->cancelButton->text(), "cancel");
        QCOMPARE(dialog_->windowTitle(), QString("Customize Data"));
    }

    // Unconfirmed edits are dropped at the next opening; the page stays.
    void reopeningShowsTablesAndKeepsPage()
    {
        setUp("de");
        open();
        dialog_->latinGrid->item(0, 2)->setText("99");
        dialog_->pages->setCurrentIndex(3);
        dialog_->cancelButton->click();
        open();
        QCOMPARE(dialog_->latinGrid->item(0, 2)->text(), rules_.table(Discipline::Latin).rows[0].barsPerMin);
        QCOMPARE(dialog_->pages->currentIndex(), 3);
    }

    void okStoresEditsAndWritesTheLanguageFolder_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("other");
        QTest::newRow("German") << "de"
                                << "en";
        QTest::newRow("English") << "en"
                                 << "de";
    }
    void okStoresEditsAndWritesTheLanguageFolder()
    {
        QFETCH(QString, language);
        QFETCH(QString, other);
        setUp(language);
        open();
        // Blanks round a value would make the table differ from a reload.
        dialog_->latinSourceEdit->setText("Neue Quelle; Stand 2025");
        QLineEdit* editor = typeIntoCell(dialog_->boogieWoogieGrid, 2, 2, " 29-31 ");
        QVERIFY(editor);
        // Enter takes the text over and leaves the dialog open; the next one confirms it.
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(dialog_->boogieWoogieGrid->item(2, 2)->text(), QString(" 29-31 "));
        QVERIFY(dialog_->isVisible());
        QTest::keyClick(dialog_->boogieWoogieGrid, Qt::Key_Return);
        QVERIFY2(!dialog_->isVisible(), qPrintable(messages_.warnings.join("\n") + messages_.questions.join("\n")));
        QVERIFY(messages_.warnings.isEmpty());
        QCOMPARE(rules_.table(Discipline::Boogie).rows[2].barsPerMin, QString("29-31"));
        RuleTables reloaded;
        QVERIFY(loadRuleTables(reloaded, dir_->filePath(language)).ok());
        for (int d = 0; d < DisciplineCount; ++d) {
            const auto discipline = static_cast<Discipline>(d);
            QCOMPARE(rowTexts(reloaded.table(discipline)), rowTexts(rules_.table(discipline)));
            QCOMPARE(reloaded.table(discipline).source, rules_.table(discipline).source);
        }
        const FileBytes after = snapshot(dir_->path());
        for (const auto& [path, bytes] : before_) {
            if (path.startsWith(other))
                QVERIFY2(after.at(path) == bytes, qPrintable(path));
        }
    }

    // An installed program cannot write its own folder: the edits go to the
    // user's data folder, which is read first from then on.
    void okInAnInstalledProgramWritesTheUsersFolder()
    {
        setUp("en");
        state_.userDataFolder = dir_->filePath("home/Vantor") + "/";
        open();
        QVERIFY(typeIntoCell(dialog_->latinGrid, 0, 2, "27-29"));
        dialog_->okButton->click();
        QVERIFY(!dialog_->isVisible());
        QVERIFY(messages_.warnings.isEmpty());
        QVERIFY(snapshot(dir_->path()) == before_);
        const QString readFolder = ruleFolderToRead(dataFoldersOf(state_), "en/");
        QCOMPARE(readFolder, dir_->filePath("home/Vantor/en/"));
        RuleTables reloaded;
        QVERIFY(loadRuleTables(reloaded, readFolder).ok());
        QCOMPARE(reloaded.table(Discipline::Latin).rows[0].barsPerMin, QString("27-29"));
        QCOMPARE(rowTexts(reloaded.table(Discipline::Ballroom)), rowTexts(rules_.table(Discipline::Ballroom)));
    }

    // OK clicked without taking the focus from the cell editor, as on macOS.
    void okTakesOverTheOpenEditorsText()
    {
        setUp("de");
        open();
        QVERIFY(typeIntoCell(dialog_->rockNRollGrid, 10, 4, "95-110s"));
        dialog_->okButton->click();
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(rules_.table(Discipline::RnR).rows[10].danceTime, QString("95-110s"));
    }

    // Confirming without a change gives back the same rows, without the
    // blank and comment lines, with CR LF line ends.
    void okWithoutChangeRewritesSameRows()
    {
        setUp("de");
        QFile latin(dir_->filePath("de/Latein.dat"));
        QVERIFY(latin.open(QIODevice::Append));
        latin.write("\r\n* Kommentar\r\n");
        latin.close();
        const RuleTables loaded = rules_;
        open();
        dialog_->okButton->click();
        QVERIFY(latin.open(QIODevice::ReadOnly));
        const QByteArray bytes = latin.readAll();
        QVERIFY(!bytes.contains("Kommentar"));
        QVERIFY(!bytes.contains("\r\n\r\n"));
        QCOMPARE(bytes.count("\r\n"), 6);
        QCOMPARE(bytes.count('\n'), 6);
        RuleTables reloaded;
        QVERIFY(loadRuleTables(reloaded, dir_->filePath("de")).ok());
        for (int d = 0; d < DisciplineCount; ++d) {
            const auto discipline = static_cast<Discipline>(d);
            QCOMPARE(rowTexts(reloaded.table(discipline)), rowTexts(loaded.table(discipline)));
        }
    }

    void cancelChangesNothing()
    {
        setUp("en");
        const RuleTables loaded = rules_;
        open();
        dialog_->rockNRollGrid->item(0, 2)->setText("99");
        dialog_->rockNRollSourceEdit->setText("changed");
        dialog_->cancelButton->click();
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(rowTexts(rules_.table(Discipline::RnR)), rowTexts(loaded.table(Discipline::RnR)));
        QCOMPARE(rules_.table(Discipline::RnR).source, loaded.table(Discipline::RnR).source);
        QVERIFY(snapshot(dir_->path()) == before_);
    }

    void refusedTextKeepsDialogOpen_data()
    {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column"); // -1: the source line
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("place");
        QTest::newRow("semicolon") << 0 << 1 << 2 << "47;48"
                                   << "Rock'n'Roll, row 2 (Youth, Final round), column \"Bars/min.\": ";
        QTest::newRow("line break") << 3 << 4 << 4 << "90s\n120s"
                                    << "Latin, row 5 (Jive, 4/4), column \"Time\": ";
        QTest::newRow("not Windows-1252")
            << 1 << 0 << 3 << QString::fromUtf8("200\u2192208") << "Boogie, row 1 (Juniors, -), column \"Metronom\": ";
        QTest::newRow("row too long") << 2 << 0 << 3 << QString(250, 'x') << "Ballroom, row 1 (Slow Waltz, 3/4): ";
        QTest::newRow("source line break") << 2 << 0 << -1 << "a\nb"
                                           << "Ballroom, \"Data according to:\": ";
        QTest::newRow("tempo not read")
            << 3 << 1 << 2 << "48 - 50"
            << "Latin, row 2 (Cha-Cha, 4/4), column \"Bars/min.\": \"48 - 50\" is not a tempo";
        QTest::newRow("tempo emptied") << 0 << 7 << 2 << ""
                                       << "Rock'n'Roll, row 8 (B Class, foot technique), column \"Bars/min.\": ";
        QTest::newRow("time without unit")
            << 1 << 2 << 4 << "90"
            << "Boogie, row 3 (Main Class, Final (slow)), column \"Time\": \"90\" is not a dancing time";
    }
    void refusedTextKeepsDialogOpen()
    {
        QFETCH(int, discipline);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, place);
        setUp("en");
        const RuleTables loaded = rules_;
        open();
        const auto d = static_cast<Discipline>(discipline);
        dialog_->latinGrid->item(0, 2)->setText("11"); // a sound edit elsewhere
        if (column < 0)
            dialog_->sourceEdit(d)->setText(text);
        else
            dialog_->grid(d)->item(row, column)->setText(text);
        dialog_->okButton->click();

        QVERIFY(dialog_->isVisible());
        QCOMPARE(messages_.warnings.size(), 1);
        QVERIFY2(messages_.warnings.first().startsWith(place), qPrintable(messages_.warnings.first()));
        QVERIFY(messages_.warnings.first().endsWith("Nothing was saved."));
        QCOMPARE(dialog_->pages->currentIndex(), discipline);
        QCOMPARE(dialog_->latinGrid->item(0, 2)->text(), QString("11"));
        QCOMPARE(rowTexts(rules_.table(Discipline::Latin)), rowTexts(loaded.table(Discipline::Latin)));
        QVERIFY(snapshot(dir_->path()) == before_);
    }

    // Where the files give no value, the user may leave it so.
    void emptyValueStaysAllowedWhereItWasEmpty()
    {
        setUp("en");
        rules_.table(Discipline::Latin).rows[2].barsPerMin.clear();
        rules_.table(Discipline::Latin).rows[2].danceTime.clear();
        open();
        dialog_->latinGrid->item(0, 2)->setText("49-51");
        dialog_->okButton->click();
        QVERIFY(messages_.warnings.isEmpty());
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(rules_.table(Discipline::Latin).rows[0].barsPerMin, QString("49-51"));
    }

    void germanRefusalIsGerman()
    {
        setUp("de");
        open();
        dialog_->rockNRollGrid->item(6, 4)->setText("90;105s");
        dialog_->okButton->click();
        QCOMPARE(messages_.warnings, QStringList{"Rock'n'Roll, Zeile 7 (C-Klasse, -), Spalte \"Tanzzeit\": Der "
                                                 "Text darf kein \";\" enthalten. Es wurde nichts gespeichert."});
    }

    // As after a language switch that failed on a later file: the table still
    // holds the other language's rows and must not replace this folder's file.
    void tableOfAnotherFolderIsNotWritten()
    {
        setUp("de");
        state_.languageFolder = "en/";
        open();
        dialog_->okButton->click();
        QVERIFY(dialog_->isVisible());
        QCOMPARE(messages_.warnings.size(), 1);
        QVERIFY2(messages_.warnings.first().contains("RockNRoll.dat"), qPrintable(messages_.warnings.first()));
        QVERIFY(snapshot(dir_->path()) == before_);
    }

    void unwritableFolderReportsItsText_data()
    {
        QTest::addColumn<QString>("languageFolder");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "fr/" << false << "File or folder not found.";
        QTest::newRow("read-only folder") << "de/" << true << "No permission to write to the folder.";
    }
    void unwritableFolderReportsItsText()
    {
        QFETCH(QString, languageFolder);
        QFETCH(bool, readOnly);
        QFETCH(QString, reason);
        setUp("en");
        const QString folder = dir_->filePath(languageFolder);
        if (readOnly) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            if (QFileInfo(folder).isWritable() || QFile(folder + "probe").open(QIODevice::WriteOnly)) {
                QFile::remove(folder + "probe");
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("the folder stays writable for this user");
            }
        }
        state_.languageFolder = languageFolder;
        rules_ = RuleTables();
        QVERIFY(loadRuleTables(rules_, dir_->filePath("de")).ok()); // rows of the folder written to
        const RuleTables loaded = rules_;
        open();
        dialog_->latinGrid->item(1, 2)->setText("33-35");
        dialog_->okButton->click();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(messages_.warnings, QStringList{"The file " + QDir::toNativeSeparators(folder + "RockNRoll.dat") +
                                                 " cannot be saved: " + reason + " Nothing was saved."});
        QVERIFY(dialog_->isVisible());
        QCOMPARE(dialog_->latinGrid->item(1, 2)->text(), QString("33-35"));
        QCOMPARE(rowTexts(rules_.table(Discipline::Latin)), rowTexts(loaded.table(Discipline::Latin)));
        QVERIFY(snapshot(dir_->path()) == before_);
    }

    // The save of one table failing loses neither the files nor the edits:
    // the dialog stays open, and the program keeps showing what the files hold.
    void failedSaveKeepsFilesTablesAndEdits()
    {
        setUp("de");
        const QString standard = dir_->filePath("de/Standard.dat");
        QVERIFY(QFile::remove(standard));
        QVERIFY(QDir().mkdir(standard));
        before_ = snapshot(dir_->path());
        const RuleTables loaded = rules_;
        open();
        dialog_->latinGrid->item(0, 2)->setText("50-53");
        dialog_->okButton->click();

        QVERIFY(dialog_->isVisible());
        QCOMPARE(dialog_->latinGrid->item(0, 2)->text(), QString("50-53"));
        QCOMPARE(messages_.warnings, QStringList{"Die Datei " + QDir::toNativeSeparators(standard) +
                                                 " kann nicht gespeichert werden: Es ist ein Ordner, keine Datei."
                                                 " Es wurde nichts gespeichert."});
        for (int d = 0; d < DisciplineCount; ++d) {
            const auto discipline = static_cast<Discipline>(d);
            QCOMPARE(rowTexts(rules_.table(discipline)), rowTexts(loaded.table(discipline)));
        }
        QVERIFY(snapshot(dir_->path()) == before_);
        QCOMPARE(QDir(dir_->filePath("de")).entryList(QDir::Files).size(), 3);
    }

    // The delivered values of the table shown come back after a question;
    // No keeps the edits, Cancel discards the restored values, OK saves them.
    void restoreDeliveredValues_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("no") << false << true;
        QTest::newRow("yes, then Cancel") << true << false;
        QTest::newRow("yes, then OK") << true << true;
    }
    void restoreDeliveredValues()
    {
        QFETCH(bool, yes);
        QFETCH(bool, confirm);
        setUp("en");
        // The files hold edits of the user's own.
        RuleTables edited = rules_;
        edited.table(Discipline::Latin).rows[0].barsPerMin = "49-51";
        edited.table(Discipline::Latin).source = "own source";
        edited.table(Discipline::RnR).rows[0].barsPerMin = "46";
        QVERIFY(saveRuleTables(edited, dir_->filePath("en")).ok());
        rules_ = edited;
        before_ = snapshot(dir_->path());

        open();
        dialog_->pages->setCurrentIndex(int(Discipline::Latin));
        dialog_->latinGrid->item(1, 2)->setText("31-33");
        messages_.questionAnswers = {yes};
        dialog_->restoreButton->click();
        QCOMPARE(messages_.questions.size(), 1);
        QVERIFY(messages_.questions.first().contains("Latin"));
        QCOMPARE(dialog_->latinGrid->item(0, 2)->text(), QString(yes ? "50-52" : "49-51"));
        QCOMPARE(dialog_->latinGrid->item(1, 2)->text(), QString(yes ? "30-32" : "31-33"));
        QCOMPARE(dialog_->latinSourceEdit->text().startsWith("German federation"), yes);
        QCOMPARE(dialog_->rockNRollGrid->item(0, 2)->text(), QString("46")); // other tables stay
        QVERIFY(snapshot(dir_->path()) == before_);                          // nothing is saved yet

        (confirm ? dialog_->okButton : dialog_->cancelButton)->click();
        QVERIFY(!dialog_->isVisible());
        const QString latinNow = rules_.table(Discipline::Latin).rows[0].barsPerMin;
        QCOMPARE(latinNow, QString(yes && confirm ? "50-52" : "49-51"));
        if (!confirm)
            QVERIFY(snapshot(dir_->path()) == before_);
    }

    void helpIsEnglishInBothLanguages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("viewer");
        QTest::newRow("German, viewer") << "de" << true;
        QTest::newRow("English, viewer") << "en" << true;
        QTest::newRow("German, no viewer") << "de" << false;
    }
    void helpIsEnglishInBothLanguages()
    {
        QFETCH(QString, language);
        QFETCH(bool, viewer);
        setUp(language);
        state_.help = viewer ? &help_ : nullptr;
        open();
        dialog_->helpButton->click();
        if (viewer) {
            QCOMPARE(help_.shown.size(), 1);
            QCOMPARE(QDir::fromNativeSeparators(help_.shown.first()),
                     "Change data|" + dir_->path() + "/en/AdaptDataHelp.rtf");
            QVERIFY(messages_.warnings.isEmpty());
        }
        else {
            QCOMPARE(messages_.warnings, QStringList{"Help file not found: 'en\\AdaptDataHelp.rtf'"});
        }
        QVERIFY(dialog_->isVisible());
    }
};

QTEST_MAIN(TestCustomizeData)
#include "tst_customizedata.moc"
