// The Debian package as a player's machine takes it: its name and file list, its control fields, Debian's
// checks of it, one version everywhere, and the program unpacked from it run from an unrelated folder with a
// home of its own: its saved state goes to the player's data folder, and an older one left in the working
// folder is copied over once and loaded. The package is made once per run by the test fixture
// "package_build" (tests/e2e/CMakeLists.txt).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "tests/e2e/game_in_folder.h"
#include "tests/e2e/sample_state.h"
#include "tests/e2e/screens.h"
#include "tests/support/build_paths.h"

namespace {

namespace fs = std::filesystem;

const std::string kVersion = QUARZEL_VERSION;
const std::string kMetainfo = "usr/share/metainfo/invalid.quarzel.Quarzel.metainfo.xml";
const std::string kManualPage = "usr/share/man/man6/quarzel.6.gz";

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

fs::path package_file() {
  for (const fs::directory_entry& entry : fs::directory_iterator(build_paths::kPackageDir)) {
    if (entry.path().extension() == ".deb") return entry.path();
  }
  return fs::path();
}

bool have(const std::string& tool) { return RunProcess({"sh", "-c", "command -v " + tool}).status == 0; }

bool on_ci() {
  const char* ci = std::getenv("CI");
  return ci && std::string(ci) == "true";
}

// A developer's machine without the checking tool skips that check; CI, whose install step brings every tool,
// fails instead, so a missing package can never pass for a checked one.
#define REQUIRE_TOOL(tool)                                  \
  if (!have(tool)) {                                        \
    if (on_ci()) FAIL() << tool << " is not installed";     \
    GTEST_SKIP() << tool << " is not installed";            \
  }

std::string control_field(const fs::path& package, const std::string& field) {
  return trimmed(RunProcess({"dpkg-deb", "--field", package.string(), field}).out);
}

class Package : public ::testing::Test {
 protected:
  void SetUp() override {
    package = package_file();
    ASSERT_FALSE(package.empty()) << "no package in " << build_paths::kPackageDir;
  }
  fs::path package;
};

TEST_F(Package, IsNamedForItsVersionAndInstallsUnderUsr) {
  const std::string architecture = trimmed(RunProcess({"dpkg", "--print-architecture"}).out);
  EXPECT_EQ(package.filename(), "quarzel_" + kVersion + "_" + architecture + ".deb");
  ProcessResult listing = RunProcess({"dpkg-deb", "--contents", package.string()});
  ASSERT_EQ(listing.status, 0) << listing.err;
  std::set<std::string> paths;
  std::istringstream lines(listing.out);
  for (std::string line; std::getline(lines, line);) {
    const std::string path = line.substr(line.find("./"));
    EXPECT_NE(line.find(" root/root "), std::string::npos) << line;
    EXPECT_TRUE(path.rfind("./usr/", 0) == 0) << path;
    paths.insert(path);
  }
  const std::vector<std::string> expected = {
      "./usr/games/quarzel", "./usr/share/quarzel/data/common/BrixLogo.png", "./usr/share/quarzel/data/sfx/001.wav",
      "./usr/share/applications/quarzel.desktop", "./usr/share/icons/hicolor/256x256/apps/quarzel.png",
      "./usr/share/icons/hicolor/48x48/apps/quarzel.png", "./" + kMetainfo, "./" + kManualPage,
      "./usr/share/doc/quarzel/copyright", "./usr/share/doc/quarzel/changelog.gz"};
  for (const std::string& path : expected) {
    EXPECT_EQ(paths.count(path), 1u) << path;
  }
  EXPECT_EQ(paths.count("./usr/bin/quarzel"), 0u) << "a plain install's copy of the program";
}

// The dependencies are read off the program's libraries, so each carries the least version it needs.
TEST_F(Package, ItsDependenciesComeFromTheProgramsLibraries) {
  EXPECT_EQ(control_field(package, "Package"), "quarzel");
  EXPECT_EQ(control_field(package, "Section"), "games");
  const std::string depends = control_field(package, "Depends");
  for (const char* library : {"libc6 (>= ", "libglfw3 (>= ", "libopenal1 (>= ", "libstdc++6 (>= "}) {
    EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
  }
}

TEST_F(Package, LintianFindsNoError) {
  REQUIRE_TOOL("lintian");
  ProcessResult lintian = RunProcess({"lintian", "--fail-on", "error", package.string()}, "", 300);
  EXPECT_EQ(lintian.status, 0) << lintian.out << lintian.err;
  std::cout << lintian.out;  // the warnings that stay, for the log
}

// The package unpacked into a scratch folder, with a home of its own and an unrelated working folder.
class UnpackedPackage : public Package {
 protected:
  void SetUp() override {
    Package::SetUp();
    char pattern[] = "/tmp/quarzel-package-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    scratch = pattern;
    root = scratch / "root";
    home = scratch / "home";
    elsewhere = scratch / "elsewhere";
    fs::create_directories(home);
    fs::create_directories(elsewhere / "data");  // an empty data folder that must not be taken for the game's
    ProcessResult unpack = RunProcess({"dpkg-deb", "--extract", package.string(), root.string()});
    ASSERT_EQ(unpack.status, 0) << unpack.err;
  }
  void TearDown() override { fs::remove_all(scratch); }
  // The unpacked program in the working folder `elsewhere`, with only HOME to say where the player's data
  // goes, without the ping.
  std::vector<std::string> Command(const std::vector<std::string>& arguments = {}) const {
    std::vector<std::string> command = {"env", "-u", "XDG_DATA_HOME", "-u", "QUARZEL_PING_URL",
                                        "-C", elsewhere.string(), "HOME=" + home.string(),
                                        (root / "usr/games/quarzel").string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
  }
  fs::path scratch, root, home, elsewhere;
};

// The unpacked program played on the test's own X server.
class PlayedPackage : public UnpackedPackage {
 protected:
  void SetUp() override {
    UnpackedPackage::SetUp();
    ASSERT_TRUE(x11.ok());
  }
  void TearDown() override {
    program.reset();
    UnpackedPackage::TearDown();
  }
  void Start() {
    program = std::make_unique<BackgroundProcess>(Command(), std::vector<std::string>{"ALSOFT_DRIVERS=null"});
    ASSERT_TRUE(x11.WaitForWindow("Velmoor Game", window)) << program->Stdout();
    ASSERT_TRUE(x11.WaitForFocus(window.id));
  }
  void Close() {
    x11.RequestClose(window.id);
    EXPECT_EQ(program->Wait(10).status, 0);
  }
  fs::path StateFile() const { return home / ".local/share/quarzel/.tarsilstate"; }
  X11Session x11;
  std::unique_ptr<BackgroundProcess> program;
  WindowInfo window;
};

TEST_F(UnpackedPackage, CarriesOneVersionEverywhere) {
  ProcessResult version = RunProcess(Command({"--version"}));
  EXPECT_EQ(version.out, "quarzel " + kVersion + "\n");
  EXPECT_EQ(control_field(package, "Version"), kVersion);
  EXPECT_NE(read(root / kMetainfo).find("<release version=\"" + kVersion + "\""), std::string::npos);
  REQUIRE_TOOL("man");
  ProcessResult page = RunProcess({"man", "--warnings", "-l", (root / kManualPage).string()}, "", 30, {"MANWIDTH=80"});
  EXPECT_EQ(page.status, 0);
  EXPECT_EQ(page.err, "") << "no warnings";
  EXPECT_NE(page.out.find("quarzel " + kVersion), std::string::npos) << page.out;
}

TEST_F(UnpackedPackage, ItsMetadataValidates) {
  REQUIRE_TOOL("appstreamcli");
  ProcessResult validate = RunProcess({"appstreamcli", "validate", "--no-net", (root / kMetainfo).string()});
  EXPECT_EQ(validate.status, 0) << validate.out << validate.err;
}

TEST_F(PlayedPackage, SavesInThePlayersDataFolderNotTheWorkingFolder) {
  Start();
  ExpectTitleScreen(GameView(x11, x11.Describe(window.id)));  // its pictures were found
  ASSERT_TRUE(LoseFocusAndWaitForTheSave(window.id, StateFile()));
  struct stat folder {};
  ASSERT_EQ(stat(StateFile().parent_path().c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
  EXPECT_FALSE(fs::exists(elsewhere / ".tarsilstate"));
  EXPECT_EQ(program->Stdout().find("Copied"), std::string::npos) << "nothing to copy";
  Close();
}

TEST_F(PlayedPackage, CopiesAnOldStateOnceAndLoadsIt) {
  const std::string state = kSettings + kBadges + kScores;
  std::ofstream(elsewhere / ".tarsilstate", std::ios::binary) << state;
  Start();
  const std::string copied = "Copied the saved state " + (elsewhere / ".tarsilstate").string() + " to " +
                             (StateFile()).string() + "; the old file stays as it was\n";
  EXPECT_TRUE(program->WaitForOutput(copied + "Settings Loaded\nBadges Loaded\nHighscores Loaded\n", 10))
      << program->Stdout();
  ASSERT_TRUE(LoseFocusAndWaitForTheSave(window.id, StateFile()));
  EXPECT_EQ(read(StateFile()), state) << "every group loaded and written back";
  EXPECT_EQ(read(elsewhere / ".tarsilstate"), state) << "the old file is left alone";
  Close();

  Start();
  EXPECT_TRUE(program->WaitForOutput("Settings Loaded\nBadges Loaded\nHighscores Loaded\n", 10));
  EXPECT_EQ(program->Stdout().find("Copied"), std::string::npos) << "copied once only";
  Close();
}

}  // namespace
