// Where the program's folders are found, apart from the host object so it can be checked on its own.
#pragma once

#include "runtime/string.h"

// The folder holding data/, internal/ and external/ for a program in `programDirectory`: that directory
// itself when it has a data folder (the build tree, or a copy unpacked with its data beside it); otherwise
// <prefix>/share/quarzel when that has one, <prefix> being the directory above `programDirectory` (the
// program installed as <prefix>/bin/quarzel); otherwise the program's directory again, so a missing data
// folder is reported where it was first looked for.
String BaseDirForProgram(const String& programDirectory);

// The directory of the running program: platform.h.
String RunningProgramDirectory();
