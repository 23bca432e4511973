// The sound effects, mono 16-bit at 44.1 kHz, each rendered from code:
//   sfx/001.wav  play: a laser zap falling in pitch
//   sfx/095.wav  play: a burst, noise over a low thump
//   sfx/096.wav  the logo jingle: a bright rising arpeggio with a sparkle on top
//   sfx/098.wav  confirm / back: two quick rising blips
//   sfx/099.wav  menu tick: a very short high click
// Every effect starts and ends at silence (envelopes never jump) and peaks below full scale.
#include <algorithm>
#include <cmath>
#include <vector>

#include "datagen/catalogue.h"
#include "datagen/synth.h"
#include "datagen/wav_file.h"

namespace datagen {
namespace {

using namespace synth;

std::vector<float> silence(float seconds) { return std::vector<float>(static_cast<size_t>(seconds * kSampleRate), 0.0f); }
float timeOf(size_t i) { return static_cast<float>(i) / kSampleRate; }

std::vector<float> laserZap() {
  std::vector<float> out = silence(0.22f);
  const Envelope env{0.002f, 0.06f, 0.0f, 0.02f};
  double phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    phase += (1400.0f * std::exp(-t / 0.06f) + 180.0f) / kSampleRate;
    out[i] = 0.45f * env.at(t, 0.2f) * (0.6f * pulse(phase, 0.3f) + 0.4f * sine(phase * 0.5));
  }
  return out;
}

std::vector<float> burst() {
  std::vector<float> out = silence(0.6f);
  Noise noise(95);
  LowPass filter;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    const float rumble = filter.process(noise.next(), 3000.0f * std::exp(-t / 0.12f) + 150.0f);
    const float fade = std::min(1.0f, t / 0.002f) * std::min(1.0f, (0.6f - t) / 0.05f);
    out[i] = fade * (0.9f * rumble * std::exp(-t / 0.18f) + 0.5f * kick(t));
  }
  return out;
}

// Adds a bright note (two detuned pulses and a sine octave) starting at `start` seconds.
void addBell(std::vector<float>& out, float start, float note, float length, float level) {
  const Envelope env{0.004f, 0.15f, 0.35f, 0.12f};
  const float hz = midiToHz(note);
  const size_t first = static_cast<size_t>(start * kSampleRate);
  const size_t count = static_cast<size_t>(env.duration(length) * kSampleRate);
  for (size_t k = 0; k < count && first + k < out.size(); ++k) {
    const float t = timeOf(k);
    const double phase = static_cast<double>(hz) * t;
    const float tone = 0.4f * pulse(phase, 0.25f) + 0.3f * pulse(phase * 1.004, 0.5f) + 0.3f * sine(phase * 2);
    out[first + k] += level * env.at(t, length) * tone;
  }
}

std::vector<float> logoJingle() {
  std::vector<float> out = silence(1.3f);  // the last notes have died away by 0.9 s
  const float notes[5] = {72, 76, 79, 84, 88};  // C major, climbing two octaves
  for (int i = 0; i < 5; ++i) addBell(out, 0.07f * i, notes[i], i == 4 ? 0.5f : 0.12f, 0.22f);
  addBell(out, 0.35f, 91, 0.4f, 0.10f);  // the sparkle a fifth above the top note
  return out;
}

std::vector<float> confirmBlip() {
  std::vector<float> out = silence(0.24f);  // the second blip's release ends at 0.22 s
  addBell(out, 0.0f, 79, 0.04f, 0.3f);
  addBell(out, 0.05f, 84, 0.05f, 0.3f);
  return out;
}

std::vector<float> menuTick() {
  std::vector<float> out = silence(0.03f);
  const Envelope env{0.0008f, 0.006f, 0.0f, 0.004f};
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = timeOf(i);
    out[i] = 0.5f * env.at(t, 0.02f) * triangle(2200.0 * t);
  }
  return out;
}

}  // namespace

bool writeSoundEffects(const std::string& dataFolder) {
  const std::string sfx = dataFolder + "/sfx/";
  return writeWav16(sfx + "001.wav", laserZap(), 1, kSampleRate) &&
         writeWav16(sfx + "095.wav", burst(), 1, kSampleRate) &&
         writeWav16(sfx + "096.wav", logoJingle(), 1, kSampleRate) &&
         writeWav16(sfx + "098.wav", confirmBlip(), 1, kSampleRate) &&
         writeWav16(sfx + "099.wav", menuTick(), 1, kSampleRate);
}

}  // namespace datagen
