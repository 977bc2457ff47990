#include "app/DanceSelectionPanel.h"
#include "rules/DanceSelection.h"
#include "widgets/DelimitedListBox.h"
#include "widgets/ElidedLabel.h"
#include "common/ProgramState.h"
#include "widgets/RadioGroup.h"
#include "RecordingMessages.h"
#include "rules/RuleFiles.h"
#include "rules/RuleInfoWindow.h"
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

using WindowFactory = std::function<RuleInfoWindow*(ProgramState&)>;

WindowFactory factory(InfoWindow which)
{
    return [which](ProgramState& state) { return createInfoWindow(which, state); };
}

template <typename Window>
std::unique_ptr<Window> createWindow(InfoWindow which, ProgramState& state)
{
    return std::unique_ptr<Window>(static_cast<Window*>(createInfoWindow(which, state)));
}

QString dataFolder()
{
    return qEnvironmentVariable("VANTOR_DATA_DIR") + QLatin1Char('/');
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Hides and shows again, as the display area does when the user chooses
// another window and then this one.
void showAgain(QWidget& window)
{
    window.hide();
    window.show();
}

} // namespace

Q_DECLARE_METATYPE(WindowFactory)

class TestInfoWindows : public QObject {
    Q_OBJECT

private:
    RecordingMessages messages_;
    ProgramState state_;

    ProgramState& stateFor(const QString& programFolder)
    {
        state_ = ProgramState();
        state_.programFolder = programFolder;
        state_.messages = &messages_;
        messages_.clear();
        return state_;
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("VANTOR_DATA_DIR").isEmpty())
            QSKIP("VANTOR_DATA_DIR is not set");
    }

    void nationalWindowShowsDeliveredFile_data()
    {
        QTest::addColumn<WindowFactory>("create");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("sourceStart");
        QTest::addColumn<QString>("note");

        const auto rnr = factory(InfoWindow::RockNRoll);
        const auto boogie = factory(InfoWindow::BoogieWoogie);
        const auto standard = factory(InfoWindow::Ballroom);
        const auto latin = factory(InfoWindow::Latin);
        const auto formation = factory(InfoWindow::Formation);
        QTest::newRow("Rock'n'Roll de") << rnr << 0
                                        << QStringList{"Klasse", "Fuß/Akro", "Taktzahl", "Metronom", "Tanzzeit"} << 11
                                        << "Schüler;Vor-/Zwischenrunde;47;188;90-105s"
                                        << "Turniersportordnung des DRBV"
                                        << "Rock'n'Roll hat immer einen 4/4-Takt";
        QTest::newRow("Rock'n'Roll en") << rnr << 1
                                        << QStringList{"Class", "Foot/Acro", "Bars/min.", "Metronom", "Time"} << 11
                                        << "Youth;Preliminary round;47;188;90-105s"
                                        << "German Rock'n'Roll federation"
                                        << "Rock'n'Roll has a 4/4 bar scheme";
        QTest::newRow("Boogie-Woogie de")
            << boogie << 0 << QStringList{"Klasse", "Runde", "Taktzahl", "Metronom", "Tanzzeit"} << 7
            << "Jugendklasse;-;50-52;200-208;90-105s"
            << "Turniersportordnung des DRBV"
            << "Boogie-Woogie hat immer einen 4/4-Takt";
        QTest::newRow("Boogie-Woogie en")
            << boogie << 1 << QStringList{"Class", "Round", "Bars/min.", "Metronom", "Time"} << 7
            << "Juniors;-;50-52;200-208;90-105s"
            << "German Rock'n'Roll federation"
            << "Boogie-Woogie has a 4/4 bar scheme";
        QTest::newRow("Standard de") << standard << 0 << QStringList{"Tanz", "Takt", "Taktzahl", "Metronom", "Tanzzeit"}
                                     << 6 << "Langsamer Waltzer;3/4;28-30;84-90;90-120s"
                                     << "Turnier- und Sportordnung des DTV"
                                     << "";
        QTest::newRow("Standard en") << standard << 1 << QStringList{"Dance", "Beat", "Bars/min.", "Metronom", "Time"}
                                     << 6 << "Slow Waltz;3/4;28-30;84-90;90-120s"
                                     << "German federation's"
                                     << "";
        QTest::newRow("Latin de") << latin << 0 << QStringList{"Tanz", "Takt", "Taktzahl", "Metronom", "Tanzzeit"} << 5
                                  << "Samba;2/4;50-52;100-104;90-120s"
                                  << "Turnier- und Sportordnung des DTV"
                                  << "";
        QTest::newRow("Latin en") << latin << 1 << QStringList{"Dance", "Beat", "Bars/min.", "Metronom", "Time"} << 5
                                  << "Samba;2/4;50-52;100-104;90-120s"
                                  << "German federation's"
                                  << "";
        QTest::newRow("formation de") << formation << 0
                                      << QStringList{"Tanz", "Klasse", "Paare", "Taktzahl", "Metronom", "Tanzzeit"} << 6
                                      << "Standard;Formation;6-8 (+4 Ersatz);wie Einzeltänze;-;max. 360s, 270s gewertet"
                                      << "Turnierordnungen von DTV"
                                      << "";
        QTest::newRow("formation en")
            << formation << 1 << QStringList{"Dance", "Class", "#couples", "Bars/min.", "Metronom", "Time"} << 6
            << "Ballroom;Formation;6-8 (+4 reserves);as single dances;-;max. 360s, 270s judged"
            << "German federations'"
            << "";
    }

    void nationalWindowShowsDeliveredFile()
    {
        QFETCH(WindowFactory, create);
        QFETCH(int, language);
        QFETCH(QStringList, captions);
        QFETCH(int, rows);
        QFETCH(QString, firstRow);
        QFETCH(QString, sourceStart);
        QFETCH(QString, note);

        std::unique_ptr<RuleInfoWindow> window(create(stateFor(dataFolder())));
        window->setLanguage(languageFromStored(language));
        window->show();

        DelimitedListBox* list = window->infoList();
        QCOMPARE(list->sectionTexts(), captions);
        QCOMPARE(list->count(), rows);
        QCOMPARE(list->item(0)->text(), firstRow);
        for (const QString& row : list->rowTexts())
            QCOMPARE(DelimitedListBox::splitFields(row, ';').size(), captions.size());
        QVERIFY2(window->sourceLabel()->text().startsWith(sourceStart), qPrintable(window->sourceLabel()->text()));
        auto* noteLabel = static_cast<NationalInfoWindow*>(window.get())->noteLabel();
        QCOMPARE(noteLabel ? noteLabel->text() : QString(), note);
        QVERIFY(messages_.warnings.isEmpty());
    }

    void tempoAndTimeColumnsAreCentred()
    {
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::Formation, stateFor(dataFolder()));
        const QList<Qt::Alignment> expected{Qt::AlignLeft,    Qt::AlignLeft,    Qt::AlignLeft,
                                            Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter};
        const QAbstractItemModel* header = window->infoList()->header()->model();
        for (int column = 0; column < expected.size(); ++column) {
            QCOMPARE(window->infoList()->cellAlignment(column), expected[column]);
            const int captionAlignment = header->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
            QCOMPARE(Qt::Alignment(captionAlignment) & Qt::AlignHorizontal_Mask, expected[column]);
        }
    }

    // Headers follow a language switch at once, rows only at the next showing,
    // and each showing reads the file afresh.
    void nationalWindowReadsAtEachShowing()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        writeFile(folder + "de/Latein.dat", "Quelle\r\nSamba;2/4;50-52;100-104;90-120s;\r\n");
        writeFile(folder + "en/latein.DAT", "Source\r\nJive;4/4;42-44;168-176;90-120s;\r\n");
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::Latin, stateFor(folder));
        window->show();
        QCOMPARE(window->infoList()->rowTexts(), QStringList{"Samba;2/4;50-52;100-104;90-120s"});

        writeFile(folder + "de/Latein.dat", "Quelle neu\r\n\r\n* Kommentar\r\nRumba;4/4;25-27;100-108;90-120s;\r\n");
        QCOMPARE(window->infoList()->count(), 1);
        showAgain(*window);
        QCOMPARE(window->infoList()->rowTexts(), (QStringList{"", "* Kommentar", "Rumba;4/4;25-27;100-108;90-120s"}));
        QCOMPARE(window->sourceLabel()->text(), QString("Quelle neu"));

        window->setLanguage(Language::English);
        QCOMPARE(window->infoList()->sectionTexts().first(), QString("Dance"));
        QCOMPARE(window->infoList()->count(), 3);
        showAgain(*window);
        QCOMPARE(window->languageFolder(), "en" + QString(QDir::separator()));
        QCOMPARE(window->infoList()->rowTexts(), QStringList{"Jive;4/4;42-44;168-176;90-120s"});
        QCOMPARE(window->sourceLabel()->text(), QString("Source"));
    }

    // A source line longer than its label, and a cell wider than its column,
    // can be read whole by hovering.
    void longTextsAreShownWholeOnHover()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        const QString source = "German Rock'n'Roll federation's tournament rules, TSO 1.6 (09/2017); "
                               "D Class tempos provisional, as every helper can read";
        writeFile(folder + "de/BoogieWoogie.dat",
                  source.toLatin1() + "\r\nHauptklasse;Endrunde (langsam) und noch mehr;28-30;112-120;90-105s;\r\n");
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::BoogieWoogie, stateFor(folder));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        auto* label = qobject_cast<ElidedLabel*>(window->sourceLabel());
        QVERIFY(label);
        QCOMPARE(label->text(), source);
        QVERIFY(label->isElided());
        QVERIFY(label->shownText().endsWith(QChar(0x2026)));

        DelimitedListBox* list = window->infoList();
        const QRect row = list->visualItemRect(list->item(0));
        const int firstColumn = list->header()->sectionSize(0);
        QCOMPARE(list->cutCellAt(QPoint(row.left() + firstColumn + 10, row.center().y())),
                 std::optional<QString>("Endrunde (langsam) und noch mehr"));
        QCOMPARE(list->cutCellAt(QPoint(row.left() + 5, row.center().y())), std::nullopt); // "Hauptklasse" fits
    }

    void nationalWindowWithSourceLineOnly()
    {
        QTemporaryDir dir;
        writeFile(dir.path() + "/de/Formationen.dat", "Nur die Quelle\r\n");
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::Formation, stateFor(dir.path() + '/'));
        window->show();
        QCOMPARE(window->infoList()->count(), 0);
        QCOMPARE(window->sourceLabel()->text(), QString("Nur die Quelle"));
        QVERIFY(messages_.warnings.isEmpty());
    }

    void nationalWindowKeepsRowsWhenFileIsGone_data()
    {
        QTest::addColumn<QByteArray>("replacement"); // empty: the file is deleted
        QTest::newRow("deleted") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
    }

    void nationalWindowKeepsRowsWhenFileIsGone()
    {
        QFETCH(QByteArray, replacement);
        QTemporaryDir dir;
        const QString path = dir.path() + "/de/Standard.dat";
        writeFile(path, "Quelle\r\nTango;4/4;31-33;124-132;90-120s;\r\n");
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::Ballroom, stateFor(dir.path() + '/'));
        window->show();

        if (replacement.isNull())
            QVERIFY(QFile::remove(path));
        else
            writeFile(path, replacement);
        showAgain(*window);
        QCOMPARE(messages_.warnings.size(), 1);
        QVERIFY2(messages_.warnings.first().startsWith("Datei "), qPrintable(messages_.warnings.first()));
        QCOMPARE(window->infoList()->rowTexts(), QStringList{"Tango;4/4;31-33;124-132;90-120s"});
        QCOMPARE(window->sourceLabel()->text(), QString("Quelle"));
    }

    void internationalWindowShowsDeliveredFile_data()
    {
        QTest::addColumn<WindowFactory>("create");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("sourceName");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("sourceStart");

        QTest::newRow("Rock'n'Roll") << factory(InfoWindow::InternationalRockNRoll) << "InfoBox_RockNRoll"
                                     << "LB_Info_RockNRoll"
                                     << QStringList{"Class", "Foot/Acro", "Bars/min.", "Metronom", "Time"} << 8
                                     << "Children;-;45-47;180-188;60-75s"
                                     << "WRRC Tournament Rules";
        QTest::newRow("Boogie-Woogie") << factory(InfoWindow::InternationalBoogieWoogie) << "InfoBox_Boogie"
                                       << "LB_Info_Boogie"
                                       << QStringList{"Class", "Round", "Bars/min.", "Metronom", "Time"} << 5
                                       << "Boogie-Woogie;Preliminary (slow);28-30;112-120;75s"
                                       << "WRRC Technical Rules";
        QTest::newRow("Standard") << factory(InfoWindow::InternationalBallroom) << "InfoBox_Standard"
                                  << "LB_Info_Standard" << QStringList{"Dance", "Beat", "Bars/min.", "Metronom", "Time"}
                                  << 5 << "Slow Waltz;3/4;28-30;84-90;90-120s"
                                  << "WDSF Competition Rules";
        QTest::newRow("Latin") << factory(InfoWindow::InternationalLatin) << "InfoBox_Latein"
                               << "LB_Info_Latein" << QStringList{"Dance", "Beat", "Bars/min.", "Metronom", "Time"} << 5
                               << "Samba;2/4;50-52;100-104;90-120s"
                               << "WDSF Competition Rules";
        QTest::newRow("formation") << factory(InfoWindow::InternationalFormations) << "InfoBox_Formations"
                                   << "LB_Info_Formationen"
                                   << QStringList{"Dance", "Class", "# Couples", "Bars/min.", "Metronom", "Time"} << 6
                                   << "Ballroom;Formation;6-8;as single dances;-;max. 360s, 270s judged"
                                   << "WDSF Competition Rules";
    }

    void internationalWindowShowsDeliveredFile()
    {
        QFETCH(WindowFactory, create);
        QFETCH(QString, listName);
        QFETCH(QString, sourceName);
        QFETCH(QStringList, captions);
        QFETCH(int, rows);
        QFETCH(QString, firstRow);
        QFETCH(QString, sourceStart);

        std::unique_ptr<RuleInfoWindow> window(create(stateFor(dataFolder())));
        QCOMPARE(window->infoList()->objectName(), listName);
        QCOMPARE(window->sourceLabel()->objectName(), sourceName);
        QCOMPARE(window->infoList()->count(), rows);
        QCOMPARE(window->infoList()->item(0)->text(), firstRow);
        QVERIFY(window->sourceLabel()->text().startsWith(sourceStart));
        QCOMPARE(window->findChild<QLabel*>("sourceCaptionLabel")->text(), QString("Source:"));
        window->setLanguage(Language::German); // the program switched to German: no effect here
        QCOMPARE(window->infoList()->sectionTexts(), captions);
        QVERIFY(messages_.warnings.isEmpty());
    }

    void internationalWindowReadsOnlyAtCreation()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/i_standard.dat"; // the name matches whatever its case
        writeFile(path, "WDSF\r\nTango;4/4;31-33;124-132;90-120s;\r\n");
        const auto window =
            createWindow<InternationalInfoWindow>(InfoWindow::InternationalBallroom, stateFor(dir.path() + '/'));
        writeFile(path, "WDSF 2\r\nQuickstep;4/4;50-52;200-208;90-120s;\r\n");
        window->show();
        showAgain(*window);
        QCOMPARE(window->infoList()->rowTexts(), QStringList{"Tango;4/4;31-33;124-132;90-120s"});
        QCOMPARE(window->sourceLabel()->text(), QString("WDSF"));
    }

    void internationalWindowWithUnreadableFile_data()
    {
        QTest::addColumn<QByteArray>("contents"); // null: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
    }

    void internationalWindowWithUnreadableFile()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        if (!contents.isNull())
            writeFile(dir.path() + "/I_Latein.dat", contents);
        writeFile(dir.path() + "/I_Standard.dat", "WDSF\r\nTango;4/4;31-33;124-132;90-120s;\r\n");
        const auto latin =
            createWindow<InternationalInfoWindow>(InfoWindow::InternationalLatin, stateFor(dir.path() + '/'));
        QCOMPARE(messages_.warnings, QStringList{"Error reading file"});
        QCOMPARE(latin->infoList()->count(), 0);
        QCOMPARE(latin->sourceLabel()->text(), QString());

        const auto standard = createWindow<InternationalInfoWindow>(InfoWindow::InternationalBallroom, state_);
        QCOMPARE(messages_.warnings.size(), 1);
        QCOMPARE(standard->infoList()->count(), 1);
    }

    // A double click makes the row the dance selection of the main window's panel.
    void doubleClickChoosesRow_data()
    {
        QTest::addColumn<WindowFactory>("create");
        QTest::addColumn<QString>("rowText");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("dance");
        QTest::addColumn<QString>("round"); // empty: the round group is hidden

        QTest::newRow("Rock'n'Roll B-Klasse Akrobatik")
            << factory(InfoWindow::RockNRoll) << "B-Klasse;Akrobatik;48-50;192-200;90-105s" << 0 << "B-Klasse"
            << "Akrobatik";
        QTest::newRow("Rock'n'Roll C-Klasse has no round")
            << factory(InfoWindow::RockNRoll) << "C-Klasse;-;48;192;90-105s" << 0 << "C-Klasse"
            << "";
        QTest::newRow("Boogie-Woogie Oldieklasse")
            << factory(InfoWindow::BoogieWoogie) << "Oldieklasse;Endrunde (langsam);28-30;112-120;90-105s" << 1
            << "Oldieklasse"
            << "Endrunde (langsam)";
        QTest::newRow("Standard Tango") << factory(InfoWindow::Ballroom) << "Tango;4/4;31-33;124-132;90-120s" << 2
                                        << "Tango"
                                        << "";
        QTest::newRow("Latin Jive") << factory(InfoWindow::Latin) << "Jive;4/4;42-44;168-176;90-120s" << 3 << "Jive"
                                    << "";
    }

    void doubleClickChoosesRow()
    {
        QFETCH(WindowFactory, create);
        QFETCH(QString, rowText);
        QFETCH(int, type);
        QFETCH(QString, dance);
        QFETCH(QString, round);

        RuleTables rules;
        ProgramState& state = stateFor(dataFolder());
        QVERIFY(loadRuleTables(rules, dataFolder() + "de/").ok());
        state.rules = &rules;
        DanceSelection selection(state);
        state.selection = &selection;
        DanceSelectionPanel panel(state, selection);
        panel.show();
        std::unique_ptr<RuleInfoWindow> window(create(state));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        DelimitedListBox* list = window->infoList();
        const int row = static_cast<int>(list->rowTexts().indexOf(rowText));
        QVERIFY(row >= 0);
        list->scrollToItem(list->item(row));
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);

        QCOMPARE(panel.typeGroup->itemIndex(), type);
        QCOMPARE(panel.danceGroup->currentText(), dance);
        QCOMPARE(panel.roundGroup->isHidden(), round.isEmpty());
        if (!round.isEmpty())
            QCOMPARE(panel.roundGroup->currentText(), round);
        QVERIFY2(!panel.tempoEdit->text().isEmpty(), "the panel shows the row's tempo");
        QCOMPARE(state.savedTypeIndex, type);
    }

    void doubleClickMatchesTextsWithoutLetterCase()
    {
        QTemporaryDir dir;
        writeFile(dir.path() + "/de/RockNRoll.dat", "Quelle\r\n b-klasse ; AKROBATIK ;48-50;192-200;90-105s;\r\n");
        RuleTables rules;
        ProgramState& state = stateFor(dir.path() + '/');
        QVERIFY(loadRuleTables(rules, dataFolder() + "de/").ok());
        state.rules = &rules;
        DanceSelection selection(state);
        state.selection = &selection;
        DanceSelectionPanel panel(state, selection);
        const auto window = createWindow<NationalInfoWindow>(InfoWindow::RockNRoll, state);
        window->show();
        window->infoList()->setCurrentRow(0);
        window->noteDoubleClicked();
        QCOMPARE(panel.danceGroup->currentText(), QString("B-Klasse"));
        QCOMPARE(panel.roundGroup->currentText(), QString("Akrobatik"));
    }

    void doubleClickWithoutEffect_data()
    {
        QTest::addColumn<WindowFactory>("create");
        QTest::addColumn<bool>("selectRow");
        QTest::newRow("formation window") << factory(InfoWindow::Formation) << true;
        QTest::newRow("no row selected") << factory(InfoWindow::Ballroom) << false;
    }

    void doubleClickWithoutEffect()
    {
        QFETCH(WindowFactory, create);
        QFETCH(bool, selectRow);
        RuleTables rules;
        ProgramState& state = stateFor(dataFolder());
        QVERIFY(loadRuleTables(rules, dataFolder() + "de/").ok());
        state.rules = &rules;
        DanceSelection selection(state);
        state.selection = &selection;
        DanceSelectionPanel panel(state, selection);
        panel.typeGroup->setItemIndex(5);
        panel.typeChanged();
        std::unique_ptr<RuleInfoWindow> window(create(state));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        DelimitedListBox* list = window->infoList();
        QCOMPARE(list->selectedItems().size(), 0);
        if (selectRow) {
            const QPoint centre = list->visualItemRect(list->item(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
            QCOMPARE(list->selectedItems().size(), 1);
        }
        else {
            static_cast<NationalInfoWindow*>(window.get())->noteDoubleClicked();
        }
        QCOMPARE(panel.typeGroup->itemIndex(), 5);
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
