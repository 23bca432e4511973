// The image files of the data folder: names, frame sizes (factor-1 pixels), frame counts and the number of
// columns each is laid out in. Grids are chosen so the files stay near square, except where the game relies
// on the arrangement: the pad's arrows sit around its centre frame in a four-column grid, and the font keeps
// one row per sixteen codes.
#include "datagen/catalogue.h"

namespace datagen {

static const ArtEntry kCatalogue[] = {
    {{"nme", 36, 36, 49, 7}, paintEnemies},  // row = enemy type, column = level − 1
    {{"parts", 8, 8, 256, 16}, paintParticles},
    {{"common/icons", 32, 32, 16, 4}, paintIcons},
    {{"common/Buttons", 64, 64, 16, 4}, paintButtons},
    {{"common/dpad", 32, 32, 16, 4}, paintDpad},
    {{"common/circle", 256, 256, 4, 2}, paintCircles},
    {{"common/light", 32, 32, 4, 2}, paintLights},
    {{"common/BrixLogo", 256, 256, 1, 1}, paintStudioLogo},
    {{"logo", 256, 128, 1, 1}, paintTitle},
    {{"menu", 256, 256, 4, 2}, paintMenuDecor},
    {{"BadgesA", 64, 64, 64, 8}, paintBadges},
    {{"fonts/shadow_editundo", 16, 16, 128, 16}, paintGameFont},
};

std::span<const ArtEntry> artCatalogue() { return kCatalogue; }

}  // namespace datagen
