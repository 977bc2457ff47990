#pragma once
#include <QRect>
#include <QSize>
#include <array>

// Whether a projector mode shows a couple's clock: modes 1 to 3 that couple
// alone, 4 the first and the last couple, 5 all three.
bool modeShowsCouple(int mode, int couple);

// The room a clock's widest text takes, per pixel of font size, field
// margins included: the whole layout scales with the font.
struct ClockTextExtent {
    double width = 0;
    double height = 0;
};

// Where the projector display puts its clocks and the couple numbers under
// them. Couples are numbered 1 to 3; a clock that is not shown has a null rect.
struct ProjectorLayout {
    int clockPixelSize = 0;
    int numberPixelSize = 0;
    std::array<QRect, 3> clocks;
    std::array<QRect, 3> numbers;
};

// One column of equal width per shown clock, in couple order from the left
// (from the right when inverted), each clock centred in its column and as
// large as fits both the column and the height between the top band and the
// footer, its number right under it.
ProjectorLayout layOutProjector(QSize screen, int mode, bool inverted, ClockTextExtent extent, int topBand,
                                int footerTop);
