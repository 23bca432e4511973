// A host whose sound files are synthesised tones, keyed by path: what LoadAudioData returns for each path is
// known exactly, so tests can check what was really played. Real Ogg Vorbis files can be given too, held in
// memory: those stream through the host's own Ogg decoder, as music on the desktop does.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/core/game.h"

struct Tone {
  float frequency = 440;  // hertz
  float seconds = 0.25f;
  int channels = 1;
  int bytesPerSample = 2;  // 3: 24-bit PCM, which OpenAL cannot take
  int hertz = 22050;       // sample rate
  float amplitude = 0.5f;  // of full scale
};

class ToneHost : public KoGame {
 public:
  std::map<std::string, Tone> files;
  std::map<std::string, std::string> oggFiles;  // path -> the file's bytes
  std::vector<std::string> requested;           // every path asked for, in order

  unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) override;
  std::unique_ptr<KoAudioStream> OpenAudioStream(String path) override;
};
