// The file functions of the platform list (host/core/platform.h) on Windows: every path goes to the wide
// calls (_wfopen, CreateDirectoryW, ...), so folders whose names are not ASCII work.
//
// The saved state: a game unpacked from the zip or installed keeps it in %APPDATA%\Quarzel\, since the
// program's own folder may not be writable (Program Files is not). The build tree keeps the working directory,
// as on Linux, for the tests: the build writes a marker file beside the program there (kBuildTreeMarker),
// which neither the zip nor the installer carries.
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/core/platform.h"
#include "host/windows/wide.h"
#include "runtime/utf8.h"

namespace {

constexpr const char* kBuildTreeMarker = "quarzel-build-tree.txt";

DWORD attributes_of(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

bool is_absolute(const std::wstring& path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool share = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
  return drive || share;
}

}  // namespace

std::FILE* PlatformOpenFile(const std::string& path, const char* mode) {
  if (PlatformIsFolder(path)) {
    errno = EISDIR;
    return nullptr;
  }
  return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool PlatformIsFolder(const std::string& path) {
  const DWORD found = attributes_of(path);
  return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatformPathExists(const std::string& path) { return attributes_of(path) != INVALID_FILE_ATTRIBUTES; }

std::string PlatformMakeFolder(const std::string& folder) {
  // Each folder on the way that is not there yet. The drive or share the path starts from ("C:", "//server")
  // cannot be made itself; whether the path works shows at its end.
  DWORD madeLast = ERROR_SUCCESS;
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!PlatformIsFolder(part) && !CreateDirectoryW(Wide(part).c_str(), nullptr)) madeLast = GetLastError();
    if (slash == std::string::npos) break;
  }
  if (!PlatformIsFolder(folder)) return std::strerror(ErrnoOf(madeLast));
  if (_waccess(Wide(folder).c_str(), 2) != 0) return std::strerror(errno);  // 2: may be written
  return std::string();
}

std::string PlatformWorkingDirectory() {
  wchar_t* directory = _wgetcwd(nullptr, 0);
  if (!directory) return ".";
  std::string path = GamePath(directory);
  std::free(directory);
  return path;
}

// MoveFileExW replaces a symbolic link rather than its target; links to a state file are a POSIX habit.
std::string PlatformSaveTarget(const std::string& stateFile) { return stateFile; }

std::string PlatformStateFolder() {
  std::string program;
  AppendUtf8(RunningProgramDirectory(), program);
  if (PlatformPathExists(program + "/" + kBuildTreeMarker)) return ".";
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !is_absolute(appData)) return std::string();
  return GamePath(appData) + "/Quarzel";
}

const char* PlatformStateFolderVariables() { return "APPDATA"; }
