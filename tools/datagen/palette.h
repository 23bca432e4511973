// The neon palette every picture draws from, and the ink presets that give strokes their glow.
// Keeping it in one place keeps the enemy colours, the menu and the icons one family.
#pragma once

#include "artkit/paint.h"

namespace datagen::palette {

inline constexpr artkit::Rgba kCyan{0.10f, 0.90f, 1.00f, 1};
inline constexpr artkit::Rgba kMagenta{1.00f, 0.20f, 0.80f, 1};
inline constexpr artkit::Rgba kYellow{1.00f, 0.92f, 0.20f, 1};
inline constexpr artkit::Rgba kOrange{1.00f, 0.55f, 0.10f, 1};
inline constexpr artkit::Rgba kGreen{0.30f, 1.00f, 0.35f, 1};
inline constexpr artkit::Rgba kRed{1.00f, 0.20f, 0.25f, 1};
inline constexpr artkit::Rgba kViolet{0.62f, 0.35f, 1.00f, 1};
inline constexpr artkit::Rgba kBlue{0.25f, 0.50f, 1.00f, 1};
inline constexpr artkit::Rgba kWhite{1, 1, 1, 1};
inline constexpr artkit::Rgba kNight{0.02f, 0.03f, 0.10f, 1};  // the dark of panels and plates

// A neon line: the colour, a soft halo of `glow` design units and a core pushed toward white.
inline artkit::Ink neon(artkit::Rgba colour, float glow = 2.5f, float hot = 0.45f) {
  return artkit::Ink{colour, glow, 0.6f, hot, artkit::Blend::Over};
}
// A flat fill without glow.
inline artkit::Ink flat(artkit::Rgba colour) { return artkit::Ink{colour, 0, 0, 0, artkit::Blend::Over}; }
// A darkened, see-through body under a neon outline.
inline artkit::Ink body(artkit::Rgba colour, float alpha = 0.55f) {
  return flat({colour.r * 0.22f, colour.g * 0.22f, colour.b * 0.22f, alpha});
}

}  // namespace datagen::palette
