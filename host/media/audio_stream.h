// KoAudioStream: a sound read a piece at a time, so that music can play while the rest of it is still to be
// decoded.
//
// A stream gives interleaved PCM: `channels` channels of `bytesPerSample` bytes each (1: unsigned 8-bit,
// 2: signed 16-bit native-endian), `hertz` frames a second. Read runs from the first frame to the last and,
// after Rewind, from the first again, giving the same frames every time. Read never writes more frames than
// asked, and returns 0 only at the end: for a stream damaged partway, where decoding can go no further, so
// that what plays is exactly what a whole decode of the file would give. Not for sharing between threads.
#pragma once

#include <cstdio>
#include <memory>

class KoAudioStream {
 public:
  KoAudioStream(int channels, int bytesPerSample, int hertz)
      : channels(channels), bytesPerSample(bytesPerSample), hertz(hertz) {}
  virtual ~KoAudioStream() = default;
  KoAudioStream(const KoAudioStream&) = delete;
  KoAudioStream& operator=(const KoAudioStream&) = delete;

  // Up to `frames` frames into `out` (room for frames x channels x bytesPerSample bytes); the frames written.
  virtual int Read(void* out, int frames) = 0;
  // Back to the first frame; false when the stream cannot go back.
  virtual bool Rewind() = 0;

  const int channels;
  const int bytesPerSample;
  const int hertz;  // frames per second
};

// A whole decoded block read in pieces; the stream frees the block (malloc'd) when it goes.
std::unique_ptr<KoAudioStream> OpenBlockStream(unsigned char* samples, int frames, int channels, int bytesPerSample,
                                               int hertz);

// An Ogg Vorbis stream decoded as it is read, 16-bit. The stream closes the file when it goes. Null, with the file
// closed, when the stream cannot be opened or the file breaks off before the stream's last page.
std::unique_ptr<KoAudioStream> OpenOggStream(std::FILE* file);
