// SoundFormatOf and DecodeSound: a sound file into interleaved PCM, the decoder chosen by the path's extension.
//
// ".wav" (any case) is read as RIFF WAVE and ".ogg" as Ogg Vorbis; the extension alone decides, the content
// is never sniffed, and a path with any other extension is Unknown, so its file need not be opened. A missing
// or undecodable file gives null (see sound_decoders.h for what each decoder accepts). May run on a worker
// thread: it touches only the file it is given, the collector's atomic external-bytes counter, and (once) the
// allocator's threshold for mapped blocks (decode_memory.h).
#include "host/media/decode_memory.h"
#include "host/media/sound_decoders.h"
#include "runtime/gc.h"

SoundFormat SoundFormatOf(const String& path) {
  String lower = path.ToLower();
  if (lower.EndsWith(String(".wav"))) return SoundFormat::Wave;
  if (lower.EndsWith(String(".ogg"))) return SoundFormat::Vorbis;
  return SoundFormat::Unknown;
}

unsigned char* DecodeSound(SoundFormat format, std::FILE* file, int* length, int* channels, int* bytesPerSample,
                           int* hertz) {
  if (format == SoundFormat::Unknown) return nullptr;
  KeepLargeBlocksMapped();
  unsigned char* samples = format == SoundFormat::Wave ? LoadWAV(file, length, channels, bytesPerSample, hertz)
                                                       : LoadOGG(file, length, channels, bytesPerSample, hertz);
  if (!samples) return nullptr;
  gc_ext_malloced(*length * *channels * *bytesPerSample);  // both decoders keep this under 2^31
  return samples;
}
