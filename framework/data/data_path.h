// Asset names to data-folder paths: "sfx/00.wav" -> "tarsil://data/sfx/00.wav". URIs ("scheme:/..."),
// "./relative" and "/absolute" paths are left alone. Every image, sound and music loader goes through this.
#pragma once

#include "runtime/string.h"

String ko_data_FixDataPath(String path);

// "Cannot load <file>: <consequence>", the file named where it was looked for: how every loader tells the
// player which data file is missing or damaged and what follows from it.
String ko_data_CannotLoad(String name, String consequence);
