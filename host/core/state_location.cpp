// Where the saved state lives (see state_location.h).
#include "host/core/state_location.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/core/durable_replace.h"
#include "host/core/paths.h"
#include "runtime/errors.h"

namespace {

constexpr const char* kStateFileName = ".tarsilstate";

bool is_absolute(const char* path) { return path && path[0] == '/'; }

bool program_is_installed() {
  const String directory = RunningProgramDirectory();
  return !(BaseDirForProgram(directory) == directory);
}

std::string folder_for_this_run() {
  return StateFolderFor(program_is_installed(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

// Makes each missing folder of `folder` with mode 0700, as the base directory rules ask for the user's own
// folders. Returns "" when the folder exists and can be written, else why not.
std::string make_folder(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return std::strerror(errno);
    if (slash == std::string::npos) break;
  }
  struct stat info;
  if (stat(folder.c_str(), &info) != 0) return std::strerror(errno);
  if (!S_ISDIR(info.st_mode)) return std::strerror(ENOTDIR);
  if (access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
  return std::string();
}

// Copies `from` to `to` the way a save writes, so that a copy cut short leaves no file and the next start
// copies again. Returns "" on success, else why not.
std::string copy_whole(const std::string& from, const std::string& to) {
  std::ifstream source(from, std::ios::binary);
  if (!source) return std::strerror(errno);
  const std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
  if (source.bad()) return "cannot read it";
  const Replacement replacement = ReplaceFileDurably(to, bytes);
  // A folder that could not be flushed still holds the copy; should a power cut undo it, the old file is
  // still there to copy again.
  const Replacement::Step step = replacement.failedStep;
  if (step == Replacement::kDone || step == Replacement::kFlushFolder) return std::string();
  return std::strerror(replacement.error);
}

std::string working_directory_state() {
  char directory[4096];
  if (!getcwd(directory, sizeof directory)) return std::string("./") + kStateFileName;
  return std::string(directory) + "/" + kStateFileName;
}

void print(const std::string& line) { koPrint(String::FromUtf8(line.data(), static_cast<int>(line.size()))); }

// The state file for this run, with the folder settled and any message printed.
std::string settle() {
  std::string folder = folder_for_this_run();
  if (folder.empty()) {
    print(std::string("Neither XDG_DATA_HOME nor HOME names a folder: the saved state stays in ./") + kStateFileName);
    folder.assign(1, '.');  // assigning the literal trips a false overlap warning in GCC 12
  } else if (folder != ".") {
    const SettledFolder settled = SettleStateFolder(folder, working_directory_state());
    if (!settled.message.empty()) print(settled.message);
  }
  return folder + "/" + kStateFileName;
}

}  // namespace

std::string StateFolderFor(bool installed, const char* xdgDataHome, const char* home) {
  if (!installed) return ".";
  if (is_absolute(xdgDataHome)) return std::string(xdgDataHome) + "/quarzel";
  if (is_absolute(home)) return std::string(home) + "/.local/share/quarzel";
  return std::string();
}

SettledFolder SettleStateFolder(const std::string& folder, const std::string& oldFile) {
  SettledFolder settled;
  const std::string why = make_folder(folder);
  if (!why.empty()) {
    settled.message = "Cannot keep the saved state in " + folder + ": " + why + "; playing on without saving";
    return settled;
  }
  settled.usable = true;
  const std::string file = folder + "/" + kStateFileName;
  struct stat info;
  if (lstat(file.c_str(), &info) == 0 || lstat(oldFile.c_str(), &info) != 0) return settled;
  const std::string failed = copy_whole(oldFile, file);
  if (failed.empty()) {
    settled.message = "Copied the saved state " + oldFile + " to " + file + "; the old file stays as it was";
  } else {
    settled.message = "Cannot copy the saved state " + oldFile + " to " + file + ": " + failed;
  }
  return settled;
}

std::string StateLocationText() {
  const std::string folder = folder_for_this_run();
  const std::string here = std::string("./") + kStateFileName + " in the working directory";
  if (folder == ".") return here + " (run from its build folder)";
  if (folder.empty()) return here + " (no XDG_DATA_HOME or HOME)";
  return folder + "/" + kStateFileName;
}

const std::string& StateFilePath() {
  static const std::string path = settle();
  return path;
}
