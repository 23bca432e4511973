// Sound building blocks shared by the effects and the tune: oscillators, envelopes, a seeded noise source,
// simple filters and the drum voices. Time is in seconds, frequency in Hz, levels in −1..1. The noise source
// is a fixed-seed generator, so every render is identical.
#pragma once

#include <cstdint>

namespace datagen::synth {

constexpr int kSampleRate = 44100;  // Hz, for every sound we make
constexpr float kTwoPi = 6.2831853f;

float midiToHz(float note);

// Oscillators over a phase counted in cycles (only the fractional part matters).
float sine(double phase);
float saw(double phase);
float pulse(double phase, float duty);
float triangle(double phase);

// Level of a note at time t: linear attack, exponential decay toward sustain, linear release after
// `length` seconds. Never jumps, so notes start and stop without clicks.
struct Envelope {
  float attack = 0.003f;   // s
  float decay = 0.1f;      // s, time constant
  float sustain = 0.6f;    // level
  float release = 0.05f;   // s
  float at(float t, float length) const;
  float duration(float length) const { return length + release; }
};

class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  float next();  // white noise, −1..1
 private:
  uint32_t state_;
};

// One-pole low-pass; cutoff may change per sample.
class LowPass {
 public:
  float process(float in, float cutoffHz);
 private:
  float state_ = 0;
};

// Drum voices: the sample at time t after the hit, silence after their length.
float kick(float t);
float snare(float t, Noise& noise);
float hat(float t, float length, Noise& noise, float& lastNoise);

}  // namespace datagen::synth
