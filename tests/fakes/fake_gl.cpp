// The recording fake of the OpenGL calls used by the device layer (see fake_gl.h).
#include "tests/fakes/fake_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>  // GL_BGRA and GL_CLAMP_TO_EDGE, which a header of GL 1.1 alone lacks

#include <cstring>

namespace fake_gl {

State state;

void reset() { state = State(); }

std::vector<std::string> calls_starting(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : state.calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

namespace {

std::string Name(int value) {
  static const std::map<int, const char*> names = {
      {GL_BLEND, "GL_BLEND"}, {GL_TEXTURE_2D, "GL_TEXTURE_2D"}, {GL_SCISSOR_TEST, "GL_SCISSOR_TEST"},
      {GL_VERTEX_ARRAY, "GL_VERTEX_ARRAY"}, {GL_TEXTURE_COORD_ARRAY, "GL_TEXTURE_COORD_ARRAY"},
      {GL_COLOR_ARRAY, "GL_COLOR_ARRAY"}, {GL_PROJECTION, "GL_PROJECTION"}, {GL_MODELVIEW, "GL_MODELVIEW"},
      {GL_ONE, "GL_ONE"}, {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"}, {GL_POINTS, "GL_POINTS"},
      {GL_LINES, "GL_LINES"}, {GL_TRIANGLES, "GL_TRIANGLES"}, {GL_TRIANGLE_FAN, "GL_TRIANGLE_FAN"},
      {GL_RGBA, "GL_RGBA"}, {GL_RGB, "GL_RGB"}, {GL_LUMINANCE, "GL_LUMINANCE"},
      {GL_LUMINANCE_ALPHA, "GL_LUMINANCE_ALPHA"}, {GL_NEAREST, "GL_NEAREST"}, {GL_CLAMP_TO_EDGE, "GL_CLAMP_TO_EDGE"},
  };
  auto found = names.find(value);
  return found != names.end() ? found->second : std::to_string(value);
}

template <class... Values>
void Log(const char* function, Values... values) {
  std::string line = function;
  ((line += " " + [](auto v) {
     if constexpr (std::is_same_v<decltype(v), const char*>) return std::string(v);
     else if constexpr (std::is_same_v<decltype(v), std::string>) return v;
     else return std::to_string(v);
   }(values)),
   ...);
  state.calls.push_back(line);
}

int BytesPerPixel(int format) {
  switch (format) {
    case GL_LUMINANCE: return 1;
    case GL_LUMINANCE_ALPHA: return 2;
    case GL_RGB: return 3;
    default: return 4;
  }
}

Vertex Fetch(int index) {
  Vertex vertex{};
  auto at = [index](const State::Array& array) {
    return static_cast<const uint8_t*>(array.pointer) + static_cast<long>(index) * array.stride;
  };
  if (state.enabled.count(GL_VERTEX_ARRAY) && state.vertexArray.pointer) {
    std::memcpy(&vertex.x, at(state.vertexArray), 2 * sizeof(float));
  }
  if (state.enabled.count(GL_TEXTURE_COORD_ARRAY) && state.texCoordArray.pointer) {
    std::memcpy(&vertex.u, at(state.texCoordArray), 2 * sizeof(float));
  }
  if (state.enabled.count(GL_COLOR_ARRAY) && state.colorArray.pointer) std::memcpy(&vertex.r, at(state.colorArray), 4);
  return vertex;
}

Draw NewDraw(int mode, int count, bool indexed) {
  Draw draw;
  draw.mode = mode, draw.count = count, draw.indexed = indexed;
  draw.texture = state.enabled.count(GL_TEXTURE_2D) ? state.boundTexture : 0;
  draw.blendSrc = state.blendSrc, draw.blendDst = state.blendDst;
  return draw;
}

}  // namespace

const uint8_t* texel(unsigned texture, int x, int y) {
  const Texture& t = state.textures.at(texture);
  return t.pixels.data() + (static_cast<size_t>(y) * t.width + x) * BytesPerPixel(t.format);
}

}  // namespace fake_gl

using fake_gl::Log;
using fake_gl::Name;
using fake_gl::state;

extern "C" {

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { Log("glViewport", x, y, width, height); }
void glMatrixMode(GLenum mode) { Log("glMatrixMode", Name(mode)); }
void glLoadIdentity() { Log("glLoadIdentity"); }
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far) {
  Log("glOrtho", static_cast<int>(left), static_cast<int>(right), static_cast<int>(bottom), static_cast<int>(top),
      static_cast<int>(near), static_cast<int>(far));
}

void glEnableClientState(GLenum array) {
  Log("glEnableClientState", Name(array));
  state.enabled.insert(array);
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  Log("glVertexPointer", size, Name(type), stride);
  state.vertexArray = {size, static_cast<int>(type), stride, pointer};
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  Log("glTexCoordPointer", size, Name(type), stride);
  state.texCoordArray = {size, static_cast<int>(type), stride, pointer};
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  Log("glColorPointer", size, Name(type), stride);
  state.colorArray = {size, static_cast<int>(type), stride, pointer};
}

void glEnable(GLenum capability) {
  Log("glEnable", Name(capability));
  state.enabled.insert(capability);
}

void glDisable(GLenum capability) {
  Log("glDisable", Name(capability));
  state.enabled.erase(capability);
}

void glBlendFunc(GLenum source, GLenum destination) {
  Log("glBlendFunc", Name(source), Name(destination));
  state.blendSrc = source, state.blendDst = destination;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { Log("glClearColor", r, g, b, a); }
void glClear(GLbitfield mask) { Log("glClear", mask); }
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) { Log("glScissor", x, y, width, height); }

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  Log("glDrawArrays", Name(mode), first, count);
  fake_gl::Draw draw = fake_gl::NewDraw(mode, count, false);
  for (int i = first; i < first + count; ++i) draw.vertices.push_back(fake_gl::Fetch(i));
  state.draws.push_back(draw);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
  Log("glDrawElements", Name(mode), count);
  fake_gl::Draw draw = fake_gl::NewDraw(mode, count, true);
  if (type == GL_UNSIGNED_SHORT) {
    const GLushort* index = static_cast<const GLushort*>(indices);
    for (int i = 0; i < count; ++i) draw.vertices.push_back(fake_gl::Fetch(index[i]));
  }
  state.draws.push_back(draw);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
  Log("glReadPixels", x, y, width, height);
  if (format != GL_BGRA || type != GL_UNSIGNED_BYTE) return;
  uint32_t* out = static_cast<uint32_t*>(pixels);  // rows bottom up, as GL delivers them
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) *out++ = state.framebuffer(x + column, y + row);
  }
}

void glGenTextures(GLsizei count, GLuint* names) {
  for (int i = 0; i < count; ++i) {
    names[i] = state.nextTextureName++;
    state.textures[names[i]] = fake_gl::Texture();
  }
  Log("glGenTextures", count);
}

void glDeleteTextures(GLsizei count, const GLuint* names) {
  for (int i = 0; i < count; ++i) {
    Log("glDeleteTextures", names[i]);
    if (state.textures.count(names[i])) state.textures[names[i]].deleted = true;
  }
}

void glBindTexture(GLenum target, GLuint name) {
  Log("glBindTexture", Name(target), name);
  state.boundTexture = name;
}

void glTexParameteri(GLenum target, GLenum parameter, GLint value) {
  Log("glTexParameteri", Name(target), parameter, Name(value));
}

void glPixelStorei(GLenum parameter, GLint value) {
  Log("glPixelStorei", parameter, value);
  if (parameter == GL_UNPACK_ALIGNMENT) state.unpackAlignment = value;
}

GLenum glGetError() {
  int error = state.error;
  state.error = GL_NO_ERROR;
  return error;
}

void glTexImage2D(GLenum, GLint, GLint internalFormat, GLsizei width, GLsizei height, GLint, GLenum format, GLenum,
                  const GLvoid*) {
  Log("glTexImage2D", std::to_string(width) + "x" + std::to_string(height), Name(internalFormat));
  bool powerOfTwo = (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
  if (width < 0 || height < 0 || (state.rejectNonPowerOfTwo && !powerOfTwo) || !state.textures.count(state.boundTexture)) {
    state.error = GL_INVALID_VALUE;
    return;
  }
  fake_gl::Texture& texture = state.textures[state.boundTexture];
  texture.width = width, texture.height = height, texture.format = format;
  texture.pixels.assign(static_cast<size_t>(width) * height * fake_gl::BytesPerPixel(format), 0);
}

void glTexSubImage2D(GLenum, GLint, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum,
                     const GLvoid* pixels) {
  Log("glTexSubImage2D", x, y, width, height);
  auto found = state.textures.find(state.boundTexture);
  if (found == state.textures.end() || x < 0 || y < 0 || x + width > found->second.width ||
      y + height > found->second.height || static_cast<int>(format) != found->second.format) {
    state.error = GL_INVALID_VALUE;
    return;
  }
  fake_gl::Texture& texture = found->second;
  int pixelBytes = fake_gl::BytesPerPixel(format);
  int rowBytes = width * pixelBytes;
  int sourcePitch = (rowBytes + state.unpackAlignment - 1) / state.unpackAlignment * state.unpackAlignment;
  const uint8_t* source = static_cast<const uint8_t*>(pixels);
  for (int row = 0; row < height; ++row) {
    std::memcpy(texture.pixels.data() + (static_cast<size_t>(y + row) * texture.width + x) * pixelBytes,
                source + static_cast<size_t>(row) * sourcePitch, rowBytes);
  }
}

}  // extern "C"
