// Pictures of the projector display on a laptop with a projector beside it,
// two screens of Qt's offscreen platform: each layout, normal and inverted,
// in running and overtime colours, with the main window on the other screen,
// and with the dance of a heat the player plays over the clocks, in both languages.
// Prints where each window stands, whether the main window takes input and
// how tall the digits are against the projector's height.
//
//   beamer_shots OUTDIR [PROJECTOR_WIDTHxHEIGHT]      (default 1920x1080)

#include "widgets/DisplayArea.h"
#include "fade/LampLook.h"
#include "fade/ProjectorWindow.h"
#include "fade/FadeCouplesWindow.h"
#include "app/MainWindow.h"
#include "common/Language.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QImage desktop(const QList<QWidget*>& windows)
{
    QRect all;
    for (const QScreen* screen : QGuiApplication::screens())
        all |= screen->geometry();
    QImage image(all.size(), QImage::Format_RGB32);
    image.fill(QColor(40, 40, 40));
    QPainter painter(&image);
    for (QWidget* window : windows)
        if (window->isVisible())
            painter.drawPixmap(window->geometry().topLeft() - all.topLeft(), window->grab());
    return image;
}

// Height of the lit digits in the display, in pixels: rows that hold a
// pixel of a clock's digit colour.
int digitHeight(ProjectorWindow& projector, int couple)
{
    const QImage clock = projector.timeLabel(couple)->grab().toImage();
    const ProjectorLook look = projectorLookOf(projector.clockLamp(couple));
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < clock.height(); ++y)
        for (int x = 0; x < clock.width(); x += 2)
            if (QColor(clock.pixel(x, y)) == look.digits) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: beamer_shots OUTDIR [PROJECTOR_WIDTHxHEIGHT]\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "1920x1080").split(QLatin1Char('x'));
    QTemporaryDir work;
    const QString config = work.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral(R"({"screens": [
        {"name": "LAPTOP", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96},
        {"name": "HDMI-1", "x": 1366, "y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                   .arg(size.value(0).toInt())
                   .arg(size.value(1).toInt())
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    QDir().mkpath(outDir);

    MainWindowOptions options;
    options.settingsFile = work.filePath(QStringLiteral("Vantor.conf"));
    options.splashMs = 0;
    MainWindow mainWindow(options);
    mainWindow.show();
    mainWindow.move(100, 60);
    mainWindow.selectorItemClicked(0, 4);
    QApplication::processEvents();
    auto* fade = qobject_cast<FadeCouplesWindow*>(mainWindow.embedded(EmbeddedWindow::FadeCouples));
    auto* projector = mainWindow.findChild<ProjectorWindow*>();

    struct Shot {
        const char* name;
        QPushButton* button;
        bool inverted;
        LampState lamps[3];
        const char* texts[3];
    };
    const Shot shots[] = {
        {"one", fade->couple(1).projectorButton, false, {LampState::Green}, {"01:27"}},
        {"one-overtime", fade->couple(2).projectorButton, false, {LampState::Null, LampState::Red}, {"", "02:04"}},
        {"two",
         fade->projectorTwoButton,
         false,
         {LampState::Green, LampState::Null, LampState::Amber},
         {"00:58", "", "01:35"}},
        {"two-inverted",
         fade->projectorTwoButton,
         true,
         {LampState::Green, LampState::Null, LampState::Amber},
         {"00:58", "", "01:35"}},
        {"two-overtime",
         fade->projectorTwoButton,
         false,
         {LampState::Red, LampState::Null, LampState::Amber},
         {"02:01", "", "01:52"}},
        {"three",
         fade->projectorAllButton,
         false,
         {LampState::Green, LampState::Amber, LampState::Null},
         {"01:12", "01:33", "00:00"}},
        {"three-inverted",
         fade->projectorAllButton,
         true,
         {LampState::Green, LampState::Amber, LampState::Red},
         {"01:12", "01:33", "02:03"}},
        {"three-seconds-overtime",
         fade->projectorAllButton,
         false,
         {LampState::Red, LampState::Amber, LampState::Green},
         {"121,4", "96,0", "8,3"}},
    };
    for (const Shot& shot : shots) {
        fade->invertedCheck->setChecked(shot.inverted);
        shot.button->click();
        for (int couple = 1; couple <= 3; ++couple) {
            projector->setClockLamp(couple, shot.lamps[couple - 1]);
            projector->timeLabel(couple)->setText(QString::fromUtf8(shot.texts[couple - 1]));
        }
        QApplication::processEvents();
        const QString path = QDir(outDir).filePath(QString::fromUtf8(shot.name) + QStringLiteral(".png"));
        desktop({&mainWindow, projector}).save(path);
        const int shown = projector->clockOne->isVisible() ? 1 : projector->clockTwo->isVisible() ? 2 : 3;
        std::printf("%-24s display on %s %dx%d at %d,%d; main window on %s, %s; digits %d px = %.0f %% of the height\n",
                    shot.name, qPrintable(projector->screen()->name()), projector->width(), projector->height(),
                    projector->x(), projector->y(), qPrintable(mainWindow.screen()->name()),
                    QApplication::activeModalWidget() ? "held" : "takes input", digitHeight(*projector, shown),
                    100.0 * digitHeight(*projector, shown) / projector->height());
        projector->closeLabelClicked();
    }

    struct HeatShot {
        const char* name;
        QPushButton* button;
        const char* dance;
        const char* nextDance;
        Language language;
    };
    const HeatShot heatShots[] = {
        {"heat-one", fade->couple(1).projectorButton, "Langsamer Walzer", "Tango", Language::German},
        {"heat-two", fade->projectorTwoButton, "Slow Foxtrot", "Quickstep", Language::English},
        {"heat-three", fade->projectorAllButton, "Paso Doble", "Jive", Language::German},
        {"heat-three-last", fade->projectorAllButton, "Jive", "", Language::English},
        {"heat-three-long", fade->projectorAllButton, "Boogie-Woogie Main Class Slow Round",
         "Boogie-Woogie Main Class Fast Round", Language::German},
    };
    fade->invertedCheck->setChecked(false);
    for (const HeatShot& shot : heatShots) {
        useLanguage(shot.language);
        shot.button->click();
        projector->setHeat(QString::fromUtf8(shot.dance), QString::fromUtf8(shot.nextDance));
        for (int couple = 1; couple <= 3; ++couple) {
            projector->setClockLamp(couple, LampState::Green);
            projector->timeLabel(couple)->setText(QStringLiteral("01:12"));
        }
        QApplication::processEvents();
        desktop({&mainWindow, projector})
            .save(QDir(outDir).filePath(QString::fromUtf8(shot.name) + QStringLiteral(".png")));
        const int shown = projector->clockOne->isVisible() ? 1 : projector->clockTwo->isVisible() ? 2 : 3;
        std::printf("%-24s digits %d px = %.0f %% of the height\n", shot.name, digitHeight(*projector, shown),
                    100.0 * digitHeight(*projector, shown) / projector->height());
        projector->setHeat(QString(), QString());
        projector->closeLabelClicked();
    }
    useLanguage(Language::German);
    return 0;
}
