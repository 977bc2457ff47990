#include "widgets/EmbeddedForm.h"
#include "widgets/Theme.h"
#include <QApplication>
#include <QMenu>
#include <QtTest>
#include <cmath>

namespace {

// The relative luminance and contrast ratio of the web's accessibility rules.
double luminance(const QColor& colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

class TestTheme : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Theme::instance().setDark(false); }

    // Each text the program colours itself against the ground it stands on.
    void textsReadOnTheirGround_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("ground");
        for (bool dark : {false, true}) {
            const ThemeColours& c = themeColours(dark);
            const char* theme = dark ? "dark" : "light";
            QTest::addRow("%s: label on the shape", theme) << dark << c.text << c.shape;
            QTest::addRow("%s: warning on the shape", theme) << dark << c.warningText << c.shape;
            QTest::addRow("%s: button", theme) << dark << c.buttonText << c.button;
            QTest::addRow("%s: dance panel", theme) << dark << c.dancePanelText << c.dancePanel;
            QTest::addRow("%s: header", theme) << dark << c.headerText << c.header;
            QTest::addRow("%s: white caption on the form", theme) << dark << QColor(Qt::white) << c.form;
        }
    }

    void textsReadOnTheirGround()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, ground);
        QVERIFY2(contrast(text, ground) >= 4.5, qPrintable(QString::number(contrast(text, ground))));
    }

    // A window made before the switch follows it both ways, and the
    // desktop's own palette comes back with the light theme.
    void windowsFollowTheSwitch()
    {
        const QPalette desktop = QApplication::palette();
        EmbeddedForm form("Form", QSize(100, 100));
        const QColor light = form.palette().color(QPalette::Window);
        Theme::instance().setDark(true);
        QCOMPARE(form.palette().color(QPalette::Window), themeColours(true).form);
        QCOMPARE(form.palette().color(QPalette::WindowText), themeColours(true).text);
        Theme::instance().setDark(false);
        QCOMPARE(form.palette().color(QPalette::Window), light);
        QCOMPARE(QApplication::palette(), desktop);
    }

    // A menu made before the switch (as the menu bar's are) is dark in the
    // dark theme, its entries readable, and light again after it.
    void menusFollowTheDarkTheme()
    {
        QMenu menu;
        menu.ensurePolished();
        const QColor desktopGround = menu.palette().color(QPalette::Base);
        Theme::instance().setDark(true);
        // The change reaches existing widgets through the event loop.
        QTRY_COMPARE(menu.palette().color(QPalette::Base), themeColours(true).shape);
        const QColor ground = menu.palette().color(QPalette::Base);
        QVERIFY(contrast(menu.palette().color(QPalette::Text), ground) >= 4.5);
        Theme::instance().setDark(false);
        QTRY_COMPARE(menu.palette().color(QPalette::Base), desktopGround);
    }
};

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"
