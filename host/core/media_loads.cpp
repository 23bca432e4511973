// The host's loads of pictures and sounds: the file opened through the host's paths, then handed to the decoders of
// host/media. May run on worker threads, as the decoders may: they share only the path cache, filled on the main
// thread at start-up.
#include "host/core/glfw_game.h"
#include "host/media/decode_memory.h"
#include "host/media/image_decoder.h"
#include "host/media/sound_decoders.h"

unsigned char* KoGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  unsigned char* pixels = DecodePng(file, width, height, depth);
  std::fclose(file);
  return pixels;
}

unsigned char* KoGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  const SoundFormat sound = SoundFormatOf(path);
  if (sound == SoundFormat::Unknown) return nullptr;  // never opened
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  unsigned char* samples = DecodeSound(sound, file, length, channels, format, hertz);
  std::fclose(file);
  return samples;
}

// Ogg Vorbis is decoded as it plays; anything else whole first, then read in pieces.
std::unique_ptr<KoAudioStream> KoGlfwGame::OpenAudioStream(String path) {
  if (SoundFormatOf(path) != SoundFormat::Vorbis) return KoGame::OpenAudioStream(path);
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  KeepLargeBlocksMapped();  // the decoder's arena: given back whole when the tune stops
  return OpenOggStream(file);
}

std::unique_ptr<KoAudioStream> KoGame::OpenAudioStream(String path) {
  int frames = 0, channels = 0, bytesPerSample = 0, hertz = 0;
  unsigned char* samples = LoadAudioData(path, &frames, &channels, &bytesPerSample, &hertz);
  if (!samples) return nullptr;
  return OpenBlockStream(samples, frames, channels, bytesPerSample, hertz);
}
