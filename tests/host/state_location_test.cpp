// Where the saved state lives: the folder the environment names, the folder made private, the old file in
// the working directory copied in once and never touched, and a folder that cannot be made.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/core/state_location.h"
#include "host/posix/state_folder.h"
#include "tests/host/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(StateLocation, TheFolderFollowsTheBaseDirectoryRules) {
  struct Case {
    const char* label;
    bool installed;
    const char* xdgDataHome;
    const char* home;
    std::string folder;
  };
  for (const Case& c : std::vector<Case>{
           {"build tree: the working directory, whatever the environment", false, "/x", "/home/p", "."},
           {"installed, XDG_DATA_HOME set", true, "/x/data", "/home/p", "/x/data/quarzel"},
           {"installed, XDG_DATA_HOME empty", true, "", "/home/p", "/home/p/.local/share/quarzel"},
           {"installed, XDG_DATA_HOME relative is ignored", true, "data", "/home/p", "/home/p/.local/share/quarzel"},
           {"installed, XDG_DATA_HOME unset", true, nullptr, "/home/p", "/home/p/.local/share/quarzel"},
           {"installed, no usable variable", true, nullptr, "home", ""},
       }) {
    EXPECT_EQ(StateFolderFor(c.installed, c.xdgDataHome, c.home), c.folder) << c.label;
  }
}

std::string read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int mode_of(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

class StateFolder : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(home); }
  TempDir scratch;
  const std::string home = scratch.path() + "/home";
  const std::string folder = home + "/.local/share/quarzel";
};

TEST_F(StateFolder, IsMadePrivateWithItsParents) {
  const SettledFolder settled = SettleStateFolder(folder, scratch.path() + "/.tarsilstate");
  EXPECT_TRUE(settled.usable);
  EXPECT_EQ(settled.message, "") << "nothing to copy, nothing to say";
  for (const std::string& made : {home, home + "/.local", home + "/.local/share", folder}) {
    EXPECT_EQ(mode_of(made), 0700) << made;
  }
  EXPECT_FALSE(fs::exists(folder + "/.tarsilstate"));
}

TEST_F(StateFolder, AnOldStateIsCopiedOnceAndLeftAsItWas) {
  const std::string old = scratch.Write(".tarsilstate", "0|0|5|");
  const SettledFolder first = SettleStateFolder(folder, old);
  EXPECT_TRUE(first.usable);
  EXPECT_EQ(first.message,
            "Copied the saved state " + old + " to " + folder + "/.tarsilstate; the old file stays as it was");
  EXPECT_EQ(read(folder + "/.tarsilstate"), "0|0|5|");
  EXPECT_EQ(read(old), "0|0|5|");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "no temporary file";

  scratch.Write(".tarsilstate", "0|0|6|");  // an older version played on in that folder
  const SettledFolder second = SettleStateFolder(folder, old);
  EXPECT_EQ(second.message, "") << "the folder has its own state now";
  EXPECT_EQ(read(folder + "/.tarsilstate"), "0|0|5|");
}

TEST_F(StateFolder, ThatCannotBeMadeIsReportedAndNotUsed) {
  const std::string file = scratch.Write("home", "a file where a folder should be");
  const SettledFolder settled = SettleStateFolder(folder, scratch.path() + "/.tarsilstate");
  EXPECT_FALSE(settled.usable);
  EXPECT_EQ(settled.message,
            "Cannot keep the saved state in " + folder + ": Not a directory; playing on without saving");
  EXPECT_EQ(read(file), "a file where a folder should be");
}

}  // namespace
