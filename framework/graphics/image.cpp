// c_Image: cutting a surface into frames, the image flags, loading and creating images, and the font.
#include "framework/graphics/image.h"

#include "framework/data/data_path.h"
#include "framework/graphics/graphics.h"
#include "runtime/errors.h"

int c_Image::m_DefaultFlags = 0;

void c_Image::mark() {
  gc_mark(m_surface);
  gc_mark(m_frames);
  gc_mark(m_source);
}

// Frames side by side across the whole surface. A strip of fewer than one frame would have no frame width
// (a division by zero): it is read as one frame covering the surface.
c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
  if (m_surface) koError(String("Image already initialized"));
  if (frameCount < 1) frameCount = 1;
  m_surface = surface;
  m_width = surface->Width() / frameCount;
  m_height = surface->Height();
  m_frames = Array<c_Frame*>(frameCount);
  for (int i = 0; i < frameCount; ++i) m_frames[i] = (new c_Frame)->m_new(i * m_width, 0);
  p_ApplyFlags(flags);
  return this;
}

// Frames of frameWidth x frameHeight, row by row from (x, y), within the region (srcX, srcY, srcWidth,
// srcHeight) of the surface; a frame that does not fit starts the next row.
c_Image* c_Image::p_Init2(gxtkSurface* surface, int x, int y, int frameWidth, int frameHeight, int frameCount,
                          int flags, c_Image* source, int srcX, int srcY, int srcWidth, int srcHeight) {
  if (m_surface) koError(String("Image already initialized"));
  m_surface = surface;
  m_source = source;
  m_width = frameWidth;
  m_height = frameHeight;
  m_frames = Array<c_Frame*>(frameCount);
  int cursorX = x, cursorY = y;
  for (int i = 0; i < frameCount; ++i) {
    if (cursorX + frameWidth > srcWidth) {
      if (frameWidth > srcWidth) koError(String("Image frame outside surface"));
      cursorX = 0;
      cursorY += frameHeight;
    }
    if (cursorY + frameHeight > srcHeight) koError(String("Image frame outside surface"));
    m_frames[i] = (new c_Frame)->m_new(srcX + cursorX, srcY + cursorY);
    cursorX += frameWidth;
  }
  p_ApplyFlags(flags);
  return this;
}

int c_Image::p_ApplyFlags(int flags) {
  m_flags = flags;
  if (flags & PadX) {
    for (c_Frame* frame : m_frames) frame->m_x += 1;
    m_width -= 2;
  }
  if (flags & PadY) {
    for (c_Frame* frame : m_frames) frame->m_y += 1;
    m_height -= 2;
  }
  if (flags & HandleCentre) p_SetHandle(m_width * 0.5f, m_height * 0.5f);
  if (m_frames.Length() == 1 && m_frames[0]->m_x == 0 && m_frames[0]->m_y == 0 && m_width == m_surface->Width() &&
      m_height == m_surface->Height()) {
    m_flags |= WholeSurface;  // drawn as the whole surface: no texture coordinates to work out
  }
  return 0;
}

int c_Image::p_SetHandle(float x, float y) {
  m_handleX = x;
  m_handleY = y;
  m_flags &= ~HandleCentre;
  return 0;
}

// -------------------------------------------------------------------------------------------------------------
// Loading and creating

namespace {
gxtkSurface* LoadSurface(String path) {
  if (!ko_graphics_device) return nullptr;
  return ko_graphics_device->LoadSurface(ko_data_FixDataPath(path));
}
}  // namespace

// A missing or undecodable file is no image, not an error: callers test for it.
c_Image* ko_graphics_LoadImage(String path, int frameCount, int flags) {
  gxtkSurface* surface = LoadSurface(path);
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init(surface, frameCount, flags);
}

c_Image* ko_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags) {
  gxtkSurface* surface = LoadSurface(path);
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0, 0,
                                          surface->Width(), surface->Height());
}

c_Image* ko_graphics_CreateImage(int width, int height, int frameCount, int flags) {
  if (!ko_graphics_device) return nullptr;
  gxtkSurface* surface = ko_graphics_device->CreateSurface(width * frameCount, height);
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init(surface, frameCount, flags);
}

namespace {
// Said once: the program goes on, and text drawn in the built-in font is left out.
void report_missing_font() {
  static bool reported = false;
  if (reported) return;
  reported = true;
  koPrint(ko_data_CannotLoad(String("glim_font.png"), String("text in the built-in font is left out")));
}
}  // namespace

// No font means the built-in one, whose first frame is always character 32: a strip of 96 glyph cells for
// codes 32..127, each with a one-pixel border left and right. It stays none if its file cannot be loaded.
int ko_graphics_SetFont(c_Image* font, int firstChar) {
  c_GraphicsContext* context = ko_graphics_context;
  if (!font) {
    if (!context->m_defaultFont) context->m_defaultFont = ko_graphics_LoadImage(String("glim_font.png"), 96, c_Image::PadX);
    if (!context->m_defaultFont) report_missing_font();
    font = context->m_defaultFont;
    firstChar = 32;
  }
  context->m_currentFont = font;
  context->m_firstChar = firstChar;
  return 0;
}
