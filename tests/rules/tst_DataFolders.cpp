#include "rules/DataFolders.h"
#include "rules/RuleFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

void makeRuleFiles(const QString& folder, const QByteArray& tag, int count = DisciplineCount)
{
    QDir().mkpath(folder);
    for (int d = 0; d < count; ++d) {
        QFile file(QDir(folder).filePath(ruleFileName(static_cast<Discipline>(d))));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(tag + "\r\n" + tag + ";-;50;200;90s;\r\n");
    }
}

} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& relative) const { return dir_->filePath(relative); }
    QString folder(const QString& relative) const { return path(relative) + "/"; }

    DataFolders locate() const
    {
        return locateDataFolders(path("prefix/bin"), path("prefix/bin/../share/vantor"), path("home/data"));
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void locatesDeliveredDataAndSaveFolder_data()
    {
        QTest::addColumn<QString>("dataAt"); // where the de/ and en/ folders are delivered, "" for nowhere
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("user");
        QTest::newRow("portable, writable: as before") << "prefix/bin" << false << "prefix/bin"
                                                       << "";
        QTest::newRow("portable, read-only: saves for the user") << "prefix/bin" << true << "prefix/bin"
                                                                 << "home/data";
        QTest::newRow("installed: saves for the user") << "prefix/share/vantor" << false << "prefix/share/vantor"
                                                       << "home/data";
        QTest::newRow("nothing found: the executable's folder") << "" << false << "prefix/bin"
                                                                << "";
    }
    void locatesDeliveredDataAndSaveFolder()
    {
        QFETCH(QString, dataAt);
        QFETCH(bool, readOnly);
        QFETCH(QString, program);
        QFETCH(QString, user);
        if (readOnly && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QDir().mkpath(path("prefix/bin"));
        for (const char* language : {"de", "en"}) {
            if (!dataAt.isEmpty())
                makeRuleFiles(path(dataAt + "/" + language), "delivered");
            if (readOnly)
                QFile::setPermissions(path(dataAt + "/" + language), QFile::ReadOwner | QFile::ExeOwner);
        }
        const DataFolders found = locate();
        for (const char* language : {"de", "en"}) {
            if (readOnly) // so that the temporary folder can be removed
                QFile::setPermissions(path(dataAt + "/" + language),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(QDir::cleanPath(found.program), QDir::cleanPath(path(program)));
        QVERIFY(found.program.endsWith('/'));
        QCOMPARE(QDir::cleanPath(found.user), user.isEmpty() ? QString() : QDir::cleanPath(path(user)));
    }

    void readsTheUsersFolderOnceItHoldsAllFour_data()
    {
        QTest::addColumn<bool>("userFolderKnown");
        QTest::addColumn<int>("userFiles");
        QTest::addColumn<QString>("readFrom");
        QTest::newRow("portable: own folder even with a user copy") << false << 4 << "program";
        QTest::newRow("nothing saved yet") << true << 0 << "program";
        QTest::newRow("three of four: delivered") << true << 3 << "program";
        QTest::newRow("all four saved") << true << 4 << "user";
    }
    void readsTheUsersFolderOnceItHoldsAllFour()
    {
        QFETCH(bool, userFolderKnown);
        QFETCH(int, userFiles);
        QFETCH(QString, readFrom);
        makeRuleFiles(path("program/de"), "delivered");
        makeRuleFiles(path("user/de"), "saved", userFiles);
        const DataFolders folders{folder("program"), userFolderKnown ? folder("user") : QString()};
        QCOMPARE(ruleFolderToRead(folders, "de/"), folder(readFrom + "/de"));
    }

    void savesIntoTheUsersFolderAndReadsItBackFirst()
    {
        makeRuleFiles(path("program/de"), "delivered");
        makeRuleFiles(path("program/en"), "delivered");
        const DataFolders folders{folder("program"), folder("home/Vantor")};
        RuleTables tables;
        QVERIFY(loadRuleTables(tables, ruleFolderToRead(folders, "de/")).ok());
        RuleFileTexts texts = ruleFileTextsOf(tables);
        texts[0].source = "saved by the user";
        const QString saveFolder = ruleFolderToSave(folders, "de/");
        QCOMPARE(saveFolder, folder("home/Vantor/de"));
        QVERIFY(saveRuleTables(texts, saveFolder).ok());

        RuleTables reread;
        QVERIFY(loadRuleTables(reread, ruleFolderToRead(folders, "de/")).ok());
        QCOMPARE(reread.table(Discipline::RnR).source, QString("saved by the user"));
        QVERIFY(loadRuleTables(reread, path("program/de")).ok());
        QCOMPARE(reread.table(Discipline::RnR).source, QString("delivered"));
        // The other language still reads the delivered files.
        QCOMPARE(ruleFolderToRead(folders, "en/"), folder("program/en"));
    }

    void portableSavesIntoItsOwnFolder()
    {
        const DataFolders folders{folder("program"), QString()};
        QCOMPARE(ruleFolderToSave(folders, "en/"), folder("program/en"));
        QVERIFY(!QFileInfo::exists(path("program/en")));
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_DataFolders.moc"
