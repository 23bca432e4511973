// Asset names to data-folder paths: "sfx/00.wav" -> "tarsil://data/sfx/00.wav". URIs ("scheme:/..."),
// "./relative" and "/absolute" paths are left alone. Every image, sound and music loader goes through this.
#pragma once

#include "runtime/string.h"

String ko_data_FixDataPath(String path);
