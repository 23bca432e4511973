// The real program with one file of its data folder damaged at a time (missing, cut to half its size, or
// replaced by random bytes of the same size), and with no data folder at all. In every case the program names
// the file on its standard output, then either goes on without that picture or sound (and ends normally with
// F4) or, for the game's font, stops with status -1. It never dies by a signal, never hangs, and never touches
// the saved state in the working directory.
//
// Each case runs a private copy of the program and its data folder. The window is sized so the damaged file is
// really read: 640 x 480 reads the "-hd" pictures; a smaller window the plain ones, full screen the "-hd2" ones;
// the tune is read when a round starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "tests/e2e/screens.h"
#include "tests/support/build_paths.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Half, Random, WholeFolder };

struct Case {
  std::string file;  // relative to the data folder; empty for the whole folder
  Damage damage;
};

std::vector<Case> AllCases() {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(build_paths::kDataDir)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), build_paths::kDataDir).string());
  }
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const std::string& file : files) {
    for (Damage damage : {Damage::Missing, Damage::Half, Damage::Random}) cases.push_back({file, damage});
  }
  cases.push_back({"", Damage::WholeFolder});
  return cases;
}

void PrintTo(const Case& damaged, std::ostream* out) { *out << damaged.file; }

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  static const char* kDamages[] = {"Missing", "Half", "Random", "NoDataFolder"};
  std::string name = kDamages[static_cast<int>(info.param.damage)];
  for (char c : info.param.file) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void ApplyDamage(const fs::path& path, Damage damage) {
  if (damage == Damage::Missing) {
    fs::remove(path);
    return;
  }
  auto size = fs::file_size(path);
  if (damage == Damage::Half) {
    fs::resize_file(path, size / 2);
    return;
  }
  std::mt19937 random(static_cast<unsigned>(size));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (std::uintmax_t i = 0; i < size; ++i) out.put(static_cast<char>(random() & 0xFF));
}

class DamagedData : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(x11.ok());
    char pattern[] = "/tmp/quarzel-damaged-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    scratch = pattern;
    fs::copy_file(build_paths::kProgram, scratch / "quarzel");
    fs::permissions(scratch / "quarzel", fs::perms::owner_all);
    fs::copy(build_paths::kDataDir, scratch / "data", fs::copy_options::recursive);
    fs::create_directory(scratch / "home");
    std::ofstream(scratch / "home/.tarsilstate", std::ios::binary) << kSaved;
  }
  void TearDown() override {
    program.reset();
    fs::remove_all(scratch);
  }
  // Makes the game read `file`: the window size its resolution needs, or a round for the tune.
  void MakeTheGameRead(const std::string& file) {
    std::string id = std::to_string(window.id);
    if (EndsWith(file, "-hd2.png")) {
      Xdotool({"key", "F11"});
    } else if (EndsWith(file, ".ogg")) {
      ASSERT_TRUE(WaitForTitleScreen(GameView(x11, x11.Describe(window.id)), 10)) << "keys before the title are lost";
      PressKey("Right");
      PressKey("Return");
    } else if (EndsWith(file, ".png") && !EndsWith(file, "-hd.png") && file != "glim_font.png") {
      Xdotool({"windowsize", id, "600", "450"});
    }
  }

  static constexpr const char* kSaved = "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1111|";
  X11Session x11;
  fs::path scratch;
  std::unique_ptr<BackgroundProcess> program;
  WindowInfo window;
};

TEST_P(DamagedData, IsNamedAndNeverCrashesHangsOrTouchesTheSave) {
  const Case& damaged = GetParam();
  fs::path target = scratch / "data" / damaged.file;
  if (damaged.damage == Damage::WholeFolder) {
    fs::remove_all(scratch / "data");
    target = scratch / "data/fonts/shadow_editundo-hd.png";  // the first file the game cannot do without
  } else {
    ApplyDamage(target, damaged.damage);
  }
  std::vector<std::string> command = {"env", "-u", "QUARZEL_PING_URL", "-C", (scratch / "home").string(),
                                      (scratch / "quarzel").string()};
  program = std::make_unique<BackgroundProcess>(command, std::vector<std::string>{"ALSOFT_DRIVERS=null"});
  bool isFont = damaged.file.rfind("fonts/", 0) == 0 || damaged.damage == Damage::WholeFolder;
  bool readAtStart = damaged.damage == Damage::WholeFolder || EndsWith(damaged.file, "-hd.png") ||
                     EndsWith(damaged.file, ".wav") || damaged.file == "glim_font.png";
  const std::string message = "Cannot load " + target.string() + ": ";
  if (!(isFont && readAtStart)) {  // a font read at start ends the program before it can be driven
    ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window));
    ASSERT_TRUE(x11.WaitForFocus(window.id));
    PauseFor(400);
    MakeTheGameRead(damaged.file);
  }
  EXPECT_TRUE(program->WaitForOutput(message, 10)) << "the file is named\n" << program->Stdout();
  if (isFont) {
    ProcessResult ended = program->Wait(10);
    EXPECT_FALSE(ended.timedOut);
    EXPECT_EQ(ended.status, 255) << "without its font the game stops\n" << ended.out;
  } else {
    PauseFor(300);
    EXPECT_TRUE(program->Running()) << "it goes on without the file";
    Xdotool({"key", "F4"});
    ProcessResult ended = program->Wait(10);
    EXPECT_FALSE(ended.timedOut);
    EXPECT_EQ(ended.status, 0) << ended.out << ended.err;
  }
  // A save on the way (a window switch takes the focus for a moment) writes the same options back, with empty
  // badges and lists after them.
  std::ifstream saved(scratch / "home/.tarsilstate", std::ios::binary);
  std::string after((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(after.substr(0, std::string(kSaved).size()), kSaved);
}

INSTANTIATE_TEST_SUITE_P(EachFile, DamagedData, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
