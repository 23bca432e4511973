// EncodeVorbisTone: the reference encoder's usual sequence (headers, analysis in blocks, page output),
// collecting the pages in memory.
#include "tests/host/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// The reference encoder leaks one block when it is set up for six channels (in vorbis_encode_setup_init);
// the leak checker is told to look away while it runs, so that it still catches leaks of the decoders.
struct IgnoreEncoderLeaks {
#if defined(__SANITIZE_ADDRESS__)
  IgnoreEncoderLeaks() { __lsan_disable(); }
  ~IgnoreEncoderLeaks() { __lsan_enable(); }
#endif
};

constexpr int kBlockFrames = 1024;  // frames handed to the encoder at a time

struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  std::string out;

  Encoder(int channels, int hertz) {
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, hertz, 0.3f) != 0) throw std::runtime_error("vorbis_encode_init");
    vorbis_comment_init(&comment);
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_init(&stream, 1);
    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) append(page);  // audio starts on a page of its own
  }
  ~Encoder() {
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }

  void append(const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
  }

  // Encodes what the analysis buffer holds and appends every finished page.
  void drain() {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page)) append(page);
      }
    }
  }
};

}  // namespace

std::string EncodeVorbisTone(int channels, int hertz, int frames) {
  [[maybe_unused]] IgnoreEncoderLeaks ignore;
  Encoder encoder(channels, hertz);
  for (int done = 0; done < frames;) {
    int count = std::min(kBlockFrames, frames - done);
    float** buffer = vorbis_analysis_buffer(&encoder.dsp, count);
    for (int i = 0; i < count; ++i) {
      float sample = 0.5f * std::sin(2 * 3.14159265f * 440 * static_cast<float>(done + i) / static_cast<float>(hertz));
      for (int c = 0; c < channels; ++c) buffer[c][i] = sample;
    }
    vorbis_analysis_wrote(&encoder.dsp, count);
    encoder.drain();
    done += count;
  }
  vorbis_analysis_wrote(&encoder.dsp, 0);  // end of stream
  encoder.drain();
  ogg_page page;
  while (ogg_stream_flush(&encoder.stream, &page)) encoder.append(page);
  return encoder.out;
}
