#include "widgets/ScreenPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// A title bar narrower than this on screen cannot be taken hold of with the mouse.
constexpr int kGripWidth = 100;
// Where no window manager frame is known, this much of the window's top
// stands for its title bar.
constexpr int kNominalTitleHeight = 20;

QRect areaOf(const QScreen* screen)
{
    return screen ? screen->availableGeometry() : QRect();
}

QSize outerSize(QSize client, const QMargins& frame)
{
    return client.grownBy(frame);
}

// The screen area under the largest part of the title bar, or -1 when none
// holds it well enough to take hold of it.
int areaUnderTitleBar(const QRect& titleBar, const QList<QRect>& areas)
{
    const int grip = std::min(kGripWidth, titleBar.width());
    int best = -1;
    int bestWidth = 0;
    for (int i = 0; i < areas.size(); ++i) {
        const QRect part = titleBar.intersected(areas[i]);
        if (part.height() == titleBar.height() && part.width() >= grip && part.width() > bestWidth) {
            best = i;
            bestWidth = part.width();
        }
    }
    return best;
}

QPoint centredIn(const QRect& area, QSize outer)
{
    // Integer division truncates toward zero.
    return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

} // namespace

ScreenAreas currentScreenAreas()
{
    ScreenAreas screens;
    const QList<QScreen*> all = QGuiApplication::screens();
    for (const QScreen* screen : all)
        screens.areas.append(areaOf(screen));
    screens.primary = std::max<int>(0, int(all.indexOf(QGuiApplication::primaryScreen())));
    return screens;
}

QMargins assumedFrame(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QMargins known(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                         frame.bottom() - client.bottom());
    if (known.top() > 0)
        return known;
    return {4, 30, 4, 4}; // a usual window manager's border and title bar
}

WindowPlacement placeWindow(std::optional<QPoint> storedFrameTopLeft, QSize clientSize, const QMargins& frame,
                            const ScreenAreas& screens)
{
    if (screens.areas.isEmpty())
        return {storedFrameTopLeft.value_or(QPoint(0, 0)), clientSize};
    int area = -1;
    if (storedFrameTopLeft) {
        // An oversized window's title bar would reach any screen from anywhere.
        int widestRoom = 1;
        for (const QRect& candidate : screens.areas)
            widestRoom = std::max(widestRoom, candidate.width() - frame.left() - frame.right());
        const int width = outerSize(QSize(std::min(clientSize.width(), widestRoom), 0), frame).width();
        const QRect titleBar(*storedFrameTopLeft, QSize(width, std::max(frame.top(), kNominalTitleHeight)));
        area = areaUnderTitleBar(titleBar, screens.areas);
    }
    const bool keepPlace = area >= 0;
    if (!keepPlace)
        area = std::clamp(screens.primary, 0, int(screens.areas.size()) - 1);
    const QRect& bounds = screens.areas[area];
    const QSize room = bounds.size().shrunkBy(frame).expandedTo(QSize(1, 1));
    const QSize client = clientSize.boundedTo(room);
    return {keepPlace ? *storedFrameTopLeft : centredIn(bounds, outerSize(client, frame)), client};
}

void centreOnScreen(QWidget& window)
{
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (owner && !owner->isVisible())
        owner = nullptr;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = areaOf(screen);
    const QSize outer = window.frameGeometry().size();
    QPoint topLeft = centredIn(owner ? owner->frameGeometry() : area, outer);
    if (owner) {
        // Within the owner's screen, the top-left corner winning where the window is larger.
        topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - outer.width())));
        topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - outer.height())));
    }
    window.move(topLeft);
}

void bringToFront(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}
