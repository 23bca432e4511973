// OggStream: an Ogg Vorbis stream decoded a piece at a time into 16-bit interleaved samples; the one Ogg
// decoder behind both the whole-file LoadOGG and the music streams.
//
// Opening checks, before anything is decoded, that the file ends with a whole page marked as the stream's last:
// a file cut short in a copy or a download counts as damaged, instead of playing or looping a part of the tune.
// All of the library's memory sits in one arena owned by the stream, because the library leaks what it had
// allocated itself when it gives up on a damaged header. Reentrant: each stream's state is its own.
#pragma once

#include <cstdio>
#include <memory>

#include "host/media/audio_stream.h"

struct stb_vorbis;

class OggStream : public KoAudioStream {
 public:
  // Reads from the file's current position. The file stays the caller's unless `closesFile`, in which case the
  // stream closes it when it goes, or at once when opening fails. Null when the stream cannot be opened, its
  // header describes no sound we can take, or the file breaks off before the last page.
  static std::unique_ptr<OggStream> Open(std::FILE* file, bool closesFile);
  ~OggStream() override;

  int Read(void* out, int frames) override;
  bool Rewind() override;

 private:
  OggStream(stb_vorbis* decoder, std::unique_ptr<char[]> arena, int channels, int hertz, std::FILE* ownedFile);

  stb_vorbis* decoder_;
  std::unique_ptr<char[]> arena_;  // every byte the decoder allocates
  std::FILE* ownedFile_;           // closed with the stream; null when the caller keeps the file
};
