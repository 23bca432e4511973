// Notes and arrangement of the in-round tune (see tune_score.h). Pure data.
#include "datagen/tune_score.h"

namespace datagen::tune {
namespace {

// Theme: a call up the A minor chord answered down from the top, four bars.
constexpr ScoreNote kThemeA[] = {
    {0, 2, 69}, {2, 2, 72}, {4, 4, 76}, {8, 2, 74}, {10, 2, 72}, {12, 4, 76},
    {16, 4, 77}, {20, 2, 76}, {22, 2, 72}, {24, 4, 69}, {28, 4, 72},
    {32, 4, 79}, {36, 2, 76}, {38, 2, 79}, {40, 4, 84}, {44, 2, 83}, {46, 2, 79},
    {48, 4, 74}, {52, 2, 71}, {54, 2, 74}, {56, 6, 79},
};

// Variation: higher and syncopated, ending on A to lead back to the top of the loop.
constexpr ScoreNote kThemeB[] = {
    {0, 3, 76}, {3, 3, 81}, {6, 2, 84}, {8, 2, 83}, {10, 2, 81}, {12, 4, 76},
    {16, 3, 77}, {19, 3, 81}, {22, 2, 84}, {24, 4, 86}, {28, 4, 84},
    {32, 3, 88}, {35, 3, 86}, {38, 2, 84}, {40, 4, 79}, {44, 2, 76}, {46, 2, 79},
    {48, 3, 83}, {51, 3, 86}, {54, 2, 83}, {56, 4, 79}, {60, 4, 81},
};

// Sections of the loop. Each section's last bar ends with a snare fill, except the breakdown, which
// drops the drums; the final section's fill leads back into bar 0.
struct Section {
  int firstBar, lastBar;
  bool kickEveryBeat, snare, arpeggio, bassDrive;
  int leadPhrase, leadShift;
};

constexpr Section kSections[] = {
    // bars    kick   snare  arp    drive  lead shift
    {0, 1, true, false, true, true, -1, 0},     // intro: kick, hats, bass and arpeggio
    {2, 7, true, true, true, true, -1, 0},      // the backbeat joins
    {8, 15, true, true, false, true, 0, 0},     // theme
    {16, 23, true, true, true, true, 1, 0},     // variation over the arpeggio
    {24, 27, false, false, true, false, 0, -12},  // breakdown: the theme an octave down over long bass notes
    {28, 29, true, false, true, true, 1, 0},    // build
    {30, 31, true, true, true, true, 1, 0},     // full again, rolling back to the top
};

struct Arrangement {
  BarPlan bars[kBars];
  Arrangement() {
    for (const Section& s : kSections) {
      for (int b = s.firstBar; b <= s.lastBar; ++b) {
        const bool fill = b == s.lastBar && s.snare && s.lastBar % 8 == 7;
        bars[b] = {b % 4, s.kickEveryBeat, s.snare, true, s.arpeggio, s.bassDrive, s.leadPhrase, s.leadShift, fill};
      }
    }
  }
};

const Arrangement kArrangement;

}  // namespace

const BarPlan& barPlan(int bar) { return kArrangement.bars[bar % kBars]; }

std::span<const ScoreNote> leadPhrase(int index) {
  if (index == 0) return kThemeA;
  return kThemeB;
}

int chordRoot(int chord) {
  constexpr int kRoots[4] = {45, 41, 48, 43};  // A2, F2, C3, G2
  return kRoots[chord & 3];
}

std::array<int, 3> chordTones(int chord) {
  constexpr std::array<int, 3> kTones[4] = {{57, 60, 64}, {57, 60, 65}, {60, 64, 67}, {59, 62, 67}};
  return kTones[chord & 3];
}

}  // namespace datagen::tune
