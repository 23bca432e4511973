// The game's fixed texts (see text_tables.h).
#include "game/text_tables.h"

namespace {

Array<String> from(const char* const* lines, int count) {
  Array<String> texts(count);
  for (int i = 0; i < count; ++i) texts[i] = String(lines[i]);
  return texts;
}

// "\\n" is the game's line break: a backslash and the letter n, drawn as a new line by the text layout.
const char* const kMenuSet[] = {
    "Easy",   "Easiest mode\\nNice and Easy.",
    "Normal", "Just right!\\nTough, but not hard.",
    "Hard",   "Maybe TOO hard!\\nIf you like it like that",
};

const char* const kCredits[] = {
    "",
    "A Game by", "Quarzel Works", "quarzel.example",
    "", "-=-=-", "",
    "Developed using", "Our own framework", "quarzel.example/framework",
    "", "-=-=-", "",
    "Graphics", "", "Most graphics by", "Ada Quarz", "", "Font: Neon Grid", "by Ada Quarz",
    "Lowercase added by", "Bram Feld", "",
    "", "-=-=-", "",
    "Audio", "", "Sound and Music by", "Cleo Marsh", "Our own synthesiser", "A step sequencer",
    "Some oscillators", "A lot of patience", "or whatever else", "was handy!",
    "", "-=-=-", "",
    "", "Hello to", "Dana Voss", "",
    "Thanks to", "Eli Brandt", "Fenna Kolb", "Gus Adair", "Hana Ito", "Ivo Lund", "Juno Park", "Kai Rowe",
    "Lior Shaw", "And everyone Else", "at the arcade club", "", "-=-=-", "End",
};

}  // namespace

Array<String> MenuSetTexts() { return from(kMenuSet, 6); }

Array<String> CreditTexts() {
  static_assert(sizeof kCredits / sizeof kCredits[0] == 57, "the credits have 57 lines");
  return from(kCredits, 57);
}
