// Where a POSIX system's user keeps the game's saved state, apart from the environment so it can be checked.
#pragma once

#include <string>

// The folder for the state file: "." for a program run from its build tree; for an installed one
// $XDG_DATA_HOME/quarzel when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/quarzel; "" when
// neither variable names an absolute path.
std::string StateFolderFor(bool installed, const char* xdgDataHome, const char* home);
