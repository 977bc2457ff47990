// Pictures of the projector display on a laptop with a projector beside it,
// two screens of Qt's offscreen platform: each layout, normal and inverted,
// in running and overtime colours, with the main window on the other screen.
// Prints where each window stands, whether the main window takes input and
// how tall the digits are against the projector's height.
//
//   beamer_shots OUTDIR [PROJECTOR_WIDTHxHEIGHT]      (default 1920x1080)

#include "widgets/DisplayArea.h"
#include "fade/FrmBeamer.h"
#include "fade/FrmMusikAusblendenLatein.h"
#include "app/Mainform.h"
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
int digitHeight(TfrmBeamer& beamer, int couple)
{
    const QImage clock = beamer.timeLabel(couple)->grab().toImage();
    const ProjectorLook look = ProjectorLookOf(beamer.clockLamp(couple));
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

    MainformOptions options;
    options.settingsFile = work.filePath(QStringLiteral("Vantor.conf"));
    options.splashMs = 0;
    TMainform mainform(options);
    mainform.show();
    mainform.move(100, 60);
    mainform.SelectorItemClick(0, 4);
    QApplication::processEvents();
    auto* fade = qobject_cast<TFrmMusikAusblendenLatein*>(mainform.embedded(EmbeddedWindow::FadeCouples));
    auto* beamer = mainform.findChild<TfrmBeamer*>();

    struct Shot {
        const char* name;
        QPushButton* button;
        bool inverted;
        LampState lamps[3];
        const char* texts[3];
    };
    const Shot shots[] = {
        {"one", fade->couple(1).BT_beamer, false, {LampState::Gruen}, {"01:27"}},
        {"one-overtime", fade->couple(2).BT_beamer, false, {LampState::Null, LampState::Rot}, {"", "02:04"}},
        {"two", fade->BT_Beamer2, false, {LampState::Gruen, LampState::Null, LampState::Gelb}, {"00:58", "", "01:35"}},
        {"two-inverted",
         fade->BT_Beamer2,
         true,
         {LampState::Gruen, LampState::Null, LampState::Gelb},
         {"00:58", "", "01:35"}},
        {"two-overtime",
         fade->BT_Beamer2,
         false,
         {LampState::Rot, LampState::Null, LampState::Gelb},
         {"02:01", "", "01:52"}},
        {"three",
         fade->BT_BeamerAll,
         false,
         {LampState::Gruen, LampState::Gelb, LampState::Null},
         {"01:12", "01:33", "00:00"}},
        {"three-inverted",
         fade->BT_BeamerAll,
         true,
         {LampState::Gruen, LampState::Gelb, LampState::Rot},
         {"01:12", "01:33", "02:03"}},
        {"three-seconds-overtime",
         fade->BT_BeamerAll,
         false,
         {LampState::Rot, LampState::Gelb, LampState::Gruen},
         {"121,4", "96,0", "8,3"}},
    };
    for (const Shot& shot : shots) {
        fade->cbx_inverted->setChecked(shot.inverted);
        shot.button->click();
        for (int couple = 1; couple <= 3; ++couple) {
            beamer->setClockLamp(couple, shot.lamps[couple - 1]);
            beamer->timeLabel(couple)->setText(QString::fromUtf8(shot.texts[couple - 1]));
        }
        QApplication::processEvents();
        const QString path = QDir(outDir).filePath(QString::fromUtf8(shot.name) + QStringLiteral(".png"));
        desktop({&mainform, beamer}).save(path);
        const int shown = beamer->lb_time1->isVisible() ? 1 : beamer->lb_time2->isVisible() ? 2 : 3;
        std::printf("%-24s display on %s %dx%d at %d,%d; main window on %s, %s; digits %d px = %.0f %% of the height\n",
                    shot.name, qPrintable(beamer->screen()->name()), beamer->width(), beamer->height(), beamer->x(),
                    beamer->y(), qPrintable(mainform.screen()->name()),
                    QApplication::activeModalWidget() ? "held" : "takes input", digitHeight(*beamer, shown),
                    100.0 * digitHeight(*beamer, shown) / beamer->height());
        beamer->lb_schliessenClick();
    }
    return 0;
}
