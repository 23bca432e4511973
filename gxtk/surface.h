// gxtkSurface: an image as an OpenGL texture, made from a premultiplied CPU copy of its pixels.
//
// When a texture is valid: `textureName` names a live texture only while `textureSeq` equals the host's count
// of graphics contexts (KoGame::GraphicsSeq: on the desktop each window opening is a new OpenGL context, and the
// old context took its textures with it). Bind makes the texture lazily and again after every context change. A texture of an older
// generation is never deleted: its name may already belong to a texture of the new context.
//
// Where a new texture's pixels come from: the pixel copy, or the image file. A surface loaded from a file
// (LoadFile) remembers the file and lets its copy go once the texture holds the pixels, since the copy would only
// duplicate the texture (the driver keeps textures in memory); a new context decodes the file again. Pixels
// written into a surface (SetSubData) exist nowhere else, so from the first write on the surface keeps its copy
// for good and forgets the file; so does a surface given its pixels by SetData. A file that no longer decodes
// to the same image gives a transparent texture and a message naming it, and is tried again at the next context.
//
// Pixel copy: rows top to bottom, `width` x `bytesPerPixel` bytes each, colour premultiplied by alpha, owned by
// the surface (malloc'd; freed with free). Everything needs the GL context and the main thread, except SetData
// and LoadFile, which a background load may call on a surface nobody draws yet.
#pragma once

#include "host/core/game.h"
#include "runtime/object.h"

class gxtkSurface : public Object {
 public:
  unsigned char* pixelData = nullptr;  // the pixel copy, or null
  String sourcePath;                   // the image file the texture can be made from again; empty: none
  int width = 0, height = 0;  // image size, pixels (the texture may be larger)
  int bytesPerPixel = 0;      // 1 luminance, 2 luminance + alpha, 3 RGB, 4 RGBA
  int glFormat = 0;           // GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB or GL_RGBA
  int textureSeq = -1;        // the host's GraphicsSeq when the texture was made; -1: none
  unsigned textureName = 0;
  float uScale = 0, vScale = 0;  // 1 / texture width, 1 / texture height, per pixel

  ~gxtkSurface() override;

  virtual int Discard();
  virtual int Width() { return width; }
  virtual int Height() { return height; }
  virtual bool Loaded() { return true; }
  virtual void OnUnsafeLoadComplete() { Bind(); }

  void Bind();
  // Takes over `pixels` (width x height x bytesPerPixel bytes) and premultiplies them in place. False, with the
  // buffer freed, for a pixel size other than 1..4 bytes.
  bool SetData(unsigned char* pixels, int width, int height, int bytesPerPixel);
  // Decodes the image file through the host and installs its pixels as SetData does, remembering the file. False
  // if the file cannot be decoded.
  bool LoadFile(String path);
  // Writes ARGB pixels (`pitch` ints apart per row) into the rectangle at (x, y); RGBA surfaces only. The part
  // of the rectangle outside the surface is dropped.
  void SetSubData(int x, int y, int width, int height, const int* pixels, int pitch);

  bool HasCurrentTexture() const { return textureSeq == KoGame::_game->GraphicsSeq(); }

 private:
  void CreateTexture();
  void UploadWhole();
  void UploadRect(int x, int y, int width, int height);
  void ReleaseTexture();
  void ReleasePixels();
  bool RestorePixels();
};

// Sizes a texture can take when the driver rejects the image's own: the smallest power of two >= size, >= 1.
int gxtk_PowerOfTwoAtLeast(int size);
