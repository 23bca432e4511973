// What each game key code tests: keyboard keys (with the iCade cabinet off and on), joystick buttons, the
// left-stick direction and the virtual pad entries. Data, kept apart from the code that reads it.
#pragma once

#include <initializer_list>

struct ControlBinding {
  int code;
  std::initializer_list<int> keys;        // iCade off
  std::initializer_list<int> iCadeKeys;   // iCade on: the cabinet sends letters, so letters do not count
  std::initializer_list<int> joyButtons;  // buttons of the player's joystick
  int stickDirection;                     // 0 none, 1 up, 2 left, 3 right, 4 down
  std::initializer_list<int> padEntries;
};

// Codes 98 and 99 are the back buttons (99 also pauses).
inline const ControlBinding kControlBindings[] = {
    {0, {38, 87}, {38}, {9}, 1, {0}},
    {3, {37, 65}, {37}, {8}, 2, {3}},
    {5, {39, 68}, {39}, {10}, 3, {5}},
    {8, {40, 83}, {40}, {11}, 4, {8}},
    {10, {90, 74, 32, 13}, {32, 13}, {0}, 0, {10}},
    {11, {88, 75, 17}, {17}, {1}, 0, {11}},
    {12, {67, 76, 16}, {16}, {2}, 0, {12}},
    {13, {86, 73}, {}, {3}, 0, {13}},
    {14, {66, 85}, {}, {4}, 0, {14}},
    {15, {78, 79}, {}, {5}, 0, {15}},
    {98, {27, 192, 46, 8}, {}, {6, 7, 14}, 0, {16, 17, 19}},
    {99, {27, 192, 46, 8}, {27, 46, 8}, {6, 7, 14}, 0, {16, 17, 19}},
};

// Game keys any of which, held by any player, keeps the key latch set: a press acts once until all are released.
inline constexpr int kLatchKeys[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 16, 17, 99};

// iCade letters: a press letter holds a pad entry (value 2), its release letter frees it.
struct ICadeLetter {
  char press, release;
  int padEntry;
};
inline const ICadeLetter kICadeLetters[] = {
    {'W', 'E', 0},  {'X', 'Z', 8},  {'A', 'Q', 3},  {'D', 'C', 5},  {'Y', 'T', 13}, {'U', 'F', 14},
    {'I', 'M', 15}, {'O', 'G', 16}, {'H', 'R', 10}, {'J', 'N', 11}, {'K', 'P', 12}, {'L', 'V', 17},
};
