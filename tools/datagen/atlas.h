// Atlas: one image file of the data folder being painted, a grid of equally sized frames at one resolution.
//
// Frames run left to right, then row by row, which is how the game's loader cuts them. Each frame is painted
// through its own pen: design units are the pixels of the factor-1 picture, the origin is the frame's centre
// (where the game puts every image's handle) and the pen cannot paint outside the frame.
#pragma once

#include <string>

#include "artkit/paint.h"

namespace datagen {

struct AtlasLayout {
  std::string name;  // base name inside the data folder, without suffix and extension
  int frameWidth;    // design units (factor-1 pixels)
  int frameHeight;   // design units
  int frameCount;
  int columns;
};

// "" at factor 1, "-hd" at 2, "-hd2" at 4: the suffixes the game appends to a base name.
std::string resolutionSuffix(int factor);

class Atlas {
 public:
  Atlas(const AtlasLayout& layout, int factor);
  const AtlasLayout& layout() const { return layout_; }
  int factor() const { return factor_; }
  artkit::Pen framePen(int frame);
  // Pen for frame `frame` whose origin sits at the centre of frame `originFrame`, so one shape can be drawn
  // across neighbouring frames that the game places side by side.
  artkit::Pen framePenFrom(int frame, int originFrame);
  bool save(const std::string& dataFolder) const;

 private:
  AtlasLayout layout_;
  int factor_;
  artkit::Canvas canvas_;
};

}  // namespace datagen
