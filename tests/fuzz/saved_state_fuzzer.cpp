// Fuzzes the saved-state reader: whatever the text, reading it must neither crash nor read outside it, and
// what it leaves in the tables, written again and read back, must load as every group whole with the same
// values (the writer's checksums always agree with its reader, whatever the values).
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "game/saved_state.h"

namespace {
struct Tables {
  int settings[kSettingCount] = {};
  bool badges[kBadgeCount] = {};
  int scores[kScoreCount] = {};
  SavedFields fields() { return {settings, badges, scores}; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  String text = String::FromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
  SavedStateTokens tokens(text);
  if (tokens.Count() < 1 || tokens.Count() > SavedStateTokens::kKeptTokens) std::abort();

  Tables first;
  first.settings[5] = 1;  // the defaults the game reads over
  ReadSavedState(text, first.fields());
  Tables second;
  SavedStateRead read = ReadSavedState(FormatSavedState(first.fields()), second.fields());
  if (read.settings != SavedGroup::Loaded || read.badges != SavedGroup::Loaded) std::abort();
  for (SavedGroup block : read.scoreBlocks) {
    if (block != SavedGroup::Loaded) std::abort();
  }
  if (!std::equal(first.settings, first.settings + kSettingCount, second.settings) ||
      !std::equal(first.badges, first.badges + kBadgeCount, second.badges) ||
      !std::equal(first.scores, first.scores + 60, second.scores)) {  // entries 0..59 are the ones read back
    std::abort();
  }
  return 0;
}
