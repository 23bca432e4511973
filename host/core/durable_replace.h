// Replacing a file whole and durably: the saved state's one way onto the disk.
//
// The new bytes go into a temporary file of this write's own beside the target, created exclusively, so two
// copies of the program writing at once never share one; it is flushed to disk, renamed over the target and
// the folder is flushed, so neither a crash, a full disk nor a power cut in the middle brings back anything but
// the old file or the new one, whole. Every failure removes the temporary file. The file gets the mode a
// plain new file would (0666 less the umask), as the state file always had.
// The system calls go through one table, so a test can record their order or make one fail.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// The file-system calls a replacement makes, defaulting to the system's own.
struct FileSystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* bytes, std::size_t count);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};
extern FileSystemCalls fileSystemCalls;

struct Replacement {
  enum Step { kDone, kCreate, kWrite, kRename, kFlushFolder };
  Step failedStep = kDone;
  std::string failedPath;  // the temporary file, the target or its folder: what the failing step worked on
  int error = 0;           // the system's errno for it
};

// Writes `bytes` as the whole of `target`, through a temporary file named `target` + ".new-" + a part unique
// among the writes running at the moment.
Replacement ReplaceFileDurably(const std::string& target, const std::string& bytes);

// The folder holding `path`: "." for a bare name.
std::string DirectoryOf(const std::string& path);
