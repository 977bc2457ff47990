#include "app/AboutDialog.h"
#include "widgets/Pictures.h"
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestInfo : public QObject {
    Q_OBJECT

private slots:
    void languageSwitchesCaptionLabelsAndButton_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("english");
        QTest::newRow("German") << 0 << QStringLiteral("über Vantor") << QStringLiteral("&Schließen") << false;
        QTest::newRow("English") << 1 << "about Vantor"
                                 << "&Close" << true;
        QTest::newRow("any other value is English") << 2 << "about Vantor"
                                                    << "&Close" << true;
    }

    void languageSwitchesCaptionLabelsAndButton()
    {
        QFETCH(int, flag);
        QFETCH(QString, caption);
        QFETCH(QString, button);
        QFETCH(bool, english);
        AboutDialog info;
        info.setLanguage(languageFromStored(flag == 0 ? 1 : 0)); // start from the other language
        info.setLanguage(languageFromStored(flag));
        QCOMPARE(info.windowTitle(), caption);
        QCOMPARE(info.closeButton->text(), button);
        for (QLabel* label :
             {info.platformLabelGerman, info.distributorLabelGerman, info.disclaimerLabelGerman, info.toolsLabelGerman})
            QCOMPARE(label->isVisibleTo(&info), !english);
        for (QLabel* label : {info.platformLabelEnglish, info.distributorLabelEnglish, info.disclaimerLabelEnglish,
                              info.toolsLabelEnglish})
            QCOMPARE(label->isVisibleTo(&info), english);
    }

    void showCenteredIsModalAndCloseButtonEndsIt()
    {
        AboutDialog info;
        bool wasModal = false;
        QTimer::singleShot(0, &info, [&] {
            wasModal = QApplication::activeModalWidget() == &info;
            info.closeButton->click();
        });
        info.showCentered();
        QVERIFY(wasModal);
        QVERIFY(!info.isVisible());
    }

    void everyPictureIsCompiledIn_data()
    {
        QTest::addColumn<QString>("resource");
        for (const QString& picture :
             {LogoPicture, SplashPicture, AboutPortraitPicture, AboutBannerPicture, HelpIconPicture})
            QTest::newRow(qPrintable(picture)) << picture;
        for (int section = 0; section < 3; ++section)
            for (int item = 0; item < 5; ++item)
                QTest::newRow(qPrintable(selectorPicture(section, item))) << selectorPicture(section, item);
    }

    void everyPictureIsCompiledIn()
    {
        QFETCH(QString, resource);
        SvgPicture picture(resource);
        QVERIFY(picture.isValid());
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
