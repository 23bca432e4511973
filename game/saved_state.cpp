// The saved-state string's tokens, checksums, writing and reading (see saved_state.h).
#include "game/saved_state.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>


namespace {
constexpr int kTokenDigits = 63;    // characters of a token that are read (an int needs at most 11)
constexpr int kBlockTokens = 21;    // ten pairs and the checksum
constexpr int kWrittenBlocks = 8;   // blocks written; only the first kReadBlocks are read back
constexpr int kReadBlocks = 3;      // one per difficulty
constexpr int kSoundSetting = 5;
}  // namespace

// -------------------------------------------------------------------------------------------------------------
// Tokens

SavedStateTokens::SavedStateTokens(const String& text) : text_(text) {
  int start = 0;
  for (int at = 0; at <= text.Length() && count_ < kKeptTokens; ++at) {
    if (at < text.Length() && text[at] != u'|') continue;
    start_[count_] = start;
    end_[count_] = at;
    ++count_;
    start = at + 1;
  }
}

int SavedStateTokens::Int(int index) const {
  if (index < 0 || index >= count_) return 0;
  int length = std::min(end_[index] - start_[index], kTokenDigits);
  return text_.ToInt(start_[index], start_[index] + length);
}

// -------------------------------------------------------------------------------------------------------------
// Checksums: unsigned sums, so they wrap at 32 bits instead of overflowing; the conversion back is modular.

int SettingsChecksum(const int* settings) {
  uint32_t sum = 0;
  for (int i = 0; i < kSettingCount; ++i) sum += static_cast<uint32_t>(i) * static_cast<uint32_t>(settings[i]);
  return static_cast<int>(sum);
}

int BadgeWord(const bool* badges, int word) {
  uint32_t bits = 0;
  for (int j = 0; j < 32; ++j) bits |= static_cast<uint32_t>(badges[32 * word + j]) << j;
  return static_cast<int>(bits);  // bit 31 makes the word negative
}

int BadgeChecksum(const int* words) {
  uint32_t sum = 0;
  for (int k = 0; k < kBadgeWords; ++k) sum += static_cast<uint32_t>(words[k]);
  return static_cast<int>(sum);
}

int ScoreBlockChecksum(const int* scores, int block) {
  uint32_t sum = 0;
  for (int j = 0; j < 10; ++j) {
    sum += static_cast<uint32_t>(j + 4) * static_cast<uint32_t>(scores[10 * block + j]);
    sum += static_cast<uint32_t>(j + 3 + block) * static_cast<uint32_t>(scores[30 + 10 * block + j]);
  }
  return static_cast<int>(sum);
}

// -------------------------------------------------------------------------------------------------------------
// Writing

namespace {
void put(std::string& text, int value) {
  char token[16];
  std::snprintf(token, sizeof token, "%d|", value);
  text += token;
}
}  // namespace

String FormatSavedState(const SavedFields& fields) {
  std::string text;
  text.reserve(kSavedTokens * 12);
  for (int i = 0; i < kSettingCount; ++i) put(text, fields.settings[i]);
  put(text, SettingsChecksum(fields.settings));
  int words[kBadgeWords];
  for (int k = 0; k < kBadgeWords; ++k) {
    words[k] = BadgeWord(fields.badges, k);
    put(text, words[k]);
  }
  put(text, BadgeChecksum(words));
  for (int block = 0; block < kWrittenBlocks; ++block) {
    for (int j = 0; j < 10; ++j) {
      put(text, fields.scores[10 * block + j]);
      put(text, fields.scores[30 + 10 * block + j]);
    }
    put(text, ScoreBlockChecksum(fields.scores, block));
  }
  return String(text.c_str());
}

// -------------------------------------------------------------------------------------------------------------
// Reading

namespace {
SavedGroup read_settings(const SavedStateTokens& tokens, int* settings) {
  for (int i = 0; i < kSettingCount; ++i) settings[i] = tokens.Int(i);
  if (SettingsChecksum(settings) == tokens.Int(kSettingCount)) return SavedGroup::Loaded;
  std::fill(settings, settings + kSettingCount, 0);
  settings[kSoundSetting] = 1;
  return SavedGroup::Invalid;
}

SavedGroup read_badges(const SavedStateTokens& tokens, int at, bool* badges) {
  if (tokens.Count() <= at + kBadgeWords) return SavedGroup::Missing;
  int words[kBadgeWords];
  for (int k = 0; k < kBadgeWords; ++k) {
    words[k] = tokens.Int(at + k);
    for (int j = 0; j < 32; ++j) badges[32 * k + j] = (static_cast<uint32_t>(words[k]) >> j & 1) != 0;
  }
  if (BadgeChecksum(words) == tokens.Int(at + kBadgeWords)) return SavedGroup::Loaded;
  std::fill(badges, badges + kBadgeCount, false);
  return SavedGroup::Invalid;
}

SavedGroup read_score_block(const SavedStateTokens& tokens, int at, int block, int* scores) {
  if (tokens.Count() <= at + kBlockTokens - 1) return SavedGroup::Missing;
  int* top = scores + 10 * block;
  int* last = scores + 30 + 10 * block;
  for (int j = 0; j < 10; ++j) {
    top[j] = tokens.Int(at + 2 * j);
    last[j] = tokens.Int(at + 2 * j + 1);
  }
  if (ScoreBlockChecksum(scores, block) == tokens.Int(at + kBlockTokens - 1)) return SavedGroup::Loaded;
  std::fill(top, top + 10, 0);
  std::fill(last, last + 10, 0);
  return SavedGroup::Invalid;
}
}  // namespace

SavedStateRead ReadSavedState(const String& text, const SavedFields& fields) {
  SavedStateTokens tokens(text);
  SavedStateRead result;
  // Without a settings group the badge words are looked for at the very start: a string of only badges and
  // scores is read that way.
  int badgesAt = 0;
  if (tokens.Count() >= kSettingCount + 1) {
    result.settings = read_settings(tokens, fields.settings);
    badgesAt = kSettingCount + 1;
  }
  result.badges = read_badges(tokens, badgesAt, fields.badges);
  int blocksAt = badgesAt + kBadgeWords + 1;
  for (int block = 0; block < kReadBlocks; ++block) {
    result.scoreBlocks[block] = read_score_block(tokens, blocksAt + kBlockTokens * block, block, fields.scores);
  }
  return result;
}
