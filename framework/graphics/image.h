// Images and frames: c_Image is a drawable view of a surface, cut into equally sized frames, with a handle
// (the point of a frame placed at the drawing position) and flags; c_Frame is one frame's top-left pixel.
//
// Invariants: an image is initialised at most once ("Image already initialized") and then has a surface; a
// strip (p_Init) has at least one frame; a grid (p_Init2) keeps every frame inside its cutting region ("Image
// frame outside surface"); m_width x m_height is the drawn size of each frame after the PadX / PadY borders
// are removed. HandleCentre is applied once and never stays in m_flags; WholeSurface is set only by the image
// itself, for one frame at (0, 0) covering the whole surface.
#pragma once

#include "gxtk/surface.h"
#include "runtime/object.h"

class c_Frame : public Object {
 public:
  c_Frame* m_new(int x, int y) {
    m_x = x, m_y = y;
    return this;
  }
  int m_x = 0, m_y = 0;  // surface pixels
};

class c_Image : public Object {
 public:
  static constexpr int HandleCentre = 1;
  static constexpr int PadX = 2;  // a one-pixel border left and right of every frame, not drawn
  static constexpr int PadY = 4;  // the same above and below
  static constexpr int WholeSurface = 65536;
  static int m_DefaultFlags;

  Ref<gxtkSurface> m_surface;
  int m_width = 0, m_height = 0;  // one frame, pixels
  Array<c_Frame*> m_frames;
  int m_flags = 0;
  float m_handleX = 0, m_handleY = 0;  // pixels from the frame's top-left corner
  Ref<c_Image> m_source;               // the image this one was cut from, if any

  c_Image* m_new() { return this; }
  c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
  c_Image* p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight, int frameCount, int flags,
                   c_Image* source, int srcX, int srcY, int srcWidth, int srcHeight);
  int p_ApplyFlags(int flags);
  int p_SetHandle(float x, float y);
  int p_Width() { return m_width; }
  int p_Height() { return m_height; }
  int p_Frames() { return m_frames.Length(); }
  void mark() override;
};

c_Image* ko_graphics_LoadImage(String path, int frameCount, int flags);
c_Image* ko_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags);
c_Image* ko_graphics_CreateImage(int width, int height, int frameCount, int flags);
int ko_graphics_SetFont(c_Image* font, int firstChar);
