// The real program in a scratch folder (see game_in_folder.h).
#include "tests/e2e/game_in_folder.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/x11_session.h"
#include "tests/support/build_paths.h"

GameInFolder::GameInFolder(const std::string& name) {
  std::string pattern = "/tmp/quarzel-" + name + "-XXXXXX";
  if (mkdtemp(pattern.data())) folder_ = pattern;
}

GameInFolder::~GameInFolder() {
  process_.reset();
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

void GameInFolder::Start(const std::vector<std::string>& environment, const std::vector<std::string>& arguments) {
  process_.reset();
  std::vector<std::string> command = {"env", "-u", "QUARZEL_PING_URL", "-C", folder_, build_paths::kProgram};
  command.insert(command.end(), arguments.begin(), arguments.end());
  process_ = std::make_unique<BackgroundProcess>(command, environment);
}

bool GameInFolder::WaitForOutput(const std::string& text, double seconds) {
  return process_->WaitForOutput(text, seconds);
}

std::string GameInFolder::ReadState() const {
  std::ifstream file(StatePath(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void GameInFolder::WriteState(const std::string& bytes) const {
  std::ofstream(StatePath(), std::ios::binary) << bytes;
}

bool LoseFocusAndWaitForTheSave(unsigned long window, const std::string& statePath) {
  struct stat before {};
  stat(statePath.c_str(), &before);
  Xdotool({"windowunmap", std::to_string(window)});
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (struct stat now {}; std::chrono::steady_clock::now() < deadline;) {
    if (stat(statePath.c_str(), &now) == 0 && now.st_ino != before.st_ino) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}
