#include "fade/ProjectorLayout.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A clock may fill this share of its column; the rest keeps neighbours apart.
constexpr double kColumnFill = 0.92;
// The couple number under a clock, in font pixels per clock font pixel.
constexpr double kNumberScale = 0.2;
// Line height of the number and the gap above it, per clock font pixel.
constexpr double kNumberLine = kNumberScale * 1.25;
constexpr double kNumberGap = 0.05;
constexpr int kSmallestNumberPixels = 16;

} // namespace

bool modeShowsCouple(int mode, int couple)
{
    switch (couple) {
    case 1:
        return mode == 1 || mode == 4 || mode == 5;
    case 2:
        return mode == 2 || mode == 5;
    case 3:
        return mode == 3 || mode == 4 || mode == 5;
    default:
        return false;
    }
}

ProjectorLayout layOutProjector(QSize screen, int mode, bool inverted, ClockTextExtent extent, int topBand,
                                int footerTop)
{
    ProjectorLayout layout;
    std::vector<int> shown;
    for (int couple = 1; couple <= 3; ++couple)
        if (modeShowsCouple(mode, couple))
            shown.push_back(couple);
    if (shown.empty() || extent.width <= 0 || extent.height <= 0)
        return layout;
    if (inverted)
        std::reverse(shown.begin(), shown.end());

    const int columns = static_cast<int>(shown.size());
    const int columnWidth = screen.width() / columns;
    const int room = std::max(0, footerTop - topBand);
    const double byWidth = columnWidth * kColumnFill / extent.width;
    const double byHeight = room / (extent.height + kNumberGap + kNumberLine);
    layout.clockPixelSize = std::max(1, static_cast<int>(std::floor(std::min(byWidth, byHeight))));
    const double px = layout.clockPixelSize;
    layout.numberPixelSize = std::max(kSmallestNumberPixels, static_cast<int>(px * kNumberScale));

    const int clockWidth = static_cast<int>(std::ceil(extent.width * px));
    const int clockHeight = static_cast<int>(std::ceil(extent.height * px));
    const int gap = static_cast<int>(kNumberGap * px);
    const int numberHeight = static_cast<int>(std::ceil(layout.numberPixelSize * 1.25));
    // The clock and its number together stand in the middle of the room.
    const int top = topBand + (room - (clockHeight + gap + numberHeight)) / 2;
    for (int column = 0; column < columns; ++column) {
        const int index = shown[column] - 1;
        const int left = column * columnWidth + (columnWidth - clockWidth) / 2;
        layout.clocks[index] = QRect(left, top, clockWidth, clockHeight);
        layout.numbers[index] = QRect(left, top + clockHeight + gap, clockWidth, numberHeight);
    }
    return layout;
}
