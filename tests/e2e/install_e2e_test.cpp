// Installing like any Linux game: `cmake --install` of this build into a scratch prefix, then the installed
// program started from an unrelated working directory (one with an empty data folder of its own, which must
// not be taken for the game's) shows the title screen drawn from the installed data, and ends with F4.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/screens.h"
#include "tests/support/build_paths.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Width and height from a PNG's header chunk, or {0, 0} if the file is not a PNG.
std::pair<int, int> png_size(const fs::path& path) {
  const std::string bytes = contents(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0) {
    return {0, 0};
  }
  auto big_endian = [&bytes](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {big_endian(16), big_endian(20)};
}

class Installed : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quarzel-install-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    scratch = pattern;
    prefix = scratch / "prefix";
  }
  void TearDown() override { fs::remove_all(scratch); }

  // Starts the installed program with `directory` as its working directory; it keeps its saved state in the
  // scratch folder too, not in the home folder of whoever runs the tests.
  std::unique_ptr<BackgroundProcess> StartIn(const fs::path& directory) {
    const fs::path previous = fs::current_path();
    fs::current_path(directory);
    const std::vector<std::string> command = {"env", "XDG_DATA_HOME=" + (scratch / "data-home").string(),
                                              (prefix / "bin/quarzel").string()};
    auto program = std::make_unique<BackgroundProcess>(command, std::vector<std::string>{"ALSOFT_DRIVERS=null"});
    fs::current_path(previous);
    return program;
  }
  void ExpectMenuEntryAndIcons() {
    const std::string entry = contents(prefix / "share/applications/quarzel.desktop");
    for (const char* line : {"[Desktop Entry]\n", "\nType=Application\n", "\nName=Quarzel\n", "\nExec=quarzel\n",
                             "\nIcon=quarzel\n", "\nCategories=Game;ArcadeGame;\n"}) {
      EXPECT_NE(entry.find(line), std::string::npos) << line;
    }
    for (int size : {256, 64, 48}) {
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      EXPECT_EQ(png_size(prefix / "share/icons/hicolor" / name / "apps/quarzel.png"), std::make_pair(size, size))
          << name;
    }
  }
  fs::path scratch, prefix;
};

TEST_F(Installed, RunsFromAnUnrelatedWorkingDirectoryWithItsMenuEntryAndIcon) {
  ProcessResult install = RunProcess(
      {build_paths::kCMake, "--install", build_paths::kBuildDir, "--prefix", prefix.string()});
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  EXPECT_TRUE(fs::is_regular_file(prefix / "share/quarzel/data/common/BrixLogo.png"));
  EXPECT_FALSE(fs::exists(prefix / "bin/data")) << "the data folder belongs under share";
  EXPECT_FALSE(fs::exists(prefix / "games")) << "the package's copy of the program";
  for (const char* file : {"share/man/man6/quarzel.6.gz", "share/metainfo/invalid.quarzel.Quarzel.metainfo.xml",
                           "share/doc/quarzel/copyright"}) {
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  }
  ExpectMenuEntryAndIcons();

  X11Session x11;
  ASSERT_TRUE(x11.ok());
  const fs::path elsewhere = scratch / "elsewhere";
  fs::create_directories(elsewhere / "data");
  std::unique_ptr<BackgroundProcess> program = StartIn(elsewhere);
  WindowInfo window;
  ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
  ASSERT_TRUE(x11.WaitForFocus(window.id));
  ExpectTitleScreen(GameView(x11, x11.Describe(window.id)));  // its pictures were found
  Xdotool({"key", "F4"});
  ProcessResult ended = program->Wait(10);
  EXPECT_EQ(ended.status, 0) << ended.out << ended.err;
}

}  // namespace
