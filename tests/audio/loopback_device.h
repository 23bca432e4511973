// The audio device on an OpenAL Soft loopback device: nothing is mixed until Render is called, so sounds advance
// exactly as far as the caller says, the same on every run. One device per process: buffer and source names of
// different devices must never meet in the device's discarded-buffer list. Used by the audio tests and by benches.
#pragma once

#include <vector>

#include "gxtk/audio.h"

struct StereoFrame {
  float left, right;
};

class LoopbackAudio : public gxtkAudio {
 public:
  static constexpr int kHertz = 44100;  // output frames per second

  static LoopbackAudio* Get();                     // opened on first use
  std::vector<StereoFrame> Render(float seconds);  // mixes the next `seconds` of output
  // The same with a music top-up before every sixtieth of a second, as the game's updates give it.
  std::vector<StereoFrame> Play(float seconds);

 private:
  using gxtkAudio::gxtkAudio;
};
