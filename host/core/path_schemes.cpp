// The path schemes of the host's files, mapped onto the base directory (paths.h):
//
//   "tarsil://data/..."      -> <base>/data/...
//   "tarsil://internal/..."  -> <base>/internal/...
//   "tarsil://external/..."  -> <base>/external/...
//   any other "tarsil:..."   -> "" (cannot be opened)
//   anything else            -> unchanged (relative to the working directory)
// <base> is the program's directory when a data folder lies beside the program (the build tree: build/quarzel
// with build/data); an installed program, <prefix>/bin/quarzel, has none there and uses <prefix>/share/quarzel
// (so <prefix>/share/quarzel/data). If neither exists, <base> stays the program's directory. The choice never
// depends on the working directory, so the program runs from anywhere. The saved state is not mapped: where it
// lives is state_location.h's business.
// The directories are computed on first use, on the main thread at start-up, and cached. Workers map paths
// too, so mapping only reads the cached strings and never copies them (a copy would count non-atomically).
#include "host/core/glfw_game.h"
#include "host/core/paths.h"
#include "host/core/platform.h"

const String& KoGlfwGame::BaseDir() {
  if (_baseDir.Length() == 0) {
    _baseDir = BaseDirForProgram(RunningProgramDirectory());
    _internalDir = _baseDir + String("/internal");
  }
  return _baseDir;
}

String KoGlfwGame::PathToFilePath(String path) {
  if (!path.StartsWith(String("tarsil:"))) return path;
  const String data("tarsil://data/"), internal("tarsil://internal/"), external("tarsil://external/");
  if (path.StartsWith(data)) return BaseDir() + String("/data/") + path.Slice(data.Length());
  if (path.StartsWith(internal)) {
    BaseDir();  // fills _internalDir with it
    return _internalDir + String("/") + path.Slice(internal.Length());
  }
  if (path.StartsWith(external)) return BaseDir() + String("/external/") + path.Slice(external.Length());
  return String();
}
