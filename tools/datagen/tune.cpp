// Renders the score of tune_score.cpp to "sfx/testmusic.ogg": stereo, 44.1 kHz, 32 bars (about 55 s).
//
// Seamless loop: the piece is rendered into a ring of exactly the loop's length. A note or echo that rings
// past the last sample continues at the first one, just as it will when the game loops the music, so the
// end flows into the start with nothing cut off. Every voice rises from silence over a few milliseconds,
// so no note begins with a step either.
#include <algorithm>
#include <cmath>
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/ogg_file.h"
#include "datagen/synth.h"
#include "datagen/tune_score.h"

namespace datagen {
namespace {

using namespace synth;
using namespace tune;

constexpr size_t kLoopFrames = static_cast<size_t>(kBars) * kStepsPerBar * kSamplesPerStep;
constexpr float kStepSeconds = static_cast<float>(kSamplesPerStep) / kSampleRate;

// A stereo ring buffer as long as the loop.
struct Ring {
  std::vector<float> left = std::vector<float>(kLoopFrames, 0.0f);
  std::vector<float> right = std::vector<float>(kLoopFrames, 0.0f);
  void add(size_t frame, float sample, float pan) {  // pan −1 left .. 1 right
    const size_t i = frame % kLoopFrames;
    left[i] += sample * (1 - pan) * 0.5f;
    right[i] += sample * (1 + pan) * 0.5f;
  }
};

size_t stepFrame(int bar, int step) { return (static_cast<size_t>(bar) * kStepsPerBar + step) * kSamplesPerStep; }

void addBassNote(Ring& ring, size_t start, int note, float length) {
  const Envelope amp{0.004f, 0.12f, 0.7f, 0.03f};
  const double hz = midiToHz(static_cast<float>(note));
  LowPass filter;
  const size_t count = static_cast<size_t>(amp.duration(length) * kSampleRate);
  for (size_t k = 0; k < count; ++k) {
    const float t = static_cast<float>(k) / kSampleRate;
    const float raw = 0.6f * saw(hz * t) + 0.5f * sine(hz * t);
    const float bright = filter.process(raw, 300.0f + 1800.0f * std::exp(-t / 0.08f));
    ring.add(start + k, 0.42f * amp.at(t, length) * bright, 0.0f);
  }
}

void addLeadNote(Ring& ring, size_t start, int note, float length) {
  const Envelope amp{0.01f, 0.25f, 0.75f, 0.08f};
  const float hz = midiToHz(static_cast<float>(note));
  LowPass filter;
  double phaseA = 0, phaseB = 0;
  const size_t count = static_cast<size_t>(amp.duration(length) * kSampleRate);
  for (size_t k = 0; k < count; ++k) {
    const float t = static_cast<float>(k) / kSampleRate;
    const float vibrato = 1.0f + 0.006f * std::min(1.0f, std::max(0.0f, t - 0.15f) * 4) * std::sin(kTwoPi * 5.5f * t);
    phaseA += hz * vibrato / kSampleRate;
    phaseB += hz * 1.005f * vibrato / kSampleRate;  // a slightly sharp twin makes the lead shimmer
    const float raw = 0.5f * saw(phaseA) + 0.35f * pulse(phaseB, 0.4f);
    ring.add(start + k, 0.20f * amp.at(t, length) * filter.process(raw, 4200.0f), 0.0f);
  }
}

void addArpNote(Ring& ring, size_t start, int note, float pan) {
  const Envelope amp{0.003f, 0.05f, 0.0f, 0.02f};
  const double hz = midiToHz(static_cast<float>(note));
  const size_t count = static_cast<size_t>(amp.duration(kStepSeconds) * kSampleRate);
  for (size_t k = 0; k < count; ++k) {
    const float t = static_cast<float>(k) / kSampleRate;
    ring.add(start + k, 0.07f * amp.at(t, kStepSeconds) * pulse(hz * t, 0.25f), pan);
  }
}

enum class Drum { Kick, Snare, ClosedHat, OpenHat };

void addDrum(Ring& ring, size_t start, Drum drum, float level, Noise& noise) {
  float lastNoise = 0;
  const bool isHat = drum == Drum::ClosedHat || drum == Drum::OpenHat;
  const float length = drum == Drum::ClosedHat ? 0.05f : drum == Drum::OpenHat ? 0.18f : 0.35f;  // s
  const size_t count = static_cast<size_t>(length * kSampleRate);
  for (size_t k = 0; k < count; ++k) {
    const float t = static_cast<float>(k) / kSampleRate;
    const float s = drum == Drum::Kick ? kick(t) : drum == Drum::Snare ? snare(t, noise) : hat(t, length, noise, lastNoise);
    ring.add(start + k, level * s, isHat ? 0.3f : 0.0f);  // hats a little to the right, as on a kit
  }
}

void renderDrums(Ring& ring, int bar, const BarPlan& plan, Noise& noise) {
  for (int beat = 0; beat < 4; ++beat) {
    if (plan.kickEveryBeat) addDrum(ring, stepFrame(bar, beat * 4), Drum::Kick, 0.9f, noise);
    if (plan.snare && beat % 2 == 1) addDrum(ring, stepFrame(bar, beat * 4), Drum::Snare, 0.5f, noise);
    if (plan.hats) {
      addDrum(ring, stepFrame(bar, beat * 4), Drum::ClosedHat, 0.25f, noise);
      addDrum(ring, stepFrame(bar, beat * 4 + 2), Drum::OpenHat, 0.22f, noise);  // open hat on the off-beat
    }
  }
  if (plan.fill) {
    for (int step = 12; step < 16; ++step) addDrum(ring, stepFrame(bar, step), Drum::Snare, 0.3f + 0.07f * (step - 12), noise);
  }
}

void renderBass(Ring& ring, int bar, const BarPlan& plan) {
  const int root = chordRoot(plan.chord);
  if (!plan.bassDrive) {
    addBassNote(ring, stepFrame(bar, 0), root, kStepSeconds * 15);
    return;
  }
  constexpr int kOctaveUp[8] = {0, 0, 1, 0, 0, 1, 0, 1};  // which eighths jump an octave
  for (int eighth = 0; eighth < 8; ++eighth) {
    addBassNote(ring, stepFrame(bar, eighth * 2), root + 12 * kOctaveUp[eighth], kStepSeconds * 1.6f);
  }
}

void renderArpeggio(Ring& ring, int bar, const BarPlan& plan) {
  const std::array<int, 3> tones = chordTones(plan.chord);
  constexpr int kOrder[4] = {0, 1, 2, 1};
  for (int step = 0; step < kStepsPerBar; ++step) {
    const int note = tones[kOrder[step % 4]] + (step >= 8 ? 12 : 0);
    addArpNote(ring, stepFrame(bar, step), note, step % 2 ? 0.5f : -0.5f);
  }
}

void renderLead(Ring& lead, int bar, const BarPlan& plan) {
  if (plan.leadPhrase < 0) return;
  const int phraseBar = bar % 4;
  for (const ScoreNote& n : leadPhrase(plan.leadPhrase)) {
    if (n.step / kStepsPerBar != phraseBar) continue;
    const size_t start = stepFrame(bar, n.step % kStepsPerBar);
    addLeadNote(lead, start, n.note + plan.leadShift, kStepSeconds * n.length * 0.9f);
  }
}

// Echo of the lead three sixteenths later, alternating sides, read around the ring so it wraps too.
void mixLeadWithEcho(const Ring& lead, Ring& mix) {
  const size_t delay = 3 * kSamplesPerStep;
  for (size_t i = 0; i < kLoopFrames; ++i) {
    const size_t once = (i + kLoopFrames - delay) % kLoopFrames, twice = (i + kLoopFrames - 2 * delay) % kLoopFrames;
    mix.left[i] += lead.left[i] + 0.30f * lead.right[once] + 0.12f * lead.left[twice];
    mix.right[i] += lead.right[i] + 0.30f * lead.left[once] + 0.12f * lead.right[twice];
  }
}

std::vector<float> renderTune() {
  Ring mix, lead;
  Noise noise(140);
  for (int bar = 0; bar < kBars; ++bar) {
    const BarPlan& plan = barPlan(bar);
    renderDrums(mix, bar, plan, noise);
    renderBass(mix, bar, plan);
    if (plan.arpeggio) renderArpeggio(mix, bar, plan);
    renderLead(lead, bar, plan);
  }
  mixLeadWithEcho(lead, mix);
  std::vector<float> interleaved(kLoopFrames * 2);
  for (size_t i = 0; i < kLoopFrames; ++i) {  // gentle saturation keeps peaks below full scale
    interleaved[2 * i] = 0.9f * std::tanh(mix.left[i]);
    interleaved[2 * i + 1] = 0.9f * std::tanh(mix.right[i]);
  }
  return interleaved;
}

}  // namespace

bool writeTune(const std::string& dataFolder) {
  return writeOggVorbis(dataFolder + "/sfx/testmusic.ogg", renderTune(), 2, kSampleRate);
}

}  // namespace datagen
