// Ogg Vorbis streams for tests, made with the reference encoder: a tone of the given length.
#pragma once

#include <string>

// `frames` frames of a 440 Hz tone on each of `channels` channels at `hertz`, as a whole Ogg Vorbis file.
std::string EncodeVorbisTone(int channels, int hertz, int frames);
