// quarzel_contact_sheet DATA_FOLDER OUT.png [NAME_FILTER]: lays every PNG of the data folder on one sheet so
// a person can review the whole art set at once. One row per picture: its name, then the factor-1, "-hd" and
// "-hd2" files side by side at their own pixel size, over a dark checkerboard that shows transparency. With a
// filter only names containing it are placed (handy for looking closely at one file).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <stb_image.h>

#include "artkit/canvas.h"
#include "artkit/stroke_font.h"

namespace {

namespace fs = std::filesystem;
using artkit::Canvas;

constexpr int kMargin = 16;       // pixels around and between pictures
constexpr int kLabelHeight = 28;  // pixels above each row for its name

struct Row {
  std::string name;
  std::vector<Canvas> versions;  // in factor order 1, 2, 4 (missing files are left out)
};

bool loadPng(const fs::path& path, Canvas& out) {
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
  if (!pixels) return false;
  out = Canvas(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = pixels + (static_cast<size_t>(y) * w + x) * 4;
      const float a = p[3] / 255.0f;
      out.setPremultiplied(x, y, {p[0] / 255.0f * a, p[1] / 255.0f * a, p[2] / 255.0f * a, a});
    }
  }
  stbi_image_free(pixels);
  return true;
}

// Base name of a picture file relative to the data folder: "common/icons-hd.png" -> "common/icons".
std::string baseName(const fs::path& relative, int& factor) {
  std::string name = relative.generic_string();
  name.resize(name.size() - 4);
  factor = 1;
  for (auto [suffix, f] : {std::pair{std::string("-hd2"), 4}, std::pair{std::string("-hd"), 2}}) {
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
      name.resize(name.size() - suffix.size());
      factor = f;
      break;
    }
  }
  return name;
}

std::vector<Row> collectRows(const fs::path& folder, const std::string& filter) {
  std::map<std::string, std::map<int, fs::path>> files;  // sorted, so the sheet is the same every time
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".png") continue;
    int factor = 1;
    const std::string name = baseName(fs::relative(entry.path(), folder), factor);
    if (name.find(filter) != std::string::npos) files[name][factor] = entry.path();
  }
  std::vector<Row> rows;
  for (const auto& [name, byFactor] : files) {
    Row row{name, {}};
    for (const auto& [factor, path] : byFactor) {
      Canvas picture(1, 1);
      if (loadPng(path, picture)) row.versions.push_back(std::move(picture));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void paintChecker(Canvas& sheet) {
  for (int y = 0; y < sheet.height(); ++y) {
    for (int x = 0; x < sheet.width(); ++x) {
      const float shade = ((x / 8 + y / 8) % 2) ? 0.10f : 0.14f;
      sheet.setPremultiplied(x, y, {shade * 0.6f, shade * 0.6f, shade, 1});
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DATA_FOLDER OUT.png [NAME_FILTER]\n", argv[0]);
    return 2;
  }
  const std::vector<Row> rows = collectRows(argv[1], argc > 3 ? argv[3] : "");
  int width = 0, height = kMargin;
  for (const Row& row : rows) {
    int rowWidth = kMargin, rowHeight = 0;
    for (const Canvas& c : row.versions) rowWidth += c.width() + kMargin, rowHeight = std::max(rowHeight, c.height());
    width = std::max(width, rowWidth);
    height += kLabelHeight + rowHeight + kMargin;
  }
  Canvas sheet(std::max(width, 400), height);
  paintChecker(sheet);
  const artkit::Pen pen = artkit::wholeCanvasPen(sheet);
  const artkit::Ink labelInk{{1, 1, 1, 1}, 0, 0, 0, artkit::Blend::Over};
  int y = kMargin;
  for (const Row& row : rows) {
    artkit::drawText(pen, row.name, {float(kMargin), float(y)}, 2, 2, 2, labelInk);
    y += kLabelHeight;
    int x = kMargin, rowHeight = 0;
    for (const Canvas& c : row.versions) {
      sheet.drawCanvas(c, x, y);
      x += c.width() + kMargin;
      rowHeight = std::max(rowHeight, c.height());
    }
    y += rowHeight + kMargin;
  }
  if (!sheet.writePng(argv[2])) return 1;
  std::printf("contact sheet: %d pictures, %d x %d -> %s\n", int(rows.size()), sheet.width(), sheet.height(), argv[2]);
  return 0;
}
