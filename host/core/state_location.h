// Where the saved state lives, settled once per run.
//
// A program run from its build tree keeps ./.tarsilstate in the working directory, as it always has: tests and
// figures rely on that. An installed one keeps the same file in the user's own folder for the game, which the
// platform names (PlatformStateFolder: on Linux $XDG_DATA_HOME/quarzel/, ~/.local/share/quarzel/ by default; on
// Windows %APPDATA%\Quarzel\), so the scores follow the player whatever folder the game is started from.
//
// The place is settled at its first use, the load at start-up, on the main thread: the folder is made for the
// user alone (its missing parents too), and when it holds no state file yet, a ./.tarsilstate in the working
// directory, where older versions kept it, is copied into it with one output line saying so. Nothing is
// ever moved or deleted. A folder that cannot be made or written is reported in one output line; saves then
// fail, and the game plays on without them as it does after any failed save.
#pragma once

#include <string>

struct SettledFolder {
  bool usable = false;  // the folder exists and can be written
  std::string message;  // the one line to print about it, or "" when there is nothing to say
};

// Makes `folder` and, when it holds no state file, copies `oldFile` there if that exists.
SettledFolder SettleStateFolder(const std::string& folder, const std::string& oldFile);

// Where this run keeps its state, for --help. Makes and copies nothing.
std::string StateLocationText();

// The state file's path, settled (its folder made, an old file copied, any message printed) at its first use.
// The saving and loading code takes the path from here, so it reads the same wherever the state lives.
const std::string& StateFilePath();
