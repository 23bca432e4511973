// A check of an Ogg Vorbis file's comment header, made before the file reaches the Vorbis decoder.
//
// The decoder trusts the lengths in that header: it reserves memory for each length and reads that many bytes,
// so a length past the packet's end (or one that wraps when the decoder adds 1 to it) makes it write outside
// its memory, and a long one makes it spin over bytes that are not there. This check walks the stream's first
// pages from the file's current position and accepts only a comment header whose every length lies within its
// packet, as every encoder writes it. It leaves the file at the position where it found it.
#pragma once

#include <cstdio>

bool OggCommentHeaderFits(std::FILE* file);
