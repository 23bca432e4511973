// The host's descriptions of screen modes: sizes for the framework, sizes with colour depths for GLFW users.
#pragma once

#include "runtime/object.h"

class KoDisplayMode : public Object {
 public:
  KoDisplayMode(int width, int height) : width(width), height(height) {}
  int width, height;
  int format = 0, hertz = 0, flags = 0;  // this host never fills these
};

class KoGlfwVideoMode : public Object {
 public:
  KoGlfwVideoMode(int width, int height, int red, int green, int blue)
      : width(width), height(height), red(red), green(green), blue(blue) {}
  int width, height;
  int red, green, blue;
};
