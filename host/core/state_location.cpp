// Where the saved state lives (see state_location.h).
#include "host/core/state_location.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/core/durable_replace.h"
#include "host/core/platform.h"
#include "runtime/errors.h"

namespace {

constexpr const char* kStateFileName = ".tarsilstate";

// Copies `from` to `to` the way a save writes, so that a copy cut short leaves no file and the next start
// copies again. Returns "" on success, else why not.
std::string copy_whole(const std::string& from, const std::string& to) {
  std::FILE* source = PlatformOpenFile(from, "rb");
  if (!source) return std::strerror(errno);
  std::string bytes;
  char block[4096];
  for (std::size_t count; (count = std::fread(block, 1, sizeof block, source)) > 0;) bytes.append(block, count);
  const bool unread = std::ferror(source);
  std::fclose(source);
  if (unread) return "cannot read it";
  const Replacement replacement = ReplaceFileDurably(to, bytes);
  // A folder that could not be flushed still holds the copy; should a power cut undo it, the old file is
  // still there to copy again.
  const Replacement::Step step = replacement.failedStep;
  if (step == Replacement::kDone || step == Replacement::kFlushFolder) return std::string();
  return std::strerror(replacement.error);
}

std::string working_directory_state() { return PlatformWorkingDirectory() + "/" + kStateFileName; }

void print(const std::string& line) { koPrint(String::FromUtf8(line.data(), static_cast<int>(line.size()))); }

// The state file for this run, with the folder settled and any message printed.
std::string settle() {
  std::string folder = PlatformStateFolder();
  if (folder.empty()) {
    print(std::string("No folder named by ") + PlatformStateFolderVariables() + ": the saved state stays in ./" +
          kStateFileName);
    folder.assign(1, '.');  // assigning the literal trips a false overlap warning in GCC 12
  } else if (folder != ".") {
    const SettledFolder settled = SettleStateFolder(folder, working_directory_state());
    if (!settled.message.empty()) print(settled.message);
  }
  return folder + "/" + kStateFileName;
}

}  // namespace

SettledFolder SettleStateFolder(const std::string& folder, const std::string& oldFile) {
  SettledFolder settled;
  const std::string why = PlatformMakeFolder(folder);
  if (!why.empty()) {
    settled.message = "Cannot keep the saved state in " + folder + ": " + why + "; playing on without saving";
    return settled;
  }
  settled.usable = true;
  const std::string file = folder + "/" + kStateFileName;
  if (PlatformPathExists(file) || !PlatformPathExists(oldFile)) return settled;
  const std::string failed = copy_whole(oldFile, file);
  if (failed.empty()) {
    settled.message = "Copied the saved state " + oldFile + " to " + file + "; the old file stays as it was";
  } else {
    settled.message = "Cannot copy the saved state " + oldFile + " to " + file + ": " + failed;
  }
  return settled;
}

std::string StateLocationText() {
  const std::string folder = PlatformStateFolder();
  const std::string here = std::string("./") + kStateFileName + " in the working directory";
  if (folder == ".") return here + " (run from its build folder)";
  if (folder.empty()) return here + " (no " + PlatformStateFolderVariables() + ")";
  return folder + "/" + kStateFileName;
}

const std::string& StateFilePath() {
  static const std::string path = settle();
  return path;
}
