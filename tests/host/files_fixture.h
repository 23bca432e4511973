// The fixture of the file tests (files_test.cpp, and files_posix_test.cpp where the POSIX calls are built):
// each test runs in a fresh scratch folder as its working directory, since the saved state lives in the
// working directory; the folder and all in it are removed after the test, and the old working directory
// restored.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/host/host_test_support.h"

inline std::string narrow(const String& text) { return text.ToCString().c_str(); }

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The names in the working directory: a save, failed or not, leaves no temporary file behind.
inline std::vector<std::string> names_here() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename().string());
  return names;
}

// The temporary file a save in this process tries first.
inline std::string first_temporary() { return ".tarsilstate.new-" + std::to_string(getpid()) + "-1"; }

class Files : public ::testing::Test, public HostFixture {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    std::random_device random;
    do {
      directory = (fs::temp_directory_path() / ("quarzel-files-" + std::to_string(random()))).generic_string();
    } while (!fs::create_directory(directory));
    previous = fs::current_path();
    fs::current_path(directory);
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
  }
  String loadText(const std::string& bytes) {
    write_file("text.txt", bytes);
    return game.LoadString(String("text.txt"));
  }
  std::string directory;  // with "/" between folders, as the host's paths
  std::filesystem::path previous;
};
