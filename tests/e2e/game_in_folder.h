// The real program started in a scratch working directory of its own, so that its saved state
// (./.tarsilstate) is the test's alone; without the ping whatever the environment says. The folder goes with
// the object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/subprocess.h"

class GameInFolder {
 public:
  explicit GameInFolder(const std::string& name);  // the folder is /tmp/quarzel-<name>-XXXXXX
  ~GameInFolder();
  // Starts (or starts again) the program with `arguments`; OpenAL Soft's null backend unless `environment` says
  // otherwise.
  void Start(const std::vector<std::string>& environment = {"ALSOFT_DRIVERS=null"},
             const std::vector<std::string>& arguments = {});
  BackgroundProcess& process() { return *process_; }
  // True once the program's standard output holds `text`; false if it ended or the time ran out first.
  bool WaitForOutput(const std::string& text, double seconds = 10);
  const std::string& folder() const { return folder_; }
  std::string StatePath() const { return folder_ + "/.tarsilstate"; }
  std::string ReadState() const;
  void WriteState(const std::string& bytes) const;

 private:
  std::string folder_;
  std::unique_ptr<BackgroundProcess> process_;
};

// Takes the keyboard from the window (unmapped, as when it is minimised) and waits for the save this makes
// into `statePath`: the host writes a new file and renames it over the old one, so the file's inode changes.
bool LoseFocusAndWaitForTheSave(unsigned long window, const std::string& statePath);
