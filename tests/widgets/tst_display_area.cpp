#include "widgets/DisplayArea.h"
#include "widgets/EmbeddedForm.h"
#include <QFrame>
#include <QtTest>

class TestDisplayArea : public QObject {
    Q_OBJECT

private slots:
    // The shown window fills the area and keeps its panel in the middle, also
    // when the area is smaller than the panel (the offset then truncated
    // toward zero on both sides alike).
    void shownPanelStaysCentred_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QPoint>("panelAt");
        QTest::newRow("larger area") << QSize(600, 400) << QPoint(200, 150);
        QTest::newRow("odd remainder") << QSize(601, 401) << QPoint(200, 150);
        QTest::newRow("exact fit") << QSize(200, 100) << QPoint(0, 0);
        QTest::newRow("smaller area") << QSize(99, 51) << QPoint(-50, -24);
    }

    void shownPanelStaysCentred()
    {
        QFETCH(QSize, area);
        QFETCH(QPoint, panelAt);
        DisplayArea display;
        auto* form = new EmbeddedForm("Form", QSize(200, 100));
        display.registerWindow(form);
        display.showWindow(0);
        display.resize(area);
        display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        QCOMPARE(form->geometry(), QRect(QPoint(0, 0), area));
        QCOMPARE(form->panel()->pos(), panelAt);
    }

    void oneWindowShownAtATime()
    {
        DisplayArea display;
        auto* first = new EmbeddedForm("First", QSize(10, 10));
        auto* second = new EmbeddedForm("Second", QSize(10, 10));
        QCOMPARE(display.registerWindow(first), 0);
        QCOMPARE(display.registerWindow(second), 1);
        display.show();
        display.showWindow(1);
        QVERIFY(second->isVisible() && !first->isVisible());
        display.showWindow(0);
        QVERIFY(first->isVisible() && !second->isVisible());
        display.showWindow(7); // never registered: the shown one stays
        QCOMPARE(display.currentIndex(), 0);
        QVERIFY(first->isVisible());
        QCOMPARE(display.embeddedForm(1), second);
        QCOMPARE(display.embeddedForm(2), nullptr);
    }
};

QTEST_MAIN(TestDisplayArea)
#include "tst_display_area.moc"
