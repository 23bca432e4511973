// The key translation tables: GLFW 2 key numbers to framework key codes (the Windows virtual-key codes of the
// same keys), and the characters that special keys produce on key-down. Data, kept apart from the callbacks.
#include <array>
#include <cstdint>

#include "host/core/glfw_game.h"
#include "host/glfw2/glfw2.h"

using namespace glfw2;

namespace {

struct KeyPair {
  int glfwKey;
  uint8_t code;
};

// The keys with a code of their own; digits and letters keep their own numbers (TransKey).
constexpr KeyPair kKeyPairs[] = {
    {GLFW_KEY_SPACE, 32},   {'"', 222},  {'\'', 222}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191},
    {';', 186},             {'=', 187},  {'[', 219},  {'\\', 220}, {']', 221}, {'`', 192}, {'~', 192},
    {GLFW_KEY_ESC, 27},     {GLFW_KEY_UP, 38},         {GLFW_KEY_DOWN, 40},       {GLFW_KEY_LEFT, 37},
    {GLFW_KEY_RIGHT, 39},   {GLFW_KEY_LSHIFT, 16},     {GLFW_KEY_RSHIFT, 16},     {GLFW_KEY_LCTRL, 17},
    {GLFW_KEY_RCTRL, 17},   {GLFW_KEY_TAB, 9},         {GLFW_KEY_ENTER, 13},      {GLFW_KEY_BACKSPACE, 8},
    {GLFW_KEY_INSERT, 45},  {GLFW_KEY_DEL, 46},        {GLFW_KEY_PAGEUP, 33},     {GLFW_KEY_PAGEDOWN, 34},
    {GLFW_KEY_HOME, 36},    {GLFW_KEY_END, 35},        {GLFW_KEY_KP_DIVIDE, 111}, {GLFW_KEY_KP_MULTIPLY, 106},
    {GLFW_KEY_KP_SUBTRACT, 109}, {GLFW_KEY_KP_ADD, 107}, {GLFW_KEY_KP_DECIMAL, 110},
};

// 326 entries, GLFW keys 0 .. GLFW_KEY_LAST; 0 means the key produces no code (Alt, F13 and up, keypad Enter
// and Equals, the lock keys, Pause, the Windows and Menu keys).
constexpr std::array<uint8_t, GLFW_KEY_LAST + 1> make_key_table() {
  std::array<uint8_t, GLFW_KEY_LAST + 1> table{};
  for (const KeyPair& pair : kKeyPairs) table[pair.glfwKey] = pair.code;
  for (int f = 0; f < 12; ++f) table[GLFW_KEY_F1 + f] = static_cast<uint8_t>(112 + f);
  for (int k = 0; k < 10; ++k) table[GLFW_KEY_KP_0 + k] = static_cast<uint8_t>(96 + k);
  return table;
}
constexpr auto kKeyTable = make_key_table();

}  // namespace

int KoGlfwGame::TransKey(int glfwKey) {
  if ((glfwKey >= '0' && glfwKey <= '9') || (glfwKey >= 'A' && glfwKey <= 'Z')) return glfwKey;
  if (glfwKey < 0 || glfwKey > GLFW_KEY_LAST) return 0;
  return kKeyTable[glfwKey];
}

int KoGlfwGame::KeyToChar(int keyCode) {
  switch (keyCode) {
    case 8:
    case 9:
    case 13:
    case 27:
      return keyCode;
    case 46:
      return 127;
    default:
      // Page Up/Down, End, Home, the arrows and Insert: private character codes above the 16-bit range.
      if ((keyCode >= 33 && keyCode <= 40) || keyCode == 45) return keyCode + 65536;
      return 0;
  }
}
