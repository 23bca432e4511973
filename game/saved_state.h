// The saved-state string: the option values, badge flags and high-score lists as decimal tokens, each
// followed by "|", every group guarded by a weighted checksum. Kept apart from c_MyApp so that the reader can
// be driven on its own (tests, the fuzzer).
//
// Layout, 203 tokens (saved files from any build rely on these exact bytes):
//   0..24   the 25 settings                    25  sum of i x setting[i]
//   26..33  badge words w0..w7 (bit j of wk is badge 32k + j, written as signed 32-bit)
//   34      w0 + ... + w7
//   35 + 21b .. 55 + 21b, blocks b = 0..7: ten pairs (top ten entry 10b + j, last ten entry 30 + 10b + j),
//           then the sum of (j + 4) x top + (j + 3 + b) x last. Only blocks 0..2 (the three difficulties) are
//           read back; 3..7 repeat entries of the same table.
// Every checksum is summed with 32-bit wrap-around, so hostile values cannot overflow; for the values a game
// writes no sum comes near the int range and the bytes are those of a plain sum.
//
// Reading contract: any text gives a result. A token is read as atoi reads its first 63 characters narrowed to
// 8 bits, saturated at the int range; text that is no number reads 0. A group whose checksum token is missing
// keeps the caller's values, one whose checksum differs is reset, so a damaged file loses only its damaged
// groups.
#pragma once

#include "runtime/string.h"

constexpr int kSettingCount = 25;
constexpr int kBadgeCount = 256;
constexpr int kBadgeWords = kBadgeCount / 32;
constexpr int kScoreCount = 150;
constexpr int kSavedTokens = 203;

// The game's tables the string is made from and read into; plain pointers to kSettingCount, kBadgeCount and
// kScoreCount elements.
struct SavedFields {
  int* settings;
  bool* badges;
  int* scores;
};

// The tokens of a saved-state string, found without copying it. Only the first kKeptTokens are indexed, which
// is every token the layout has and the empty one after the last "|"; a longer text counts as that many.
class SavedStateTokens {
 public:
  static constexpr int kKeptTokens = kSavedTokens + 1;
  explicit SavedStateTokens(const String& text);
  int Count() const { return count_; }  // as splitting at "|" would count them (an empty text has one token)
  int Int(int index) const;             // 0 for a token beyond Count

 private:
  String text_;
  int count_ = 0;
  int start_[kKeptTokens], end_[kKeptTokens];  // code units of each token, end exclusive
};

int SettingsChecksum(const int* settings);
int BadgeWord(const bool* badges, int word);
int BadgeChecksum(const int* words);
int ScoreBlockChecksum(const int* scores, int block);

String FormatSavedState(const SavedFields& fields);

enum class SavedGroup { Missing, Loaded, Invalid };
struct SavedStateRead {
  SavedGroup settings = SavedGroup::Missing, badges = SavedGroup::Missing;
  SavedGroup scoreBlocks[3] = {SavedGroup::Missing, SavedGroup::Missing, SavedGroup::Missing};
};

// Reads the groups into `fields` (see the contract above). An invalid settings group becomes the defaults
// (all 0, sound mode 1), an invalid badge group no badges, an invalid score block twenty zeros.
SavedStateRead ReadSavedState(const String& text, const SavedFields& fields);
