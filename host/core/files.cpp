// KoGame's files: opening mapped paths, whole-file loads, the saved-state file and the local date.
//
// Opening: the platform's (PlatformOpenFile): a directory is not a file, so a folder where a data file should
// be fails like a missing file. Whole-file loads fail on a read error instead
// of returning the part read before it.
// Saved state: the state string's UTF-8 bytes, nothing else, in the file state_location.h settles on.
// Saving replaces the file whole and durably (durable_replace.h), so neither a crash, a full disk, a power cut
// nor another copy of the game saving at the same moment brings back anything but one whole save. A state
// file that is a symbolic link is saved through the link, at its target, and stays a link. A save that fails
// prints one line naming the file and the system's reason; the game goes on. May run on worker threads:
// OpenFile and LoadData (they share only the path cache, filled on the main thread at start-up, and the
// collector's atomic external-bytes counter).
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "host/core/durable_replace.h"
#include "host/core/game.h"
#include "host/core/platform.h"
#include "host/core/state_location.h"
#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

std::string utf8(const String& text) {
  std::string bytes;
  AppendUtf8(text, bytes);
  return bytes;
}

String text(const std::string& bytes) { return String::FromUtf8(bytes.data(), static_cast<int>(bytes.size())); }

// The one line a failed save leaves, so a player who lost scores can learn why: the state file, the file or
// folder the failing step worked on when that is another one, and the system's reason.
void report_failed_save(const std::string& target, const std::string& failed, int error) {
  String where = failed == target ? String() : text(failed) + String(": ");
  koPrint(String("Could not save ") + text(target) + String(": ") + where + String(std::strerror(error)));
}

}  // namespace

std::FILE* KoGame::OpenFile(String path, String mode) {
  String mapped = PathToFilePath(path);
  if (mapped.Length() == 0) return nullptr;
  return PlatformOpenFile(utf8(mapped), utf8(mode).c_str());
}

String KoGame::LoadString(String path) {
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return String();
  String text = String::Load(file);
  std::fclose(file);
  return text;
}

unsigned char* KoGame::LoadData(String path, int* length) {
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  // Read straight into the block handed to the caller, growing it by doubling.
  std::size_t capacity = 4096, size = 0;
  auto* data = static_cast<unsigned char*>(std::malloc(capacity));
  while (data) {
    size += std::fread(data + size, 1, capacity - size, file);
    if (size < capacity) break;
    unsigned char* grown = nullptr;
    if (size < INT_MAX / 2) {  // else too large for the int length the caller gets
      capacity *= 2;
      grown = static_cast<unsigned char*>(std::realloc(data, capacity));
    }
    if (!grown) std::free(data);
    data = grown;
  }
  if (data && std::ferror(file)) {  // a read that failed part way: what came before it is not the file
    std::free(data);
    data = nullptr;
  }
  std::fclose(file);
  if (!data) return nullptr;
  *length = static_cast<int>(size);
  gc_ext_malloced(*length);
  return data;
}

int KoGame::SaveState(String state) {
  const std::string target = PlatformSaveTarget(StateFilePath());
  const Replacement replacement = ReplaceFileDurably(target, utf8(state));
  if (replacement.failedStep == Replacement::kDone) {
    PlatformStateSaved();
    return 0;
  }
  report_failed_save(target, replacement.failedPath, replacement.error);
  // -1: no new file was made or put in place; -2: the bytes did not all reach the disk (a failed folder flush
  // leaves the new state in place, but a power cut could still undo it)
  bool notPlaced = replacement.failedStep == Replacement::kCreate || replacement.failedStep == Replacement::kRename;
  return notPlaced ? -1 : -2;
}

String KoGame::LoadState() {
  const std::string& stateFile = StateFilePath();
  return LoadString(String::FromUtf8(stateFile.data(), static_cast<int>(stateFile.size())));
}

void KoGame::GetDate(Array<int> date) {
  int n = date.Length();
  if (n < 1) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
  for (int i = 0; i < n && i < 7; ++i) date[i] = fields[i];
}
