// Oscillators, envelopes, noise, filter and drums (see synth.h).
#include "datagen/synth.h"

#include <algorithm>
#include <cmath>

namespace datagen::synth {

float midiToHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

static float fraction(double phase) { return static_cast<float>(phase - std::floor(phase)); }

float sine(double phase) { return std::sin(kTwoPi * fraction(phase)); }
float saw(double phase) { return 2.0f * fraction(phase) - 1.0f; }
float pulse(double phase, float duty) { return fraction(phase) < duty ? 1.0f : -1.0f; }
float triangle(double phase) { return 1.0f - 4.0f * std::fabs(fraction(phase) - 0.5f); }

float Envelope::at(float t, float length) const {
  if (t < 0) return 0;
  const float rise = std::min(1.0f, t / attack);
  const float held = sustain + (1 - sustain) * std::exp(-std::max(0.0f, t - attack) / decay);
  if (t < length) return rise * held;
  const float atRelease = std::min(1.0f, length / attack) *
                          (sustain + (1 - sustain) * std::exp(-std::max(0.0f, length - attack) / decay));
  return std::max(0.0f, atRelease * (1 - (t - length) / release));
}

float Noise::next() {
  state_ ^= state_ << 13, state_ ^= state_ >> 17, state_ ^= state_ << 5;
  return static_cast<float>(state_ & 0xffff) / 32767.5f - 1.0f;
}

float LowPass::process(float in, float cutoffHz) {
  const float k = 1.0f - std::exp(-kTwoPi * cutoffHz / kSampleRate);
  state_ += k * (in - state_);
  return state_;
}

float kick(float t) {
  if (t < 0 || t > 0.35f) return 0;
  // Pitch falls from 150 Hz to 45 Hz; the phase is the integral of that sweep.
  const float sweep = 0.04f;  // s
  const float phase = 45.0f * t + (150.0f - 45.0f) * sweep * (1 - std::exp(-t / sweep));
  const float attack = std::min(1.0f, t / 0.001f);
  const float fadeOut = std::min(1.0f, (0.35f - t) / 0.02f);
  return attack * fadeOut * std::exp(-t / 0.12f) * std::sin(kTwoPi * phase);
}

float snare(float t, Noise& noise) {
  if (t < 0 || t > 0.3f) return 0;
  const float attack = std::min(1.0f, t / 0.001f), fadeOut = std::min(1.0f, (0.3f - t) / 0.02f);
  const float tone = std::sin(kTwoPi * 190.0f * t) * std::exp(-t / 0.05f);
  return attack * fadeOut * (0.45f * tone + 0.6f * noise.next() * std::exp(-t / 0.07f));
}

float hat(float t, float length, Noise& noise, float& lastNoise) {
  if (t < 0 || t > length) return 0;
  const float white = noise.next();
  const float bright = white - lastNoise;  // first difference: keeps only the hiss
  lastNoise = white;
  const float attack = std::min(1.0f, t / 0.0005f), fadeOut = std::min(1.0f, (length - t) / 0.005f);
  return attack * fadeOut * 0.5f * bright * std::exp(-t / (length * 0.3f));
}

}  // namespace datagen::synth
