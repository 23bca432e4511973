// The platform list: every function a platform provides. A platform is a folder, host/<platform>/ (desktop/, web/),
// that implements this list under the same file names; the top-level CMakeLists.txt chooses one. Everything
// else, the game, the framework, the device layer and the rest of the host, is the same code on every platform.
// A platform's system headers stay inside its own files.
//
// The list, file by file:
//   host/<platform>/platform.cpp   the functions under "The program" below
//   host/<platform>/window.cpp     the functions under "The window and the loop" below
//   host/<platform>/glfw2.cpp      the platform's part of our GLFW 2 layer: host/glfw2/glfw2_layer.h lists it
//   file_system.cpp                the functions under "Files" below
//   durable_replace.cpp            ReplaceFileDurably (host/core/durable_replace.h)
//   net/<platform>/ko_socket.cpp   the sockets: every member of KoSocket in net/ko_socket.h, and the system's
//                                  name resolver (ko_socket_SystemResolver in net/name_lookup.h)
// A platform takes a file from another where the two are the same: the page and the Linux desktop share the
// POSIX files of host/posix/, Windows takes the desktop's window and GLFW part (GLFW 3 is a desktop's on both).
// and the runtime's hooks (runtime/errors.h, runtime/thread.h), which a platform sets in PlatformStart where
// their defaults do not serve it: koExitFunction (how the program ends), dbg_read_command (where the fatal
// report's hand-off reads commands), KoThread::startFailureEnds (whether a thread that cannot start is fatal) and
// koRunWorker (how a worker thread runs its work; PlatformCatchCrashes may set it with the crash handlers).
//
// All run on the main thread, but RunningProgramDirectory, which may also run before anything else is set up.
#pragma once

#include <cstdio>
#include <string>

#include "runtime/string.h"

class KoGlfwGame;

// ---- The program (platform.cpp)

// Runs first in KoTarsilGame::Main, before the window layer starts: sets the runtime's hooks this platform needs.
void PlatformStart();

// Makes a crash end with the runtime's fatal report (sighandler) where the platform can catch one, on every thread
// that runs program code; may set koRunWorker for the workers.
void PlatformCatchCrashes();

// The directory of the running program, with "/" between folders: the executable's, or where the page's files are
// mounted. The data folder is found from here.
String RunningProgramDirectory();

// The saved state has been written whole (KoGame::SaveState): the place to make a platform's stored copy durable.
void PlatformStateSaved();

// Hands `url` to the system's browser; no result is reported, and nothing in the URL is interpreted as a command.
void PlatformOpenUrl(const String& url);

// True where the player's main pointer is a finger (a phone's or tablet's browser): the game then shows its own
// on-screen controls. The same answer for the whole run.
bool PlatformHasTouchScreen();

// ---- The window and the loop (window.cpp)

struct WindowRequest {
  int width = 640, height = 480;  // device pixels
  int red = 8, green = 8, blue = 8, alpha = 0, depth = 0, stencil = 0;  // bits
  bool fullscreen = false;
  int swapInterval = 1;  // to apply to a new window; negative: leave the driver's default
};

enum class WindowChange {
  Kept,    // the window there was serves, with its OpenGL context and every texture in it
  Opened,  // a new window with a new OpenGL context: textures made before it are gone
  Failed,  // no window could be had
};

// Gives the window the requested size and full-screen state, closing and opening one where the platform must.
WindowChange PlatformSetWindow(const WindowRequest& request);

// True while the window fills the screen: as last asked, or as the platform reports it (a browser leaves full
// screen by itself on Escape, and then calls KoGlfwGame::LeftFullscreen).
bool PlatformFullscreen();

// The frame loop: opens the first window and starts the game (game.Open()), then has game.Frame() run once per
// pass until the window closes. A platform whose own loop calls back (a browser's) may return at once or never.
void PlatformRun(KoGlfwGame& game);

// ---- Files (file_system.cpp). Paths are UTF-8 with "/" between folders; each platform turns them into its own.

// Opens `path` with the C library's `mode`; null when it cannot, or when `path` is a folder (which some C
// libraries open for reading).
std::FILE* PlatformOpenFile(const std::string& path, const char* mode);

bool PlatformIsFolder(const std::string& path);

// True when anything is at `path`, a symbolic link whose target is gone included.
bool PlatformPathExists(const std::string& path);

// Makes `folder` and its missing parents, for the user alone where the system has such modes. "" when the folder
// then exists and can be written, else why not, in words.
std::string PlatformMakeFolder(const std::string& folder);

// The working directory; "." when it cannot be told.
std::string PlatformWorkingDirectory();

// The file a save of the state file `stateFile` replaces: the file itself, or where it leads when it is a
// symbolic link, so that the link stays one.
std::string PlatformSaveTarget(const std::string& stateFile);

// Where this run keeps its saved state: "." (the working directory) for a program run from its build tree; the
// user's own folder for the game, for an installed or unpacked one; "" when the environment names none.
std::string PlatformStateFolder();

// The environment variables PlatformStateFolder reads, for the line saying none of them names a folder.
const char* PlatformStateFolderVariables();
