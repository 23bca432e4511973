// The generator writes the same bytes every run: it is run again into a fresh folder and every file is
// compared with the data folder the build made. (The build's folder must be from the current generator,
// which the test's build dependency guarantees.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "data_folder.h"
#include "tests/support/build_paths.h"

namespace datatest {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(Generator, SecondRunWritesIdenticalFiles) {
  const fs::path fresh = fs::temp_directory_path() / ("qz_datagen_" + std::to_string(::getpid()));
  fs::remove_all(fresh);
  const std::string command = std::string("\"") + build_paths::kDatagen + "\" \"" + fresh.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  size_t compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(fresh)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), fresh);
    EXPECT_TRUE(contents(entry.path()) == contents(dataPath(relative.string()))) << relative << " differs";
    ++compared;
  }
  EXPECT_GT(compared, 40u);
  fs::remove_all(fresh);
}

}  // namespace
}  // namespace datatest
