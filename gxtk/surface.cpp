// gxtkSurface: the pixel copy, the image file and the texture (see surface.h for when a texture is valid and where
// its pixels come from).
#include "gxtk/surface.h"

#include <GL/gl.h>
#include <GL/glext.h>  // GL_BGRA and GL_CLAMP_TO_EDGE, which a header of GL 1.1 alone lacks

#include <algorithm>
#include <cstdlib>

#include "host/core/game.h"
#include "runtime/errors.h"

namespace {

int FormatOf(int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
  }
}

// Colour channels times alpha / 255, truncated: the blend function expects premultiplied colour.
void Premultiply(unsigned char* pixels, long long pixelCount, int bytesPerPixel) {
  if (bytesPerPixel == 2) {
    for (long long i = 0; i < pixelCount; ++i, pixels += 2) pixels[0] = pixels[0] * pixels[1] / 255;
  } else if (bytesPerPixel == 4) {
    for (long long i = 0; i < pixelCount; ++i, pixels += 4) {
      int alpha = pixels[3];
      for (int c = 0; c < 3; ++c) pixels[c] = pixels[c] * alpha / 255;
    }
  }
}

void AllocateTexture(int format, int width, int height) {
  glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
}

}  // namespace

int gxtk_PowerOfTwoAtLeast(int size) {
  int power = 1;
  while (power < size && power < (1 << 30)) power <<= 1;
  return power;
}

gxtkSurface::~gxtkSurface() { Discard(); }

int gxtkSurface::Discard() {
  ReleaseTexture();
  ReleasePixels();
  sourcePath = String();
  return 0;
}

void gxtkSurface::ReleasePixels() {
  std::free(pixelData);
  pixelData = nullptr;
}

void gxtkSurface::ReleaseTexture() {
  if (textureSeq != KoGame::_game->GraphicsSeq()) return;  // an older context's texture died with it
  GLuint name = textureName;
  glDeleteTextures(1, &name);
  textureSeq = -1;
}

bool gxtkSurface::SetData(unsigned char* pixels, int newWidth, int newHeight, int newBytesPerPixel) {
  if (newBytesPerPixel < 1 || newBytesPerPixel > 4 || newWidth < 0 || newHeight < 0) {
    std::free(pixels);
    return false;
  }
  std::free(pixelData);
  Premultiply(pixels, static_cast<long long>(newWidth) * newHeight, newBytesPerPixel);
  pixelData = pixels;
  sourcePath = String();
  width = newWidth;
  height = newHeight;
  bytesPerPixel = newBytesPerPixel;
  glFormat = FormatOf(newBytesPerPixel);
  return true;
}

bool gxtkSurface::LoadFile(String path) {
  int fileWidth = 0, fileHeight = 0, fileBytesPerPixel = 0;
  unsigned char* pixels = KoGame::_game->LoadImageData(path, &fileWidth, &fileHeight, &fileBytesPerPixel);
  if (!pixels || !SetData(pixels, fileWidth, fileHeight, fileBytesPerPixel)) return false;
  sourcePath = path;
  return true;
}

// The copy again from the file, for a new texture or a write. A file that is gone or holds another image by now
// gives transparent pixels instead, so no texture shows what happened to be in its memory.
bool gxtkSurface::RestorePixels() {
  int fileWidth = 0, fileHeight = 0, fileBytesPerPixel = 0;
  unsigned char* pixels = KoGame::_game->LoadImageData(sourcePath, &fileWidth, &fileHeight, &fileBytesPerPixel);
  size_t bytes = static_cast<size_t>(width) * height * bytesPerPixel;
  if (pixels && fileWidth == width && fileHeight == height && fileBytesPerPixel == bytesPerPixel) {
    Premultiply(pixels, static_cast<long long>(width) * height, bytesPerPixel);
    pixelData = pixels;
    return true;
  }
  std::free(pixels);
  koPrint(String("Image file no longer readable: ") + sourcePath);
  pixelData = static_cast<unsigned char*>(std::calloc(bytes, 1));
  return pixelData != nullptr;
}

void gxtkSurface::Bind() {
  if (KoGame::_game->GraphicsSeq() == 0) return;  // no window, no context
  if (HasCurrentTexture()) {
    glBindTexture(GL_TEXTURE_2D, textureName);
    return;
  }
  CreateTexture();
}

// Nearest sampling, no mipmaps: sprites are drawn at their pixel size or scaled as blocks. A driver that
// refuses the exact size gets a power-of-two texture; the scales keep texture coordinates in image pixels,
// so the unused border is never sampled.
void gxtkSurface::CreateTexture() {
  textureSeq = KoGame::_game->GraphicsSeq();
  GLuint name = 0;
  glGenTextures(1, &name);
  textureName = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  int textureWidth = width, textureHeight = height;
  AllocateTexture(glFormat, textureWidth, textureHeight);
  if (glGetError() != GL_NO_ERROR) {
    textureWidth = gxtk_PowerOfTwoAtLeast(width);
    textureHeight = gxtk_PowerOfTwoAtLeast(height);
    AllocateTexture(glFormat, textureWidth, textureHeight);
  }
  uScale = textureWidth > 0 ? 1.0f / textureWidth : 0.0f;
  vScale = textureHeight > 0 ? 1.0f / textureHeight : 0.0f;
  UploadWhole();
}

// A surface without pixels (made blank, never written) keeps an uninitialised texture.
void gxtkSurface::UploadWhole() {
  if (width <= 0 || height <= 0) return;
  bool fromFile = sourcePath.Length() > 0;
  if (!pixelData && !(fromFile && RestorePixels())) return;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, glFormat, GL_UNSIGNED_BYTE, pixelData);
  if (fromFile) ReleasePixels();  // the texture holds them now, and the file can give them again
}

void gxtkSurface::SetSubData(int x, int y, int rectWidth, int rectHeight, const int* pixels, int pitch) {
  if (glFormat != GL_RGBA) return;
  // Clip to the surface: the part of the rectangle outside it has nowhere to go.
  int left = static_cast<int>(std::max<long long>(x, 0));
  int top = static_cast<int>(std::max<long long>(y, 0));
  int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + rectWidth, width));
  int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + rectHeight, height));
  if (left >= right || top >= bottom) return;
  if (!pixelData && sourcePath.Length() > 0) RestorePixels();  // the write lands on the file's pixels
  sourcePath = String();  // from here on the copy is the only record of the pixels
  if (KoGame::_game->GraphicsSeq() != 0 && !HasCurrentTexture()) CreateTexture();  // from the copy; a blank surface has none
  if (!pixelData) pixelData = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(width) * height, 4));
  if (!pixelData) return;
  for (int row = top; row < bottom; ++row) {
    const int* source = pixels + static_cast<long long>(row - y) * pitch + (left - x);
    unsigned char* target = pixelData + (static_cast<size_t>(row) * width + left) * 4;
    for (int k = 0; k < right - left; ++k, target += 4) {
      unsigned argb = static_cast<unsigned>(source[k]);
      unsigned alpha = argb >> 24;
      target[0] = ((argb >> 16) & 255) * alpha / 255;
      target[1] = ((argb >> 8) & 255) * alpha / 255;
      target[2] = (argb & 255) * alpha / 255;
      target[3] = alpha;
    }
  }
  if (HasCurrentTexture()) UploadRect(left, top, right - left, bottom - top);
  // Otherwise the next Bind uploads the whole copy.
}

void gxtkSurface::UploadRect(int x, int y, int rectWidth, int rectHeight) {
  glBindTexture(GL_TEXTURE_2D, textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (rectWidth == width) {  // whole rows: one contiguous block of the copy
    const unsigned char* rows = pixelData + static_cast<size_t>(y) * width * 4;
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, rectWidth, rectHeight, GL_RGBA, GL_UNSIGNED_BYTE, rows);
    return;
  }
  for (int row = y; row < y + rectHeight; ++row) {
    const unsigned char* start = pixelData + (static_cast<size_t>(row) * width + x) * 4;
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, row, rectWidth, 1, GL_RGBA, GL_UNSIGNED_BYTE, start);
  }
}
