// The host's decoders on small real files made here: WAVE layouts, hostile WAVE headers and every truncation
// of a valid WAVE, the extension rule, Ogg Vorbis, PNG, the external-bytes counter, and WAVE decoding on
// several threads at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <ostream>
#include <random>
#include <thread>
#include <vector>

#include "stb_image.h"
#include "stb_image_write.h"

#include "host/core/glfw_game.h"
#include "host/media/sound_decoders.h"
#include "tests/host/ogg_encoder.h"
#include "tests/host/temp_dir.h"
#include "tests/host/wav_writer.h"

using namespace wav;
using namespace std::string_literals;

namespace {

struct Sound {
  int length, channels, format, hertz;
  std::string bytes;  // the first length x channels x format bytes of the result
  bool operator==(const Sound&) const = default;
};

void PrintTo(const Sound& sound, std::ostream* out) {
  *out << "{length " << sound.length << ", channels " << sound.channels << ", format " << sound.format << ", hertz "
       << sound.hertz << ", " << sound.bytes.size() << " bytes}";
}

struct Image {
  int width, height, depth;
  std::string pixels;
  bool operator==(const Image&) const = default;
};

void PrintTo(const Image& image, std::ostream* out) {
  *out << "{" << image.width << "x" << image.height << " depth " << image.depth << "}";
}

// The host, counting the files its loaders open.
class CountingGame : public KoGlfwGame {
 public:
  int opened = 0;
  std::FILE* OpenFile(String path, String mode) override {
    ++opened;
    return KoGlfwGame::OpenFile(path, mode);
  }
};

String ToPath(const std::string& path) { return String::FromUtf8(path.data(), static_cast<int>(path.size())); }

std::optional<Sound> LoadSound(KoGame& game, const std::string& path) {
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* samples = game.LoadAudioData(ToPath(path), &length, &channels, &format, &hertz);
  if (!samples) return std::nullopt;
  Sound sound{length, channels, format, hertz,
              std::string(reinterpret_cast<char*>(samples), static_cast<std::size_t>(length * channels * format))};
  std::free(samples);
  return sound;
}

std::optional<Image> LoadImage(KoGame& game, const std::string& path) {
  int width = 0, height = 0, depth = 0;
  unsigned char* pixels = game.LoadImageData(ToPath(path), &width, &height, &depth);
  if (!pixels) return std::nullopt;
  Image image{width, height, depth,
              std::string(reinterpret_cast<char*>(pixels), static_cast<std::size_t>(width * height * depth))};
  std::free(pixels);
  return image;
}

std::string EncodePng(const Image& image) {
  std::string png;
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<char*>(data), static_cast<std::size_t>(size));
  };
  stbi_write_png_to_func(append, &png, image.width, image.height, image.depth, image.pixels.data(),
                         image.width * image.depth);
  return png;
}

std::string Garbage(std::size_t bytes, unsigned seed) {
  std::mt19937 random(seed);
  std::string noise(bytes, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  return noise;
}

const std::string kStereo16 = FmtBody({.channels = 2});
const Sound kStereo16Sound{1000, 2, 2, 22050, Samples(4000)};

class Decoding : public ::testing::Test {
 protected:
  TempDir dir;
  CountingGame game;
};

// ---------------------------------------------------------------------------------------------------------
// WAVE

TEST_F(Decoding, WaveLayoutsThatDecode) {
  struct Case {
    const char* label;
    const char* name;
    std::string file;
    Sound expected;
  } cases[] = {
      {"16-bit stereo, 4000 data bytes", "a.wav", RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"upper-case extension", "b.WAV", RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"18-byte fmt chunk", "c.wav",
       RiffWave(Chunk("fmt ", FmtBody({.channels = 2, .extra = "\x16\x00"s})) + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"LIST chunk before data", "d.wav",
       RiffWave(Chunk("fmt ", kStereo16) + Chunk("LIST", "INFOISFT\x06\0\0\0quartz"s) + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"odd-sized LIST chunk with its pad byte", "d2.wav",
       RiffWave(Chunk("fmt ", kStereo16) + Chunk("LIST", "INFOISFT\x05\0\0\0quarz"s) + "\0"s + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"odd-sized LIST chunk without a pad byte", "d3.wav",
       RiffWave(Chunk("fmt ", kStereo16) + Chunk("LIST", "INFOISFT\x05\0\0\0quarz"s) + Chunk("data", Samples(4000))),
       kStereo16Sound},
      {"8-bit mono at 11025 Hz", "e.wav",
       RiffWave(Chunk("fmt ", FmtBody({.hertz = 11025, .bits = 8})) + Chunk("data", Samples(300))),
       {300, 1, 1, 11025, Samples(300)}},
      {"24-bit stereo", "f.wav", RiffWave(Chunk("fmt ", FmtBody({.channels = 2, .bits = 24})) + Chunk("data", Samples(600))),
       {100, 2, 3, 22050, Samples(600)}},
      {"a partial last frame is not counted", "g.wav",
       RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4003))), kStereo16Sound},
      {"chunks after data are not read", "h.wav",
       RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4000)) + ChunkClaiming("LIST", 0x7FFFFFFF, "")),
       kStereo16Sound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LoadSound(game, dir.Write(c.name, c.file)), c.expected);
  }
}

TEST_F(Decoding, MalformedAndHostileWavesGiveNull) {
  const std::string data = Chunk("data", Samples(4000));
  struct Case {
    const char* label;
    std::string file;
  } cases[] = {
      {"empty file", ""},
      {"RIFF header only", "RIFF" + Le32(4) + "WAVE"},
      {"not RIFF", "RIFX" + RiffWave(Chunk("fmt ", kStereo16) + data).substr(4)},
      {"not WAVE", "RIFF" + Le32(0) + "AVI " + Chunk("fmt ", kStereo16) + data},
      {"fmt chunk not first", RiffWave(Chunk("LIST", "INFO") + Chunk("fmt ", kStereo16) + data)},
      {"float samples (format 3)", RiffWave(Chunk("fmt ", FmtBody({.audioFormat = 3, .bits = 32})) + data)},
      {"zero channels", RiffWave(Chunk("fmt ", FmtBody({.channels = 0})) + data)},
      {"zero bits per sample", RiffWave(Chunk("fmt ", FmtBody({.bits = 0})) + data)},
      {"4 bits per sample: a sample of zero bytes", RiffWave(Chunk("fmt ", FmtBody({.bits = 4})) + data)},
      {"zero rate", RiffWave(Chunk("fmt ", FmtBody({.hertz = 0})) + data)},
      {"negative rate", RiffWave(Chunk("fmt ", FmtBody({.hertz = -8000})) + data)},
      {"fmt chunk of 14 bytes", RiffWave(Chunk("fmt ", kStereo16.substr(0, 14)) + data)},
      {"fmt chunk claims more than the file", RiffWave(ChunkClaiming("fmt ", 1 << 20, kStereo16) + data)},
      {"data chunk claims more than the file", RiffWave(Chunk("fmt ", kStereo16) + ChunkClaiming("data", 4001, Samples(4000)))},
      {"data chunk claims 2^31 - 1 bytes", RiffWave(Chunk("fmt ", kStereo16) + ChunkClaiming("data", 0x7FFFFFFF, Samples(64)))},
      {"data chunk size negative", RiffWave(Chunk("fmt ", kStereo16) + ChunkClaiming("data", 0xFFFFFFF0, Samples(64)))},
      {"LIST chunk size negative", RiffWave(Chunk("fmt ", kStereo16) + ChunkClaiming("LIST", 0x80000000, "") + data)},
      {"LIST chunk claims more than the file", RiffWave(Chunk("fmt ", kStereo16) + ChunkClaiming("LIST", 9000, "") + data)},
      {"no data chunk", RiffWave(Chunk("fmt ", kStereo16) + Chunk("LIST", "INFO"))},
      {"data shorter than one frame", RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(3)))},
      {"empty data chunk", RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", ""))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LoadSound(game, dir.Write("bad.wav", c.file)), std::nullopt);
  }
}

TEST_F(Decoding, EveryTruncationOfAWaveGivesNullUntilItsDataChunkIsWhole) {
  const std::string head = RiffWave(Chunk("fmt ", FmtBody({.channels = 2, .extra = "\0\0"s})) +
                                    Chunk("LIST", "INFOICMT\x04\0\0\0hi!\0"s) + Chunk("data", Samples(64)));
  const std::string whole = head + Chunk("cue ", Le32(0));
  const Sound sound{16, 2, 2, 22050, Samples(64)};
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    SCOPED_TRACE("first " + std::to_string(size) + " bytes");
    std::optional<Sound> expected;
    if (size >= head.size()) expected = sound;  // only the chunk after the data is cut
    EXPECT_EQ(LoadSound(game, dir.Write("cut.wav", whole.substr(0, size))), expected);
  }
}

TEST_F(Decoding, WavesDecodeOnSeveralThreadsAtOnce) {
  std::vector<std::string> files;
  for (int channels = 1; channels <= 4; ++channels) {
    files.push_back(RiffWave(Chunk("fmt ", FmtBody({.channels = channels})) + Chunk("LIST", "INFO") +
                             Chunk("data", Samples(480))));
  }
  std::vector<int> wrong(files.size(), 0);
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < files.size(); ++i) {
    workers.emplace_back([&, i] {
      for (int round = 0; round < 200; ++round) {
        std::FILE* file = fmemopen(files[i].data(), files[i].size(), "rb");
        int length = 0, channels = 0, format = 0, hertz = 0;
        unsigned char* samples = LoadWAV(file, &length, &channels, &format, &hertz);
        if (!samples || channels != static_cast<int>(i) + 1 || length * channels * 2 != 480) ++wrong[i];
        std::free(samples);
        std::fclose(file);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(wrong, std::vector<int>(files.size(), 0));
}

// ---------------------------------------------------------------------------------------------------------
// The extension rule

TEST_F(Decoding, TheExtensionAloneChoosesTheDecoder) {
  const std::string wave = RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4000)));
  const std::string vorbis = EncodeVorbisTone(1, 8000, 800);
  struct Case {
    const char* label;
    const char* name;
    std::string file;
    bool decodes;
    int opened;  // files the loader opened
  } cases[] = {
      {".mp3 is not read", "tune.mp3", wave, false, 0},
      {"no extension is not read", "tune", wave, false, 0},
      {".wav.bak is not read", "tune.wav.bak", wave, false, 0},
      {"mixed-case .Ogg", "tune.Ogg", vorbis, true, 1},
      {"a WAVE named .ogg is not sniffed", "wave.ogg", wave, false, 1},
      {"an Ogg named .wav is not sniffed", "tune.wav", vorbis, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    game.opened = 0;
    EXPECT_EQ(LoadSound(game, dir.Write(c.name, c.file)).has_value(), c.decodes);
    EXPECT_EQ(game.opened, c.opened);
  }
  EXPECT_EQ(LoadSound(game, dir.path() + "/missing.wav"), std::nullopt);
}

// ---------------------------------------------------------------------------------------------------------
// Ogg Vorbis

TEST_F(Decoding, VorbisDecodesWholeTo16BitSamples) {
  struct Case {
    const char* label;
    int channels, hertz, frames;
  } cases[] = {
      {"mono, shorter than one decoding step", 1, 8000, 3000},
      {"mono, several capacity doublings", 1, 22050, 50000},
      {"stereo", 2, 44100, 9000},
      {"six channels: more decoder memory than the first try gives", 6, 48000, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::optional<Sound> sound = LoadSound(game, dir.Write("tone.ogg", EncodeVorbisTone(c.channels, c.hertz, c.frames)));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->length, c.frames);
    EXPECT_EQ(sound->channels, c.channels);
    EXPECT_EQ(sound->format, 2);
    EXPECT_EQ(sound->hertz, c.hertz);
    const auto* samples = reinterpret_cast<const int16_t*>(sound->bytes.data());
    int16_t peak = 0;
    for (std::size_t i = 0; i < sound->bytes.size() / 2; ++i) peak = std::max<int16_t>(peak, samples[i]);
    EXPECT_NEAR(peak, 16384, 4096);  // the tone is at half of full scale; the codec is lossy
  }
}

TEST_F(Decoding, GarbageAndTruncatedVorbisGiveNull) {
  const std::string whole = EncodeVorbisTone(1, 8000, 8000);
  EXPECT_EQ(LoadSound(game, dir.Write("noise.ogg", Garbage(5000, 1))), std::nullopt);
  EXPECT_EQ(LoadSound(game, dir.Write("noise.ogg", "OggS" + Garbage(5000, 2))), std::nullopt);
  for (std::size_t size = 0; size < whole.size(); size += 7) {
    SCOPED_TRACE("first " + std::to_string(size) + " bytes");
    EXPECT_EQ(LoadSound(game, dir.Write("cut.ogg", whole.substr(0, size))), std::nullopt) << "a stream cut short";
  }
  EXPECT_NE(LoadSound(game, dir.Write("whole.ogg", whole)), std::nullopt);
}

// The decoder trusts the comment header's lengths; one that reaches past its packet must never get to it.
TEST_F(Decoding, CommentLengthsPastTheirPacketGiveNull) {
  const std::string whole = EncodeVorbisTone(1, 8000, 800);
  const std::size_t secondPage = 27 + 1 + 30;  // the first page holds the 30-byte identification packet
  const std::size_t packet = secondPage + 27 + static_cast<unsigned char>(whole[secondPage + 26]);
  const std::size_t vendorLength = packet + 7, vendorBytes = whole[vendorLength];  // type byte, "vorbis"
  struct Case {
    const char* label;
    std::size_t at;
    std::string bytes;  // little-endian
  } cases[] = {{"vendor length that wraps", vendorLength, "\xFF\xFF\xFF\xFF"},
               {"vendor length past the packet", vendorLength, "\x00\x00\x00\x10"},
               {"comment count past the packet", vendorLength + 4 + vendorBytes, "\x00\x00\x00\x40"}};
  ASSERT_EQ(whole.compare(packet, 7, "\x03vorbis"), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string hostile = whole;
    hostile.replace(c.at, 4, c.bytes);
    EXPECT_EQ(LoadSound(game, dir.Write("hostile.ogg", hostile)), std::nullopt);
  }
}

// ---------------------------------------------------------------------------------------------------------
// Images

TEST_F(Decoding, PngsKeepTheirOwnChannelCount) {
  struct Case {
    const char* label;
    Image image;
  } cases[] = {
      {"grey", {3, 2, 1, "\x00\x40\x80\xC0\xFF\x01"s}},
      {"grey and alpha", {2, 1, 2, "\x10\x20\x30\x40"}},
      {"RGB", {1, 2, 3, "\x01\x02\x03\xF1\xF2\xF3"}},
      {"RGBA, not premultiplied", {2, 2, 4, "\xFF\x00\x00\x00\x00\xFF\x00\x80\x00\x00\xFF\xFF\x10\x20\x30\x01"s}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LoadImage(game, dir.Write("art.png", EncodePng(c.image))), c.image);
  }
}

TEST_F(Decoding, GarbageTruncatedAndMissingImagesGiveNull) {
  const Image image{8, 8, 4, Garbage(256, 3)};
  const std::string png = EncodePng(image);
  EXPECT_EQ(LoadImage(game, dir.Write("noise.png", Garbage(2000, 4))), std::nullopt);
  EXPECT_EQ(LoadImage(game, dir.Write("noise.png", png.substr(0, 16) + Garbage(2000, 5))), std::nullopt);
  EXPECT_EQ(LoadImage(game, dir.path() + "/missing.png"), std::nullopt);
  for (std::size_t size = 0; size < png.size(); ++size) {
    SCOPED_TRACE("first " + std::to_string(size) + " bytes");
    std::optional<Image> loaded = LoadImage(game, dir.Write("cut.png", png.substr(0, size)));
    if (size + 12 < png.size()) {  // cut before the end marker (12 bytes)
      EXPECT_EQ(loaded, std::nullopt);
    } else if (loaded) {
      EXPECT_EQ(*loaded, image);  // never part of a picture
    }
  }
}

// The image library reads many formats; the host hands it PNG files only, so a picture in any other format,
// though the library would decode it, gives null.
TEST_F(Decoding, OnlyPngReachesTheImageDecoder) {
  const Image image{2, 2, 3, "\x10\x20\x30\x40\x50\x60\x70\x80\x90\xA0\xB0\xC0"};
  std::string encoded;
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<char*>(data), static_cast<std::size_t>(size));
  };
  struct Case {
    const char* label;
    int (*write)(stbi_write_func*, void*, int, int, int, const void*);
  } cases[] = {{"BMP", stbi_write_bmp_to_func},
               {"TGA", stbi_write_tga_to_func},
               {"JPEG", [](stbi_write_func* f, void* c, int w, int h, int n, const void* p) {
                  return stbi_write_jpg_to_func(f, c, w, h, n, p, 90);
                }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    encoded.clear();
    ASSERT_TRUE(c.write(append, &encoded, image.width, image.height, image.depth, image.pixels.data()));
    const std::string path = dir.Write("art.png", encoded);
    int width = 0, height = 0, depth = 0;
    ASSERT_TRUE(stbi_info(path.c_str(), &width, &height, &depth)) << "the library would read it";
    EXPECT_EQ(LoadImage(game, path), std::nullopt);
  }
  const float radiance[12] = {};
  encoded.clear();
  stbi_write_hdr_to_func(append, &encoded, 2, 2, 3, radiance);
  EXPECT_EQ(LoadImage(game, dir.Write("art.png", encoded)), std::nullopt) << "HDR";
  EXPECT_EQ(LoadImage(game, dir.Write("art.png", EncodePng(image))), image);
}

// ---------------------------------------------------------------------------------------------------------
// External bytes: each decoded block is counted once, failures not at all

TEST_F(Decoding, TheExternalBytesCounterGrowsByTheDecodedSize) {
  auto grewBy = [](auto load) {
    int before = gc_ext_new_bytes.load();
    load();
    return gc_ext_new_bytes.load() - before;
  };
  const std::string wave = dir.Write("s.wav", RiffWave(Chunk("fmt ", kStereo16) + Chunk("data", Samples(4000))));
  const std::string ogg = dir.Write("t.ogg", EncodeVorbisTone(1, 8000, 3000));
  const std::string png = dir.Write("i.png", EncodePng({5, 3, 4, std::string(60, '\x7F')}));
  const std::string bad = dir.Write("bad.wav", "RIFF");
  EXPECT_EQ(grewBy([&] { LoadSound(game, wave); }), 4000);
  EXPECT_EQ(grewBy([&] { LoadSound(game, ogg); }), 3000 * 1 * 2);
  EXPECT_EQ(grewBy([&] { LoadImage(game, png); }), 5 * 3 * 4);
  EXPECT_EQ(grewBy([&] { LoadSound(game, bad); }), 0);
}

}  // namespace
