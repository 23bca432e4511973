// The data-folder path rule (see data_path.h).
#include "framework/data/data_path.h"

#include "host/core/game.h"

String ko_data_FixDataPath(String path) {
  int schemeEnd = path.Find(String(":/"));
  // A scheme (or drive letter) only if no "/" comes before the ":/".
  if (schemeEnd != -1 && path.Find(String("/")) == schemeEnd + 1) return path;
  if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
  return String("tarsil://data/") + path;
}

String ko_data_CannotLoad(String name, String consequence) {
  return String("Cannot load ") + KoGame::_game->PathToFilePath(ko_data_FixDataPath(name)) + String(": ") +
         consequence;
}
