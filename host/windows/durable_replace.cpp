// Replacing a file whole and durably (host/core/durable_replace.h) on Windows. rename does not replace an existing
// file there, so the new file, flushed (FlushFileBuffers), takes the target's place with MoveFileExW, which
// replaces it in one step, and MOVEFILE_WRITE_THROUGH returns only once the move is on the disk: Windows has no
// folder to flush. Paths go through the wide calls.
#include <windows.h>

#include <algorithm>
#include <string>

#include "host/core/durable_replace.h"
#include "host/windows/wide.h"

namespace {

// Tries that many names before giving up: only files a crashed run left behind under the names this process
// would pick can take them.
constexpr int kNameTries = 100;

Replacement failed(Replacement::Step step, const std::string& path, DWORD code) {
  Replacement replacement;
  replacement.failedStep = step;
  replacement.failedPath = path;
  replacement.error = ErrnoOf(code);
  return replacement;
}

// Creates the temporary file for `target`, a name no other file has; INVALID_HANDLE_VALUE when none can be made.
HANDLE create_temporary(const std::string& target, std::string& temporary) {
  const std::string stem = target + ".new-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 1; attempt <= kNameTries; ++attempt) {
    temporary = stem + std::to_string(attempt);
    HANDLE file = CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Writes all bytes and flushes them to disk; false (GetLastError says why) on a short write or a failed flush.
bool write_durably(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
    DWORD count = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &count, nullptr)) return false;
    if (count == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    written += count;
  }
  return FlushFileBuffers(file);
}

}  // namespace

Replacement ReplaceFileDurably(const std::string& target, const std::string& bytes) {
  std::string temporary;
  HANDLE file = create_temporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return failed(Replacement::kCreate, temporary, GetLastError());
  bool written = write_durably(file, bytes);
  DWORD error = GetLastError();
  if (!CloseHandle(file) && written) {
    error = GetLastError();
    written = false;
  }
  if (!written) {
    DeleteFileW(Wide(temporary).c_str());
    return failed(Replacement::kWrite, temporary, error);
  }
  const DWORD how = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (!MoveFileExW(Wide(temporary).c_str(), Wide(target).c_str(), how)) {
    error = GetLastError();
    DeleteFileW(Wide(temporary).c_str());
    return failed(Replacement::kRename, target, error);
  }
  return Replacement();
}
