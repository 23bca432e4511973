// KoGame's files: opening mapped paths, whole-file loads, the saved-state file and the local date.
//
// Saved state: the state string's UTF-8 bytes, nothing else, in the file state_location.h settles on.
// Saving writes a temporary file beside it, flushes it to disk and renames it over the old file, so a crash
// or a full disk in the middle of a save leaves the previous state whole. May run on worker threads:
// OpenFile and LoadData (they share only the path cache, filled on the main thread at start-up, and the
// collector's atomic external-bytes counter).
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "host/game.h"
#include "host/state_location.h"
#include "runtime/utf8.h"

namespace {

constexpr StateFileName kStateFile(false);
constexpr StateFileName kStateTempFile(true);

std::string utf8(const String& text) {
  std::string bytes;
  AppendUtf8(text, bytes);
  return bytes;
}

// Writes all bytes and makes them durable; false on any short write or failed flush.
bool write_durably(std::FILE* file, const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return false;
  if (std::fflush(file) != 0) return false;
  return fsync(fileno(file)) == 0;
}

}  // namespace

std::FILE* KoGame::OpenFile(String path, String mode) {
  String mapped = PathToFilePath(path);
  if (mapped.Length() == 0) return nullptr;
  return std::fopen(utf8(mapped).c_str(), utf8(mode).c_str());
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
    auto* grown = size < INT_MAX / 2 ? static_cast<unsigned char*>(std::realloc(data, capacity *= 2)) : nullptr;
    if (!grown) std::free(data);  // too large for the int length the caller gets
    data = grown;
  }
  std::fclose(file);
  if (!data) return nullptr;
  *length = static_cast<int>(size);
  gc_ext_malloced(*length);
  return data;
}

int KoGame::SaveState(String state) {
  std::string bytes = utf8(state);
  std::FILE* file = std::fopen(kStateTempFile, "wb");
  if (!file) return -1;
  bool written = write_durably(file, bytes);
  if (std::fclose(file) != 0) written = false;
  if (!written) {
    std::remove(kStateTempFile);
    return -2;
  }
  if (std::rename(kStateTempFile, kStateFile) != 0) {
    std::remove(kStateTempFile);
    return -1;
  }
  return 0;
}

String KoGame::LoadState() { return LoadString(String::FromUtf8(kStateFile, std::strlen(kStateFile))); }

void KoGame::GetDate(Array<int> date) {
  int n = date.Length();
  if (n < 1) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  int fields[7] = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
  for (int i = 0; i < n && i < 7; ++i) date[i] = fields[i];
}
