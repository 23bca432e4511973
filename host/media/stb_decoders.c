/* The image library's and the Vorbis decoder's implementations, compiled from the system's headers. The desktop
   program links the same code from the system's library; three kinds of build compile it themselves: the web page
   (the system's library is native code, of no use to WebAssembly), the Windows build (the system's library is
   Linux code) and the image and sound fuzzers (so that the sanitizers and the coverage reach inside the
   decoders). */
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image.h"
#include "stb_vorbis.h"
