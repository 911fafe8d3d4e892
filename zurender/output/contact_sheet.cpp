#include "zurender/output/contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "zurender/output/bitmap_font.h"
#include "zurender/output/png_file.h"
#include "zurender/output/srgb.h"
#include "zurender/output/text_encoding.h"

namespace zurender {
namespace {

// Layout, in sheet pixels.
constexpr int kMargin = 32;
constexpr int kGap = 24;                 // between cells
constexpr int kThumbWidth = 256;         // the box a thumbnail fits in, aspect kept
constexpr int kThumbHeight = 192;
constexpr int kSmallThumbWidth = 128;    // for sheets of many layers
constexpr int kSmallThumbHeight = 96;
constexpr std::size_t kSmallThumbsFrom = 49;
constexpr int kTitleScale = 3;
constexpr int kLabelScale = 2;
constexpr int kChecker = 8;
constexpr int kMaxSheetSide = 16384;

// Colours (sRGB): a neutral dark grey that lets both dark and bright layers read.
constexpr std::uint8_t kBackground[3] = {34, 35, 38};
constexpr std::uint8_t kFrame[3] = {78, 80, 86};
constexpr std::uint8_t kTitle[3] = {236, 236, 236};
constexpr std::uint8_t kDetails[3] = {160, 162, 168};
constexpr std::uint8_t kName[3] = {226, 226, 226};
constexpr std::uint8_t kKey[3] = {140, 170, 210};
constexpr std::uint8_t kHidden[3] = {232, 168, 64};
constexpr std::uint8_t kCheckerLight = 112;
constexpr std::uint8_t kCheckerDark = 84;

struct Layout {
  int columns;
  int rows;
  int box_width;
  int box_height;
  int cell_width;
  int cell_height;
  int grid_top;
  int sheet_width;
  int sheet_height;
};

Layout MakeLayout(const ContactSheet& sheet) {
  Layout l{};
  const std::size_t n = sheet.layers.size();
  const bool small = n >= kSmallThumbsFrom;
  l.box_width = small ? kSmallThumbWidth : kThumbWidth;
  l.box_height = small ? kSmallThumbHeight : kThumbHeight;
  // Near-square grids, at least four across once there are four layers.
  l.columns = n <= 4 ? int(std::max<std::size_t>(n, 1))
                     : std::max(4, int(std::ceil(std::sqrt(double(n)))));
  l.rows = int((n + l.columns - 1) / l.columns);
  const int label_height = 2 * kCellHeight * kLabelScale + 8;
  l.cell_width = l.box_width;
  l.cell_height = l.box_height + 8 + label_height;
  l.grid_top = kMargin + kCellHeight * kTitleScale + 6 + kCellHeight * kLabelScale + kGap;
  const std::int64_t width = 2 * kMargin + std::int64_t(l.columns) * l.cell_width + std::int64_t(l.columns - 1) * kGap;
  // With no layers, one line says so where the grid would be.
  const std::int64_t grid_height = n == 0 ? kCellHeight * kLabelScale : std::int64_t(l.rows) * (l.cell_height + kGap) - kGap;
  const std::int64_t height = l.grid_top + grid_height + kMargin;
  const int title_width = 2 * kMargin + int(std::max(sheet.title.size() * kTitleScale, sheet.details.size() * kLabelScale)) * kCellWidth;
  l.sheet_width = int(std::min<std::int64_t>(std::max<std::int64_t>(width, std::min(title_width, 1600)), kMaxSheetSide + 1));
  l.sheet_height = int(std::min<std::int64_t>(height, kMaxSheetSide + 1));
  return l;
}

// Cuts text to fit width pixels at scale, ending in ".." when cut.
std::string Fit(std::string text, int width, int scale) {
  const std::size_t fits = std::size_t(std::max(0, width / (kCellWidth * scale)));
  if (text.size() <= fits) return text;
  if (fits <= 2) return text.substr(0, fits);
  return text.substr(0, fits - 2) + "..";
}

// The thumbnail: each of its pixels averages the layer pixels it covers (colour weighted by
// alpha, so transparent pixels lend no colour), then lies over the checkerboard.
void DrawThumbnail(RgbImage& image, int x, int y, int thumb_width, int thumb_height, const ContactSheet& sheet,
                   const LayerView& layer) {
  const float checker_light = Srgb8ToLinear(kCheckerLight);
  const float checker_dark = Srgb8ToLinear(kCheckerDark);
  auto clean = [](float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : (v > 0.0f ? 1.0f : 0.0f); };
  for (int ty = 0; ty < thumb_height; ++ty) {
    const int y0 = int(std::int64_t(ty) * sheet.height / thumb_height);
    const int y1 = std::max(y0 + 1, int(std::int64_t(ty + 1) * sheet.height / thumb_height));
    for (int tx = 0; tx < thumb_width; ++tx) {
      const int x0 = int(std::int64_t(tx) * sheet.width / thumb_width);
      const int x1 = std::max(x0 + 1, int(std::int64_t(tx + 1) * sheet.width / thumb_width));
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = y0; sy < y1; ++sy) {
        const ColourValue* row = layer.pixels.data() + std::size_t(sy) * sheet.width;
        for (int sx = x0; sx < x1; ++sx) {
          const float alpha = clean(row[sx].alpha);
          r += clean(row[sx].red) * alpha;
          g += clean(row[sx].green) * alpha;
          b += clean(row[sx].blue) * alpha;
          a += alpha;
        }
      }
      const double count = double(y1 - y0) * double(x1 - x0);
      const bool light = ((tx / kChecker) + (ty / kChecker)) % 2 == 0;
      const double behind = (light ? checker_light : checker_dark) * (1.0 - a / count);
      std::uint8_t* p = image.pixels + (std::size_t(y + ty) * image.width + std::size_t(x + tx)) * 3;
      p[0] = LinearToSrgb8(float(r / count + behind));
      p[1] = LinearToSrgb8(float(g / count + behind));
      p[2] = LinearToSrgb8(float(b / count + behind));
    }
  }
}

void DrawCell(RgbImage& image, const Layout& l, int x, int y, const ContactSheet& sheet, std::size_t index) {
  const LayerView& layer = sheet.layers[index];
  // Fit the layer's aspect into the box, centred; a tiny layer is scaled up.
  const double scale = std::min(double(l.box_width) / sheet.width, double(l.box_height) / sheet.height);
  const int thumb_width = std::clamp(int(std::lround(sheet.width * scale)), 1, l.box_width);
  const int thumb_height = std::clamp(int(std::lround(sheet.height * scale)), 1, l.box_height);
  const int tx = x + (l.box_width - thumb_width) / 2;
  const int ty = y + (l.box_height - thumb_height) / 2;
  image.Fill(tx - 1, ty - 1, thumb_width + 2, thumb_height + 2, layer.visible ? kFrame : kHidden);
  DrawThumbnail(image, tx, ty, thumb_width, thumb_height, sheet, layer);

  const int label_y = y + l.box_height + 8;
  const std::string number = (index < 9 ? "0" : "") + std::to_string(index + 1) + " ";
  const int number_width = DrawText(image, x, label_y, number, kLabelScale, kDetails);
  DrawText(image, x + number_width, label_y, Fit(std::string(layer.name), l.cell_width - number_width, kLabelScale),
           kLabelScale, kName);
  const int key_y = label_y + kCellHeight * kLabelScale;
  std::string key = BlendKeyText(layer.blend_key);
  while (!key.empty() && key.back() == ' ') key.pop_back();
  const int key_width = DrawText(image, x + number_width, key_y, "'" + key + "'", kLabelScale, kKey);
  if (!layer.visible) DrawText(image, x + number_width + key_width + kCellWidth * kLabelScale, key_y, "hidden", kLabelScale, kHidden);
}

Status Validate(const std::string& path, const ContactSheet& sheet) {
  if (sheet.width < 1 || sheet.height < 1) return Status::Error("cannot write " + path + ": the layers have no pixels");
  const std::size_t pixels = std::size_t(sheet.width) * std::size_t(sheet.height);
  for (std::size_t i = 0; i < sheet.layers.size(); ++i) {
    if (sheet.layers[i].pixels.size() != pixels) {
      return Status::Error("cannot write " + path + ": layer " + std::to_string(i + 1) + " is not width*height pixels");
    }
  }
  return Status();
}

}  // namespace

Status WriteContactSheet(const std::string& path, const ContactSheet& sheet) {
  if (Status status = Validate(path, sheet); !status.ok()) return status;
  const Layout l = MakeLayout(sheet);
  if (l.sheet_width > kMaxSheetSide || l.sheet_height > kMaxSheetSide) {
    return Status::Error("cannot write " + path + ": too many layers for one contact sheet");
  }
  try {
    std::vector<std::uint8_t> pixels(std::size_t(l.sheet_width) * std::size_t(l.sheet_height) * 3);
    RgbImage image{l.sheet_width, l.sheet_height, pixels.data()};
    image.Fill(0, 0, l.sheet_width, l.sheet_height, kBackground);
    const int text_width = l.sheet_width - 2 * kMargin;
    DrawText(image, kMargin, kMargin, Fit(sheet.title, text_width, kTitleScale), kTitleScale, kTitle);
    DrawText(image, kMargin, kMargin + kCellHeight * kTitleScale + 6, Fit(sheet.details, text_width, kLabelScale),
             kLabelScale, kDetails);
    if (sheet.layers.empty()) DrawText(image, kMargin, l.grid_top, "no layers", kLabelScale, kDetails);
    for (std::size_t i = 0; i < sheet.layers.size(); ++i) {
      const int column = int(i % std::size_t(l.columns));
      const int row = int(i / std::size_t(l.columns));
      DrawCell(image, l, kMargin + column * (l.cell_width + kGap), l.grid_top + row * (l.cell_height + kGap), sheet, i);
    }
    return WritePng8(path, l.sheet_width, l.sheet_height, 3, pixels);
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot write " + path + ": out of memory");
  }
}

}  // namespace zurender
