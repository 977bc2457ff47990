#include "widgets/DisplayArea.h"
#include "widgets/EmbeddedForm.h"
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <algorithm>
#include <cmath>

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

    // A dark desktop palette turns text light; over the tool windows' fixed
    // light panels it must stay dark (contrast at least 4.5:1).
    void textsStayReadableUnderADarkDesktopPalette()
    {
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a);
            const double lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        const QPalette desktop = QApplication::palette();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
        dark.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
        dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
        dark.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
        QApplication::setPalette(dark);
        EmbeddedForm form("Form", QSize(100, 50));
        auto* label = new QLabel("Takt", form.panel());
        auto* field = new QLineEdit("46", form.panel());
        const QColor lightPanel(0xDC, 0xE6, 0xF4); // the rounded frame's fill
        QVERIFY(contrast(label->palette().color(QPalette::WindowText), lightPanel) >= 4.5);
        QVERIFY(contrast(field->palette().color(QPalette::Text), field->palette().color(QPalette::Base)) >= 4.5);
        QApplication::setPalette(desktop);
    }
};

QTEST_MAIN(TestDisplayArea)
#include "tst_display_area.moc"
