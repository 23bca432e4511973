// KoGlfwGame::LoadAudioData: a sound file into interleaved PCM, the decoder chosen by the path's extension.
// KoGlfwGame::OpenAudioStream: the same files as streams; Ogg Vorbis is decoded as it is read, anything else
// is decoded whole first.
//
// ".wav" (any case) is read as RIFF WAVE and ".ogg" as Ogg Vorbis; the extension alone decides, the content
// is never sniffed, and a path with any other extension gives null without the file being opened. A missing
// or undecodable file gives null (see sound_decoders.h for what each decoder accepts). May run on a worker
// thread: it touches only the file it opens, the collector's atomic external-bytes counter, and (once) the
// allocator's threshold for mapped blocks (decode_memory.h).
#include "host/audio_stream.h"
#include "host/decode_memory.h"
#include "host/glfw_game.h"
#include "host/sound_decoders.h"

namespace {

using Decoder = unsigned char* (*)(std::FILE*, int*, int*, int*, int*);

Decoder decoder_for(const String& path) {
  String lower = path.ToLower();
  if (lower.EndsWith(String(".wav"))) return LoadWAV;
  if (lower.EndsWith(String(".ogg"))) return LoadOGG;
  return nullptr;
}

}  // namespace

unsigned char* KoGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  Decoder decode = decoder_for(path);
  if (!decode) return nullptr;
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  KeepLargeBlocksMapped();
  unsigned char* samples = decode(file, length, channels, format, hertz);
  std::fclose(file);
  if (!samples) return nullptr;
  gc_ext_malloced(*length * *channels * *format);  // both decoders keep this under 2^31
  return samples;
}

std::unique_ptr<KoAudioStream> KoGlfwGame::OpenAudioStream(String path) {
  if (decoder_for(path) != LoadOGG) return KoGame::OpenAudioStream(path);
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  KeepLargeBlocksMapped();  // the decoder's arena: given back whole when the tune stops
  return OpenOggStream(file);
}
