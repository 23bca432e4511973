// The file functions of the platform list (host/core/platform.h) on POSIX calls, for the Linux desktop and the
// page. Paths are the system's own bytes, UTF-8 as the game writes them. The saved state follows the XDG base
// directory rules for an installed program.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/core/durable_replace.h"
#include "host/core/paths.h"
#include "host/core/platform.h"
#include "host/posix/state_folder.h"

namespace {

bool is_absolute(const char* path) { return path && path[0] == '/'; }

bool program_is_installed() {
  const String directory = RunningProgramDirectory();
  return !(BaseDirForProgram(directory) == directory);
}

}  // namespace

std::FILE* PlatformOpenFile(const std::string& path, const char* mode) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  struct stat status{};
  if (file && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

bool PlatformIsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PlatformPathExists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

std::string PlatformMakeFolder(const std::string& folder) {
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

std::string PlatformWorkingDirectory() {
  char directory[4096];
  if (!getcwd(directory, sizeof directory)) return ".";
  return directory;
}

std::string PlatformSaveTarget(const std::string& stateFile) {
  struct stat link{};
  if (lstat(stateFile.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return stateFile;
  if (char* resolved = realpath(stateFile.c_str(), nullptr)) {
    std::string target = resolved;
    std::free(resolved);
    return target;
  }
  char named[PATH_MAX];
  ssize_t length = readlink(stateFile.c_str(), named, sizeof named - 1);
  if (length <= 0) return stateFile;
  named[length] = 0;
  if (named[0] == '/') return named;
  return DirectoryOf(stateFile) + "/" + named;  // a relative target is relative to the link's folder
}

std::string StateFolderFor(bool installed, const char* xdgDataHome, const char* home) {
  if (!installed) return ".";
  if (is_absolute(xdgDataHome)) return std::string(xdgDataHome) + "/quarzel";
  if (is_absolute(home)) return std::string(home) + "/.local/share/quarzel";
  return std::string();
}

std::string PlatformStateFolder() {
  return StateFolderFor(program_is_installed(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

const char* PlatformStateFolderVariables() { return "XDG_DATA_HOME or HOME"; }
