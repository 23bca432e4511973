// The saved settings, badges and high scores: the exact saved string, token reading and the checksums,
// recording a round, and damaged or hostile saved files, each of which loses only its damaged groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "game/saved_state.h"
#include "tests/game/game_harness.h"
#include "tests/support/text.h"

namespace {

// The text the host would read from a saved-state file holding these bytes.
String LoadBytes(const std::string& bytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  String text = String::Load(file);
  std::fclose(file);
  return text;
}

// A fresh game's options (the defaults as loading clamps them), badges 0 and 31 earned, and 500 recorded on
// Normal over a top ten of 900, 800, 500, 100.
void MakeKnownState(c_MyApp& app) {
  app.m_badges[0] = app.m_badges[31] = true;
  int top[] = {900, 800, 500, 100};
  std::copy(top, top + 4, &app.m_scores[10]);
  app.m_difficulty = 2;
  app.m_score = 500;
  app.p_LoadMenu();
}

const std::string kKnownState =
    "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1483|"  // settings, checksum
    "-2147483647|0|0|0|0|0|0|0|-2147483647|"                       // badge words (bits 0 and 31), checksum
    + Zeros(21)                                                    // Easy: ten (top, last) pairs, checksum
    + "900|500|800|0|500|0|500|0|100|0|" + Zeros(10) + "16900|"    // Normal
    + Zeros(21)                                                    // Hard
    + Zeros(21) + "500|0|" + Zeros(18) + "2000|"                   // blocks 3 and 4 repeat the last tens
    + Zeros(21 * 3);

TEST(SavedState, AKnownStateSavesTheExact203Tokens) {
  GameHarness game;
  MakeKnownState(game.app());
  EXPECT_EQ(Narrow(game.host.savedState), kKnownState);
  EXPECT_EQ(std::count(kKnownState.begin(), kKnownState.end(), '|'), kSavedTokens);
}

TEST(SavedState, ChecksumsAndBadgeWords) {
  int settings[kSettingCount] = {};
  settings[5] = 1;
  EXPECT_EQ(SettingsChecksum(settings), 5);
  std::fill(settings, settings + kSettingCount, INT_MAX);  // hostile values wrap instead of overflowing
  EXPECT_EQ(SettingsChecksum(settings), static_cast<int>(300u * static_cast<unsigned>(INT_MAX)));

  bool badges[kBadgeCount] = {};
  badges[32 + 31] = true;
  EXPECT_EQ(BadgeWord(badges, 1), INT_MIN) << "bit 31 is written as a negative number";
  int scores[kScoreCount] = {};
  std::string saved = Narrow(FormatSavedState({settings, badges, scores}));
  EXPECT_NE(saved.find("|0|-2147483648|0|"), std::string::npos);
  bool read[kBadgeCount] = {};
  EXPECT_EQ(ReadSavedState(String(saved.c_str()), {settings, read, scores}).badges, SavedGroup::Loaded);
  EXPECT_TRUE(std::equal(badges, badges + kBadgeCount, read)) << "and read back to the same 32 flags";
}

// The number reading itself is the URL parser's (tested with it); here what the saved state adds to it.
TEST(SavedState, TokensAreNarrowedCutAt63CharactersAndSaturated) {
  EXPECT_EQ(SavedStateTokens(String(u"\u0131" u"7|")).Int(0), 17) << "U+0131 narrowed is the digit 1";
  EXPECT_EQ(SavedStateTokens(String((std::string(63, '0') + "5").c_str())).Int(0), 0);
  EXPECT_EQ(SavedStateTokens(String("1|-99999999999|")).Int(1), INT_MIN);
  EXPECT_EQ(SavedStateTokens(String()).Count(), 1);
  EXPECT_EQ(SavedStateTokens(String(std::string(1000, '|').c_str())).Count(), SavedStateTokens::kKeptTokens);
}

TEST(SavedState, RandomStatesRoundTripAndCutsLoseWholeGroups) {
  std::mt19937 random(12);
  std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
  for (int round = 0; round < 50; ++round) {
    int settings[kSettingCount], scores[kScoreCount] = {};
    bool badges[kBadgeCount];
    for (int& value : settings) value = anyInt(random);
    for (bool& flag : badges) flag = random() & 1;
    for (int i = 0; i < 60; ++i) scores[i] = anyInt(random);  // the entries that are read back
    String saved = FormatSavedState({settings, badges, scores});

    int readSettings[kSettingCount], readScores[kScoreCount];
    bool readBadges[kBadgeCount];
    // Cut at every length (and not at all): each group is read whole or keeps the defaults.
    for (int cut = round < 3 ? 0 : saved.Length(); cut <= saved.Length(); ++cut) {
      std::fill(readSettings, readSettings + kSettingCount, 0);
      readSettings[5] = 1;
      std::fill(readBadges, readBadges + kBadgeCount, false);
      std::fill(readScores, readScores + kScoreCount, 0);
      ReadSavedState(saved.Slice(0, cut), {readSettings, readBadges, readScores});
      bool whole = cut == saved.Length();
      bool settingsWhole = std::equal(settings, settings + kSettingCount, readSettings);
      EXPECT_TRUE(settingsWhole || (!whole && readSettings[5] == 1 && readSettings[0] == 0)) << cut;
      bool badgesWhole = std::equal(badges, badges + kBadgeCount, readBadges);
      EXPECT_TRUE(badgesWhole || (!whole && std::count(readBadges, readBadges + kBadgeCount, true) == 0)) << cut;
      for (int block = 0; block < 3; ++block) {
        int* top = readScores + 10 * block;
        bool blockWhole = std::equal(top, top + 10, scores + 10 * block) &&
                          std::equal(top + 30, top + 40, scores + 30 + 10 * block);
        bool zero = std::count(top, top + 10, 0) == 10 && std::count(top + 30, top + 40, 0) == 10;
        EXPECT_TRUE(blockWhole || (!whole && zero)) << "block " << block << " cut " << cut;
      }
    }
  }
}

TEST(RecordingARound, PlacesAfterEqualScoresAndKeepsTheLastTen) {
  GameHarness game;
  c_MyApp& app = game.app();
  MakeKnownState(app);
  EXPECT_EQ(app.m_newRank, 3) << "500 on Normal over 900, 800, 500, 100 places fourth";
  int normal[] = {900, 800, 500, 500, 100, 0};
  EXPECT_TRUE(std::equal(normal, normal + 6, &app.m_scores[10]));
  EXPECT_EQ(app.m_scores[40], 500);

  app.m_scores[30] = 7;  // Easy: an empty top ten, one earlier last score
  app.m_difficulty = 1;
  app.m_score = 0;
  int saves = game.host.saves;
  app.p_LoadMenu();
  EXPECT_EQ(app.m_newRank, -1) << "0 does not beat 0";
  EXPECT_EQ(app.m_scores[30], 0) << "but is the newest of the last ten";
  EXPECT_EQ(app.m_scores[31], 7);
  EXPECT_EQ(game.host.saves, saves + 1) << "saved at once";

  for (int i = 0; i < 10; ++i) app.m_scores[20 + i] = 1000 - 100 * i;  // Hard: a full top ten
  app.m_difficulty = 3;
  app.m_score = 1001;
  app.p_LoadMenu();
  EXPECT_EQ(app.m_newRank, 0);
  EXPECT_EQ(app.m_scores[20], 1001);
  EXPECT_EQ(app.m_scores[29], 200) << "the old tenth dropped out";
}

// A whole save, damaged in different ways, read by a starting game through the host's text loader.
TEST(SavedFiles, DamageLosesOnlyTheDamagedGroups) {
  std::vector<int> savedSettings, savedScores, defaultSettings;
  std::string whole;
  {
    GameHarness game;
    defaultSettings.assign(&game.app().m_settings[0], &game.app().m_settings[0] + kSettingCount);
    MakeKnownState(game.app());
    game.app().m_settings[5] = 3;  // music only
    game.app().m_settings[10] = 100;
    game.app().m_scores[0] = 50;  // Easy and Hard get a top score too
    game.app().m_scores[20] = 70;
    game.host.SuspendGame();  // losing focus saves
    whole = Narrow(game.host.savedState);
    savedSettings.assign(&game.app().m_settings[0], &game.app().m_settings[0] + kSettingCount);
    savedScores.assign(&game.app().m_scores[0], &game.app().m_scores[0] + 60);
  }
  std::string editedSetting = whole, nulInBadges = whole, nulAfterNumbers = whole, random(4096, 0);
  editedSetting.replace(editedSetting.find("|3|"), 3, "|2|");
  nulInBadges.insert(whole.find("-2147483647"), 1, '\0');  // the first badge word reads 0
  nulAfterNumbers.insert(whole.find("|100|"), 1, '\0');    // "100" followed by a NUL still reads 100
  std::mt19937 bytes(7);
  for (char& c : random) {
    int byte = static_cast<int>(bytes() % 255) + 1;
    c = static_cast<char>(byte == '|' ? 'x' : byte);  // one token: no group can be found
  }
  std::string tenMegabytes = whole + std::string(10 << 20, '\xE9');  // after the last token: never read
  std::string cutInHard = whole.substr(0, whole.find("|70|") + 7);

  struct Case {
    const char* label;
    std::string bytes;
    const char* groups;  // settings, badges, Easy, Normal, Hard: L loaded, I invalid, M missing
  } cases[] = {
      {"a whole save", whole, "LLLLL"},
      {"no file or an empty one", "", "MMMMM"},
      {"an edited setting", editedSetting, "ILLLL"},
      {"a NUL opening a badge word", nulInBadges, "LILLL"},
      {"NULs after numbers", nulAfterNumbers, "LLLLL"},
      {"random bytes", random, "MMMMM"},
      {"10 MB after a whole save", tenMegabytes, "LLLLL"},
      {"cut in the Hard block", cutInHard, "LLLLM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing::internal::CaptureStdout();
    GameHarness game(640, 480, LoadBytes(c.bytes));
    std::string out = testing::internal::GetCapturedStdout();
    c_MyApp& app = game.app();
    const std::vector<int>& settings = c.groups[0] == 'L' ? savedSettings : defaultSettings;
    EXPECT_TRUE(std::equal(settings.begin(), settings.end(), &app.m_settings[0]));
    EXPECT_EQ(app.m_badges[31], c.groups[1] == 'L');
    for (int block = 0; block < 3; ++block) {
      bool loaded = c.groups[2 + block] == 'L';
      EXPECT_EQ(app.m_scores[10 * block], loaded ? savedScores[10 * block] : 0) << block;
      EXPECT_EQ(app.m_scores[30 + 10 * block], loaded ? savedScores[30 + 10 * block] : 0) << block;
    }
    const char* settingsLine = c.groups[0] == 'L' ? "Settings Loaded\n" : "Settings Checksum Invalid\n";
    EXPECT_EQ(out.find(settingsLine) != std::string::npos, c.groups[0] != 'M') << out;
    EXPECT_EQ(out.find("Badge Checksum Invalid") != std::string::npos, c.groups[1] == 'I') << out;
    EXPECT_NE(out.find("Highscores Loaded\n"), std::string::npos);

    game.Update(3);  // and the game runs on, saving a whole string when it loses focus
    game.host.SuspendGame();
    EXPECT_EQ(std::count(game.host.savedState.Data(), game.host.savedState.Data() + game.host.savedState.Length(),
                         u'|'), kSavedTokens);
  }
}

}  // namespace
