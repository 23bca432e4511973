// Replacing a file whole and durably: the saved state's one way onto the disk. Each platform writes it with its
// own calls (durable_replace.cpp beside its file_system.cpp, see platform.h).
//
// The new bytes go into a temporary file of this write's own beside the target, created exclusively, so two
// copies of the program writing at once never share one; it is flushed to disk and put in the target's place
// in one step, and the place is made durable, so neither a crash, a full disk nor a power cut in the middle
// brings back anything but the old file or the new one, whole. Every failure removes the temporary file. The
// file gets the mode a plain new file would, as the state file always had.
#pragma once

#include <string>

struct Replacement {
  enum Step { kDone, kCreate, kWrite, kRename, kFlushFolder };
  Step failedStep = kDone;
  std::string failedPath;  // the temporary file, the target or its folder: what the failing step worked on
  int error = 0;           // the C library's errno for it
};

// Writes `bytes` as the whole of `target`, through a temporary file named `target` + ".new-" + a part unique
// among the writes running at the moment.
Replacement ReplaceFileDurably(const std::string& target, const std::string& bytes);

// The folder holding `path`: "." for a bare name.
std::string DirectoryOf(const std::string& path);
