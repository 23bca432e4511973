// A host that finds "tarsil://data/" in the build's generated data folder (build_paths.h), for the tests and
// benches that run the real game without living beside that folder.
#pragma once

#include "host/core/glfw_game.h"
#include "tests/support/build_paths.h"

class BuildDataHost : public KoGlfwGame {
 public:
  String PathToFilePath(String path) override {
    const String data("tarsil://data/");
    if (path.StartsWith(data)) return String(build_paths::kDataDir) + String("/") + path.Slice(data.Length());
    return KoGlfwGame::PathToFilePath(path);
  }
};
