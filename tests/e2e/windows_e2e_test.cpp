// Quarzel for Windows under wine, as players get it, on the test's own Xvfb: the zip unpacked into a folder whose
// name is not ASCII, and the installer run silently, each in a fresh wine prefix of its own. The program keeps
// its saved state in %APPDATA%\Quarzel there, never beside itself or in the working directory, and copies an
// older one from the working directory the first time.
//
// These tests need the cross build (tools/build-windows.sh): they run when QUARZEL_WINDOWS_BUILD names its tree,
// as tools/check.sh sets it, and skip otherwise. The figures (time to the title, updates per second in play)
// go to the log.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/e2e/round_player.h"
#include "tests/e2e/sample_state.h"
#include "tests/e2e/screens.h"
#include "tests/e2e/x11_session.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char* const kTitle = "Velmoor Game";

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A scratch folder of the test's own, removed with the object.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    std::string pattern = "/tmp/quarzel-" + name + "-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    if (!path_.empty()) fs::remove_all(path_);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A fresh wine prefix: a Windows machine of the test's own, with OpenAL Soft on its null device.
class WinePrefix {
 public:
  WinePrefix() : folder_("wine") {
    ready_ = RunProcess({"wineboot", "-i"}, "", 120, Environment()).status == 0;
  }
  ~WinePrefix() { RunProcess({"wineserver", "-k"}, "", 30, Environment()); }
  bool ready() const { return ready_; }
  std::vector<std::string> Environment() const {
    return {"WINEPREFIX=" + folder_.path().string(), "WINEDEBUG=-all", "ALSOFT_DRIVERS=null",
            "QUARZEL_STATS=6"};
  }
  ProcessResult Run(const std::vector<std::string>& arguments, double seconds = 60) const {
    std::vector<std::string> command = {"wine"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunProcess(command, "", seconds, Environment());
  }
  // The program started in the working directory `folder`, or its standard output on the way.
  std::unique_ptr<BackgroundProcess> Start(const std::string& program, const fs::path& folder) const {
    return std::make_unique<BackgroundProcess>(
        std::vector<std::string>{"env", "-u", "QUARZEL_PING_URL", "-C", folder.string(), "wine", program},
        Environment());
  }
  fs::path DriveC() const { return folder_.path() / "drive_c"; }
  // %APPDATA%\Quarzel\.tarsilstate of the prefix's user.
  fs::path SavedState() const {
    for (const auto& user : fs::directory_iterator(DriveC() / "users")) {
      fs::path roaming = user.path() / "AppData" / "Roaming";
      if (user.path().filename() != "Public" && fs::is_directory(roaming)) return roaming / "Quarzel" / ".tarsilstate";
    }
    return fs::path();
  }

 private:
  ScratchFolder folder_;
  bool ready_ = false;
};

class WindowsUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tree = std::getenv("QUARZEL_WINDOWS_BUILD");
    if (!tree || !*tree) GTEST_SKIP() << "QUARZEL_WINDOWS_BUILD names no Windows build";
    build = tree;
    ASSERT_TRUE(x11.ok());
    ASSERT_TRUE(wine.ready()) << "wineboot";
  }
  // Waits for the window and its title screen; the milliseconds since `since`, or -1.
  int WaitForTheTitle(Clock::time_point since) {
    if (!x11.WaitForWindow(kTitle, window, 30)) return -1;
    if (!WaitForTitleScreen(View(), 30)) return -1;
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
  }
  GameView View() { return GameView(x11, x11.Describe(window.id)); }
  bool WaitForMode(int mode, double seconds) {
    for (auto deadline = Clock::now() + std::chrono::duration<double>(seconds); Clock::now() < deadline; PauseFor(50)) {
      if (LastStats(game->Stdout()).mode == mode) return true;
    }
    return false;
  }
  void Quit() {
    Xdotool({"key", "F4"});
    EXPECT_EQ(game->Wait(20).status, 0) << "F4 ends the program with status 0";
  }

  fs::path build;
  X11Session x11;
  WinePrefix wine;
  std::unique_ptr<BackgroundProcess> game;
  WindowInfo window;
};

TEST_F(WindowsUnderWine, TheUnpackedZipPlaysARoundAndKeepsItsScoreInAppData) {
  ScratchFolder unpacked("zip");
  ScratchFolder workingDirectory("cwd");
  const fs::path folder = unpacked.path() / "Spiele für Jürgen – 遊戲";  // wide paths: not even Latin-1
  fs::create_directories(folder);
  const std::string zip = "quarzel-" QUARZEL_VERSION "-windows-x64";
  ASSERT_EQ(RunProcess({"unzip", "-q", (build / (zip + ".zip")).string(), "-d", folder.string()}).status, 0);
  const fs::path program = folder / zip / "quarzel.exe";
  ASSERT_TRUE(fs::exists(program));
  ASSERT_FALSE(fs::exists(folder / zip / "quarzel-build-tree.txt")) << "the zip carries no build-tree marker";

  ProcessResult help = wine.Run({program.string(), "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("AppData/Roaming/Quarzel/.tarsilstate"), std::string::npos) << help.out;
  ProcessResult wrong = wine.Run({program.string(), "--bogus"});
  EXPECT_EQ(wrong.status, 2) << "a bad command line ends as on Linux";
  EXPECT_NE(wrong.err.find("unknown option '--bogus'"), std::string::npos) << wrong.err;

  auto start = Clock::now();
  game = wine.Start(program.string(), workingDirectory.path());
  int toTitle = WaitForTheTitle(start);
  ASSERT_GT(toTitle, 0) << "the title never showed; the program wrote: " << game->Stdout();
  std::printf("windows: %d ms from start to the title under wine\n", toTitle);
  EXPECT_TRUE(View().Save("windows-1-title"));
  PressKey("Right");  // the dial
  PressKey("Up");     // Easy
  PressKey("Down");   // Normal
  PressKey("Return");
  ASSERT_TRUE(WaitForMode(10, 10)) << "the round began";
  PlayForPickups([this] { return game->Stdout(); }, 12);
  const Stats playing = LastStats(game->Stdout());
  std::printf("windows: %d updates and %d renders per second in play under wine, score %d\n",
              playing.updatesPerSecond, playing.rendersPerSecond, playing.score);
  EXPECT_GT(playing.score, 0) << "the score rose";
  PressKey("Escape");
  PauseFor(600);
  EXPECT_TRUE(View().Save("windows-2-pause"));
  PressKey("Up");  // from resume to the end-round button
  PressKey("Return");
  ASSERT_TRUE(WaitForTitleScreen(View(), 10)) << "back at the title";

  const std::string saved = ReadFile(wine.SavedState());
  EXPECT_NE(saved.find('|'), std::string::npos) << "the round's end saved the state in %APPDATA%\\Quarzel";
  EXPECT_NE(saved.find(std::to_string(playing.score)), std::string::npos) << "with the round's score";
  EXPECT_FALSE(fs::exists(workingDirectory.path() / ".tarsilstate"));
  EXPECT_FALSE(fs::exists(folder / zip / ".tarsilstate"));
  Quit();

  game = wine.Start(program.string(), workingDirectory.path());
  ASSERT_GT(WaitForTheTitle(Clock::now()), 0);
  EXPECT_TRUE(game->WaitForOutput("Settings Loaded", 10)) << "the saved state loaded again";
  Quit();
  EXPECT_EQ(ReadFile(wine.SavedState()), saved) << "ending the program leaves the state as the round saved it";
}

TEST_F(WindowsUnderWine, TheInstallerInstallsSilentlyAndItsUninstallerKeepsTheSavedState) {
  ProcessResult install = wine.Run({(build / ("quarzel-" QUARZEL_VERSION "-setup.exe")).string(), "/S"});
  ASSERT_EQ(install.status, 0) << install.err;
  const fs::path installed = wine.DriveC() / "Program Files" / "Quarzel";
  ASSERT_TRUE(fs::exists(installed / "quarzel.exe"));
  EXPECT_TRUE(fs::exists(wine.DriveC() / "ProgramData/Microsoft/Windows/Start Menu/Programs/Quarzel/Quarzel.lnk"));

  ScratchFolder workingDirectory("cwd");
  const std::string older = kSettings + kBadges + kScores;  // where an older version kept it
  std::ofstream(workingDirectory.path() / ".tarsilstate", std::ios::binary) << older;
  game = wine.Start("C:\\Program Files\\Quarzel\\quarzel.exe", workingDirectory.path());
  ASSERT_GT(WaitForTheTitle(Clock::now()), 0) << "the installed game never showed its title: " << game->Stdout();
  EXPECT_NE(game->Stdout().find("Copied the saved state"), std::string::npos) << game->Stdout();
  EXPECT_NE(game->Stdout().find("Settings Loaded"), std::string::npos) << "the copy is the state it loads";
  EXPECT_EQ(ReadFile(wine.SavedState()), older);
  PressKey("Return");  // the gear has the focus: the options open
  PauseFor(500);
  PressKey("Escape");  // ... and close, which saves
  const fs::path state = wine.SavedState();
  for (auto deadline = Clock::now() + std::chrono::seconds(10); !fs::exists(state); PauseFor(100)) {
    ASSERT_LT(Clock::now(), deadline) << "closing the options saved nothing in %APPDATA%\\Quarzel";
  }
  Quit();
  const std::string saved = ReadFile(state);

  ASSERT_EQ(wine.Run({"C:\\Program Files\\Quarzel\\Uninstall.exe", "/S"}).status, 0);
  // The uninstaller runs on from a copy of itself: wait for the files to go.
  for (auto deadline = Clock::now() + std::chrono::seconds(30); fs::exists(installed / "quarzel.exe");) {
    ASSERT_LT(Clock::now(), deadline) << "the uninstaller left the program";
    PauseFor(200);
  }
  EXPECT_EQ(ReadFile(state), saved) << "uninstalling keeps the saved state";
}

// The program's ends as on Linux: the crash filter's report and status, a fatal error's, and the normal end's.
// (A stack overflow is caught through the stack the program reserves for it, which wine does not honour, so
// it is left out here.)
TEST_F(WindowsUnderWine, ACrashOrAnErrorEndsWithTheFatalReportAndStatusOfLinux) {
  const std::string probe = (build / "tests" / "runtime" / "crash_probe.exe").string();
  const struct {
    const char* path;
    int status;
    const char* out;
  } ends[] = {
      {"end", 0, ""},
      {"error", 255, "Tarsil Runtime Error : App has already been created\n\n"},
      {"null-write", 255, "Tarsil Runtime Error : Memory access violation\n\n"},
  };
  for (const auto& end : ends) {
    ProcessResult result = wine.Run({probe, end.path}, 30);
    std::string out = result.out;
    std::erase(out, '\r');  // the C library's text mode ends lines with CR LF on Windows
    EXPECT_EQ(result.status, end.status) << end.path;
    EXPECT_EQ(out, end.out) << end.path;
  }
}

}  // namespace
