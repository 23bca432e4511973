// A recording fake of exactly the OpenGL calls the renderer and surfaces make. It defines the real GL symbols
// (C linkage, the prototypes of <GL/gl.h>), so a unit test links it instead of libGL and needs no context.
//
// Every call is appended to `calls` as one line ("glScissor 10 410 100 50", "glEnable GL_BLEND", ...). Draw
// calls are also kept whole in `draws`: the vertices they would draw, read at call time through the client
// arrays as set up (indices resolved), with the texture and blend function in force. Textures keep their
// size and the bytes uploaded into them (honouring GL_UNPACK_ALIGNMENT). Out-of-range texture uploads set
// GL_INVALID_VALUE instead of writing, as a driver would.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake_gl {

struct Vertex {
  float x, y, u, v;
  uint8_t r, g, b, a;
};

struct Draw {
  int mode = 0;   // GL_POINTS, GL_LINES, GL_TRIANGLES, GL_TRIANGLE_FAN
  int count = 0;  // vertices of glDrawArrays, indices of glDrawElements
  bool indexed = false;
  unsigned texture = 0;  // the bound texture if GL_TEXTURE_2D is enabled, else 0
  int blendSrc = 0, blendDst = 0;
  std::vector<Vertex> vertices;  // in drawing order
};

struct Texture {
  int width = 0, height = 0, format = 0;
  std::vector<uint8_t> pixels;  // row t (texture coordinate t) first, tightly packed
  bool deleted = false;
};

struct State {
  std::vector<std::string> calls;
  std::vector<Draw> draws;
  std::map<unsigned, Texture> textures;
  unsigned nextTextureName = 1;
  unsigned boundTexture = 0;
  bool rejectNonPowerOfTwo = false;  // glTexImage2D of other sizes fails with GL_INVALID_VALUE
  int error = 0;                     // what glGetError reports next
  std::set<int> enabled;             // glEnable capabilities and client states
  int blendSrc = 1, blendDst = 0;
  int unpackAlignment = 4;
  struct Array {
    int size = 0, type = 0, stride = 0;
    const void* pointer = nullptr;
  } vertexArray, texCoordArray, colorArray;
  // The framebuffer as glReadPixels sees it: the BGRA value (as a little-endian int) at GL position (x, y).
  std::function<uint32_t(int x, int y)> framebuffer = [](int, int) { return 0u; };
};

extern State state;

void reset();
std::vector<std::string> calls_starting(const std::string& prefix);
// The texture's RGBA (or other format) bytes of pixel (x, y).
const uint8_t* texel(unsigned texture, int x, int y);

}  // namespace fake_gl
