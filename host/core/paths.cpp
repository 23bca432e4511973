// Where the program's folders are: the base directory that holds data/ for a program in a given directory, and
// the program's directory from its executable's path. Where the running program itself is, is each platform's
// own (platform.h); the tarsil:// paths that map into these folders are path_schemes.cpp's. This file has no
// host object in it, so the tools that only read files link no window code through it.
#include "host/core/paths.h"

#include <string>

#include "host/core/durable_replace.h"
#include "host/core/glfw_game.h"
#include "host/core/platform.h"
#include "runtime/errors.h"
#include "runtime/utf8.h"

namespace {

bool IsDirectory(const String& path) {
  std::string bytes;
  AppendUtf8(path, bytes);
  return PlatformIsFolder(bytes);
}

}  // namespace

String BaseDirForProgram(const String& programDirectory) {
  if (IsDirectory(programDirectory + String("/data"))) return programDirectory;
  int slash = programDirectory.FindLast(String("/"));
  if (slash < 0) return programDirectory;  // the program sits in the root directory: no prefix above it
  String installed = programDirectory.Slice(0, slash) + String("/share/quarzel");
  if (IsDirectory(installed + String("/data"))) return installed;
  return programDirectory;
}

std::string DirectoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

String KoGlfwGame::ProgramDirectory(String executablePath) {
  String path = executablePath.Replace(String("\\"), String("/"));
  int slash = path.FindLast(String("/"));
  if (slash < 0) koError(String("Cannot find the program directory"));
  return path.Slice(0, slash);
}
