// build/assetinfo on files made here: one line per file, in argument order, and the exit status.
#include <gtest/gtest.h>

#include "stb_image_write.h"
#include "tests/host/ogg_encoder.h"
#include "tests/host/temp_dir.h"
#include "tests/host/wav_writer.h"
#include "tests/support/build_paths.h"
#include "tests/support/subprocess.h"

namespace {

std::string GreyPng(int width, int height) {
  std::string png;
  std::string pixels(static_cast<std::size_t>(width * height), '\x80');
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<char*>(data), static_cast<std::size_t>(size));
  };
  stbi_write_png_to_func(append, &png, width, height, 1, pixels.data(), width);
  return png;
}

TEST(AssetInfo, PrintsOneLinePerFileAndFailsIfAnyGivesNone) {
  TempDir dir;
  std::string png = dir.Write("grey.png", GreyPng(7, 3));
  std::string wav = dir.Write("beep.WAV", wav::RiffWave(wav::Chunk("fmt ", wav::FmtBody({.channels = 2})) +
                                                        wav::Chunk("data", wav::Samples(4000))));
  std::string ogg = dir.Write("tune.ogg", EncodeVorbisTone(1, 8000, 3000));
  std::string mp3 = dir.Write("tune.mp3", "ID3");
  ProcessResult run = RunProcess({build_paths::kAssetinfo, png, wav, ogg, mp3});
  EXPECT_EQ(run.out, png + ": image 7x3 depth 1\n" +                                               //
                         wav + ": sound 1000 frames, 2 channels, 2 bytes per sample, 22050 Hz\n" +  //
                         ogg + ": sound 3000 frames, 1 channels, 2 bytes per sample, 8000 Hz\n" +   //
                         mp3 + ": none\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(RunProcess({build_paths::kAssetinfo, png}).status, 0);
}

TEST(AssetInfo, RelativePathsAreFromTheWorkingDirectory) {
  TempDir dir;
  dir.Write("grey.png", GreyPng(2, 2));
  ProcessResult run = RunProcess(
      {"sh", "-c", "cd \"$0\" && exec \"$1\" grey.png", dir.path(), build_paths::kAssetinfo});
  EXPECT_EQ(run.out, "grey.png: image 2x2 depth 1\n");
}

}  // namespace
