// Text helpers shared by tests: a runtime String as bytes to compare with literals, and runs of saved-state
// tokens.
#pragma once

#include <string>

#include "runtime/string.h"

// The narrow form of every code unit (its low 8 bits), NULs included.
inline std::string Narrow(const String& text) {
  std::string bytes;
  for (int i = 0; i < text.Length(); ++i) bytes += static_cast<char>(text[i]);
  return bytes;
}

// `count` saved-state tokens of 0, each with its "|".
inline std::string Zeros(int count) {
  std::string tokens;
  for (int i = 0; i < count; ++i) tokens += "0|";
  return tokens;
}
