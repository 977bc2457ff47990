#pragma once
#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

// Centres a free-standing window over the window that owns it, moved as
// little as needed to lie within the owner's screen (its available area);
// without a shown owner, centred on the primary screen: left := (area width
// - window width) div 2, top likewise, with the outer size of the window.
void centreOnScreen(QWidget& window);

// Where a window with a title bar opens, as outer (frame) top-left and
// client size.
struct WindowPlacement {
    QPoint frameTopLeft;
    QSize clientSize;
};

// The screens as a window sees them: their available areas (without task
// bars) and which of them is the primary one.
struct ScreenAreas {
    QList<QRect> areas;
    int primary = 0;
};
ScreenAreas currentScreenAreas();

// The frame a window manager puts around a window whose own frame is not
// known yet (before it is first shown).
QMargins assumedFrame(const QWidget& window);

// A stored place is kept only where the window's title bar lands on a
// screen (wholly inside it vertically, and wide enough to take hold of);
// otherwise the window is centred on the primary screen. Either way the
// window with its frame is never larger than the screen it opens on.
WindowPlacement placeWindow(std::optional<QPoint> storedFrameTopLeft, QSize clientSize, const QMargins& frame,
                            const ScreenAreas& screens);

// Shows the window restored from minimised, in front and active.
void bringToFront(QWidget& window);
