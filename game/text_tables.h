// The game's fixed texts: difficulty names and descriptions, and the credits. Data, kept apart from logic.
#pragma once

#include "runtime/array.h"

Array<String> MenuSetTexts();  // 6 entries: name, description per difficulty ("\n" is the two-character break)
Array<String> CreditTexts();   // 57 lines, shown in a loop; the last, "End", is never shown
