// The drawing functions: validate the matrix, then hand the shape or image frame to the renderer. Outside a
// frame (no render device) they draw nothing.
#include "framework/graphics/graphics.h"

namespace {

// The renderer of the frame being drawn, with the matrix validated; null outside a frame.
gxtkGraphics* ValidatedDevice() {
  gxtkGraphics* device = ko_graphics_renderDevice;
  if (device) ko_graphics_context->p_Validate();
  return device;
}

// Draws frame `frame` of `image` with its top-left corner at (x, y). A frame index outside the image's frames
// draws nothing (there is no frame to read).
void DrawFrame(gxtkGraphics* device, c_Image* image, float x, float y, int frame) {
  if (image->m_flags & c_Image::WholeSurface) {
    device->DrawSurface(image->m_surface, x, y);
    return;
  }
  if (frame < 0 || frame >= image->m_frames.Length()) return;
  c_Frame* cell = image->m_frames[frame];
  device->DrawSurface2(image->m_surface, x, y, cell->m_x, cell->m_y, image->m_width, image->m_height);
}

}  // namespace

int ko_graphics_DrawRect(float x, float y, float width, float height) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawRect(x, y, width, height);
  return 0;
}

int ko_graphics_DrawLine(float x1, float y1, float x2, float y2) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawLine(x1, y1, x2, y2);
  return 0;
}

int ko_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawOval(x - xRadius, y - yRadius, 2 * xRadius, 2 * yRadius);
  return 0;
}

int ko_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
  gxtkGraphics* device = ValidatedDevice();
  if (!device || !image) return 0;
  DrawFrame(device, image, x - image->m_handleX, y - image->m_handleY, frame);
  return 0;
}

// Rotated and scaled about the handle: the handle goes to the origin, then scale, rotation and the move to
// (x, y) apply in that order, all in the matrix, so the frame's own corners are drawn at (0, 0).
int ko_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame) {
  if (!ko_graphics_renderDevice || !image) return 0;
  ko_graphics_PushMatrix();
  ko_graphics_Transform(1, 0, 0, 1, x, y);
  ko_graphics_Rotate(rotation);
  ko_graphics_Transform(scaleX, 0, 0, scaleY, 0, 0);
  ko_graphics_Transform(1, 0, 0, 1, -image->m_handleX, -image->m_handleY);
  DrawFrame(ValidatedDevice(), image, 0, 0, frame);
  ko_graphics_PopMatrix();
  return 0;
}
