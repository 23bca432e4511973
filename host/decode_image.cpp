// KoGlfwGame::LoadImageData: an image file (PNG, JPEG and the other formats of the image library) into
// 8-bit pixels.
//
// Returns a malloc'd block of width x height x depth bytes, rows top to bottom, in the file's own channel
// count (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA), not premultiplied; the caller frees it. A missing,
// truncated or undecodable file gives null. May run on a worker thread: it touches only the file it opens,
// the collector's atomic external-bytes counter, and (once) the allocator's threshold for mapped blocks
// (decode_memory.h).
#include "stb_image.h"

#include "host/decode_memory.h"
#include "host/glfw_game.h"

unsigned char* KoGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
  std::FILE* file = OpenFile(path, String("rb"));
  if (!file) return nullptr;
  KeepLargeBlocksMapped();
  unsigned char* pixels = stbi_load_from_file(file, width, height, depth, 0);  // 0: keep the file's channels
  std::fclose(file);
  if (!pixels) return nullptr;
  gc_ext_malloced(*width * *height * *depth);  // the library refuses images over 2^30 bytes: no overflow
  return pixels;
}
