// The block stream: a whole decode read in pieces, for sounds that cannot be decoded as they play.
#include "host/media/audio_stream.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

class BlockStream : public KoAudioStream {
 public:
  BlockStream(unsigned char* samples, int frames, int channels, int bytesPerSample, int hertz)
      : KoAudioStream(channels, bytesPerSample, hertz), samples_(samples), frames_(frames) {}
  ~BlockStream() override { std::free(samples_); }

  int Read(void* out, int frames) override {
    int count = std::max(std::min(frames, frames_ - position_), 0);
    std::size_t frameBytes = static_cast<std::size_t>(channels) * bytesPerSample;
    std::memcpy(out, samples_ + position_ * frameBytes, count * frameBytes);
    position_ += count;
    return count;
  }
  bool Rewind() override {
    position_ = 0;
    return true;
  }

 private:
  unsigned char* samples_;
  int frames_;
  int position_ = 0;  // the next frame to read
};

}  // namespace

std::unique_ptr<KoAudioStream> OpenBlockStream(unsigned char* samples, int frames, int channels, int bytesPerSample,
                                               int hertz) {
  return std::make_unique<BlockStream>(samples, frames, channels, bytesPerSample, hertz);
}
