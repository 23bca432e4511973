// Ogg Vorbis writer (see ogg_file.h): variable bit rate at quality 0.5, fed in blocks of 4096 frames.
#include "datagen/ogg_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <vorbis/vorbisenc.h>

#include "artkit/canvas.h"

namespace datagen {
namespace {

constexpr int kStreamSerial = 0x51525a4c;  // any fixed number: a random one would change the bytes each run
constexpr int kBlockFrames = 4096;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

bool writePages(ogg_stream_state& stream, FILE* file, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    if (std::fwrite(page.header, 1, page.header_len, file) != static_cast<size_t>(page.header_len)) return false;
    if (std::fwrite(page.body, 1, page.body_len, file) != static_cast<size_t>(page.body_len)) return false;
  }
  return true;
}

// Hands analysed blocks to the stream and writes every page that fills.
bool drainEncoder(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, FILE* file) {
  ogg_packet packet;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&stream, &packet);
      if (!writePages(stream, file, false)) return false;
    }
  }
  return true;
}

bool encode(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, FILE* file,
            const std::vector<float>& interleaved, int channels) {
  const size_t frames = interleaved.size() / channels;
  for (size_t done = 0; done < frames; done += kBlockFrames) {
    const int count = static_cast<int>(std::min<size_t>(kBlockFrames, frames - done));
    float** buffer = vorbis_analysis_buffer(&dsp, count);
    for (int i = 0; i < count; ++i) {
      for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(done + i) * channels + c];
    }
    vorbis_analysis_wrote(&dsp, count);
    if (!drainEncoder(dsp, block, stream, file)) return false;
  }
  vorbis_analysis_wrote(&dsp, 0);  // end of stream: the last page records the exact length
  return drainEncoder(dsp, block, stream, file) && writePages(stream, file, true);
}

}  // namespace

bool writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels, int sampleRate) {
  if (!artkit::makeParentFolders(path)) return false;
  File file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) return false;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, sampleRate, 0.5f) != 0) return false;
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, kStreamSerial);
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  bool ok = writePages(stream, file.get(), true);  // headers get pages of their own
  ok = ok && encode(dsp, block, stream, file.get(), interleaved, channels);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return ok;
}

}  // namespace datagen
