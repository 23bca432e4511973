// The score of the in-round tune: 32 bars of 4/4 at 140 beats per minute in A minor over the loop
// Am – F – C – G, one chord per bar. Bar 31 leads back into bar 0, so the piece loops without a seam.
// The data lives in tune_score.cpp; tune.cpp turns it into sound.
#pragma once

#include <array>
#include <span>

namespace datagen::tune {

constexpr int kBars = 32;
constexpr int kStepsPerBar = 16;        // sixteenth notes
constexpr int kSamplesPerStep = 4725;   // 44100 Hz × 60 s / 140 beats / 4 steps: a whole number, so no drift

struct ScoreNote {
  int step;    // sixteenths from the start of the four-bar phrase
  int length;  // sixteenths
  int note;    // MIDI note number
};

// What plays in one bar.
struct BarPlan {
  int chord;        // 0 Am, 1 F, 2 C, 3 G
  bool kickEveryBeat;
  bool snare;       // backbeat on 2 and 4
  bool hats;
  bool arpeggio;
  bool bassDrive;   // eighth-note octaves; otherwise one long note per bar
  int leadPhrase;   // −1: no lead
  int leadShift;    // semitones added to the phrase
  bool fill;        // snare roll in the last beat
};

const BarPlan& barPlan(int bar);
std::span<const ScoreNote> leadPhrase(int index);
int chordRoot(int chord);                     // MIDI note of the bass root
std::array<int, 3> chordTones(int chord);     // MIDI notes for the arpeggio, around middle C

}  // namespace datagen::tune
