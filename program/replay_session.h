// The program's replay session, at most one per run. With --record FILE the program plays as ever and writes
// what the game received into FILE as it goes; with --replay FILE it runs the session in FILE instead of the
// player's input (--fast: without pacing; --replay-saves: writing the saved state when the game saves). Either
// way the program's last line is "replay: N updates, state HASH", N the updates run and HASH the game's state
// hash in 16 hexadecimal digits; a replay whose hashes differ from the recording's says by which update, one
// whose game ends by itself before the recording did says where, and either ends with status 1 (F4 or the
// window's close button stopping a replay is no difference).
#pragma once

#include <string>

#include "host/core/glfw_game.h"
#include "host/replay/replay_recorder.h"

struct ReplaySetup {
  std::string recordFile, replayFile;  // at most one of them
  bool fast = false;
  bool replaySaves = false;
  ReplayGameHooks hooks;
};

// Opens the file to record into, or reads the file to replay and checks it whole, before anything opens a window.
// On failure prints "quarzel: FILE: <problem>" on standard error and returns false; the program then exits
// with status 2.
bool PrepareReplaySession(const ReplaySetup& setup);

// The host game object of this run, made at the first call (after GLFW started): a recording or replaying host
// for a session, else a plain KoTarsilGame.
KoGlfwGame& ReplaySessionGame();

// Ends the session, if there is one and it has not ended yet: closes the recording with its End record, or
// checks the replay's end, and prints the last line. Returns the status the program should end with.
int FinishReplaySession(int status);

// The build's game-logic revision, which a recording carries in its header.
std::uint32_t ReplayLogicRevision();
