// Everything the generator writes: the image catalogue with each file's frame grid and painter, and the
// entry points of the files that are not frame atlases (and of the program's icon). Declarations are grouped by
// the file defining them.
#pragma once

#include <span>
#include <string>

#include "datagen/atlas.h"

namespace datagen {

using Painter = void (*)(Atlas&);
struct ArtEntry {
  AtlasLayout layout;
  Painter paint;
};

// catalogue.cpp: every atlas, painted at factors 1, 2 and 4.
std::span<const ArtEntry> artCatalogue();

// art_enemies.cpp
void paintEnemies(Atlas& atlas);
// art_particles.cpp
void paintParticles(Atlas& atlas);
// art_controls.cpp
void paintIcons(Atlas& atlas);
void paintDpad(Atlas& atlas);
// art_dial.cpp
void paintButtons(Atlas& atlas);
void paintCircles(Atlas& atlas);
void paintLights(Atlas& atlas);
// art_brand.cpp
void paintStudioLogo(Atlas& atlas);
void paintTitle(Atlas& atlas);
void paintMenuDecor(Atlas& atlas);
// art_badges.cpp
void paintBadges(Atlas& atlas);
// font_game.cpp
void paintGameFont(Atlas& atlas);
// font_icons.cpp: the controller and key icons of the game font.
void paintFontIcons(Atlas& atlas);
// font_default.cpp: the framework's font strip, one resolution only.
bool writeDefaultFont(const std::string& dataFolder);
// sfx.cpp: the WAV effects.
bool writeSoundEffects(const std::string& dataFolder);
// tune.cpp: the in-round music.
bool writeTune(const std::string& dataFolder);
// art_icon.cpp: the program's icon at each size of the hicolor theme, outside the data folder.
bool writeIcons(const std::string& iconFolder);

}  // namespace datagen
