// Replacing a file whole and durably (host/core/durable_replace.h) with POSIX calls: the new file is renamed over
// the target, and the folder is flushed so the rename itself survives a power cut.
#include "host/core/durable_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "host/posix/file_system_calls.h"

namespace {

int system_open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

// Tries that many names before giving up: only files a crashed run left behind under the names this
// process would pick can take them.
constexpr int kNameTries = 100;

// Creates the temporary file for `target`, a name no other file has; -1 with errno when none can be made.
int create_temporary(const std::string& target, std::string& temporary) {
  const std::string stem = target + ".new-" + std::to_string(getpid()) + "-";
  for (int attempt = 1; attempt <= kNameTries; ++attempt) {
    temporary = stem + std::to_string(attempt);
    int fd = fileSystemCalls.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes all bytes and flushes them to disk; false with errno on a short write or a failed flush.
bool write_durably(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t count = fileSystemCalls.write(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return fileSystemCalls.fsync(fd) == 0;
}

// Makes a rename in `directory` durable. File systems that cannot flush a directory say EINVAL; there the
// rename is as durable as it gets.
bool flush_directory(const std::string& directory) {
  int fd = fileSystemCalls.open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  bool flushed = fileSystemCalls.fsync(fd) == 0 || errno == EINVAL;
  int error = errno;
  fileSystemCalls.close(fd);
  errno = error;
  return flushed;
}

Replacement failed(Replacement::Step step, const std::string& path, int error) {
  Replacement replacement;
  replacement.failedStep = step;
  replacement.failedPath = path;
  replacement.error = error;
  return replacement;
}

}  // namespace

FileSystemCalls fileSystemCalls = {system_open, ::write, ::fsync, ::close, std::rename, ::unlink};

Replacement ReplaceFileDurably(const std::string& target, const std::string& bytes) {
  std::string temporary;
  int fd = create_temporary(target, temporary);
  if (fd < 0) return failed(Replacement::kCreate, temporary, errno);
  bool written = write_durably(fd, bytes);
  int error = errno;
  if (fileSystemCalls.close(fd) != 0 && written) {
    error = errno;
    written = false;
  }
  if (!written) {
    fileSystemCalls.unlink(temporary.c_str());
    return failed(Replacement::kWrite, temporary, error);
  }
  if (fileSystemCalls.rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    fileSystemCalls.unlink(temporary.c_str());
    return failed(Replacement::kRename, target, error);
  }
  const std::string directory = DirectoryOf(target);
  if (!flush_directory(directory)) return failed(Replacement::kFlushFolder, directory, errno);
  return Replacement();
}
