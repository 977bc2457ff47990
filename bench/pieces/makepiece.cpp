// Writes one synthesised piece as WAV: makepiece OUT.wav BARS_PER_MIN BEATS_PER_BAR SECONDS [SWING INTRO PATTERN SEED
// ORCHESTRAL]
#include "PieceSynth.h"
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(
            stderr,
            "usage: makepiece OUT.wav BARS_PER_MIN BEATS_PER_BAR SECONDS [SWING INTRO PATTERN SEED ORCHESTRAL]\n");
        return 2;
    }
    PieceRecipe recipe;
    recipe.barsPerMinute = std::atof(argv[2]);
    recipe.beatsPerBar = std::atoi(argv[3]);
    recipe.seconds = std::atof(argv[4]);
    if (argc > 5)
        recipe.swing = std::atof(argv[5]);
    if (argc > 6)
        recipe.introBars = std::atoi(argv[6]);
    if (argc > 7)
        recipe.pattern = std::atoi(argv[7]);
    if (argc > 8)
        recipe.seed = std::uint32_t(std::atol(argv[8]));
    if (argc > 9 && std::atoi(argv[9]) != 0) {
        recipe.orchestral = true;
        recipe.humaniseSeconds = 0.012;
        recipe.reverb = 0.3;
    }
    return PieceSynth::writeWav(QString::fromLocal8Bit(argv[1]), PieceSynth::render(recipe)) ? 0 : 1;
}
