// The runtime's one UTF-8 encoder: one to three bytes per UTF-16 code unit, surrogates encoded unit by unit.
// Used for program output and the saved-state file, which must agree byte for byte.
#pragma once

#include <string>

#include "runtime/string.h"

// Appends the encoding of `text` to `out`.
void AppendUtf8(const String& text, std::string& out);
