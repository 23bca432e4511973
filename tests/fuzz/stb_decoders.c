/* The image library's and the Vorbis decoder's implementations, compiled from the system's headers into the
   image and sound fuzzers, so that the sanitizers and the coverage reach inside the decoders. The game links
   the same code from the system's library. */
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image.h"
#include "stb_vorbis.h"
