// Frame geometry of an atlas and its file name (see atlas.h).
#include "datagen/atlas.h"

namespace datagen {

std::string resolutionSuffix(int factor) { return factor == 1 ? "" : factor == 2 ? "-hd" : "-hd2"; }

static int rowsFor(const AtlasLayout& layout) { return (layout.frameCount + layout.columns - 1) / layout.columns; }

Atlas::Atlas(const AtlasLayout& layout, int factor)
    : layout_(layout),
      factor_(factor),
      canvas_(layout.frameWidth * factor * layout.columns, layout.frameHeight * factor * rowsFor(layout)) {}

artkit::Pen Atlas::framePenFrom(int frame, int originFrame) {
  const int w = layout_.frameWidth * factor_, h = layout_.frameHeight * factor_;
  const int left = (frame % layout_.columns) * w, top = (frame / layout_.columns) * h;
  const int originLeft = (originFrame % layout_.columns) * w, originTop = (originFrame / layout_.columns) * h;
  artkit::Pen pen;
  pen.canvas = &canvas_;
  pen.origin = {originLeft + w * 0.5f, originTop + h * 0.5f};
  pen.scale = static_cast<float>(factor_);
  pen.clip = {left, top, left + w, top + h};
  return pen;
}

artkit::Pen Atlas::framePen(int frame) { return framePenFrom(frame, frame); }

bool Atlas::save(const std::string& dataFolder) const {
  return canvas_.writePng(dataFolder + "/" + layout_.name + resolutionSuffix(factor_) + ".png");
}

}  // namespace datagen
