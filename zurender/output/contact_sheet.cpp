#include "zurender/output/contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "zurender/base/four_cc.h"
#include "zurender/base/text_encoding.h"
#include "zurender/output/bitmap_font.h"
#include "zurender/output/png_file.h"
#include "zurender/output/srgb.h"

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
  int boxWidth;
  int boxHeight;
  int cellWidth;
  int cellHeight;
  int gridTop;
  int sheetWidth;
  int sheetHeight;
};

Layout MakeLayout(std::size_t n, std::size_t titleSize, std::size_t detailsSize) {
  Layout l{};
  const bool small = n >= kSmallThumbsFrom;
  l.boxWidth = small ? kSmallThumbWidth : kThumbWidth;
  l.boxHeight = small ? kSmallThumbHeight : kThumbHeight;
  // Near-square grids, at least four across once there are four layers.
  l.columns = n <= 4 ? int(std::max<std::size_t>(n, 1))
                     : std::max(4, int(std::ceil(std::sqrt(double(n)))));
  l.rows = int((n + l.columns - 1) / l.columns);
  const int labelHeight = 2 * kCellHeight * kLabelScale + 8;
  l.cellWidth = l.boxWidth;
  l.cellHeight = l.boxHeight + 8 + labelHeight;
  l.gridTop = kMargin + kCellHeight * kTitleScale + 6 + kCellHeight * kLabelScale + kGap;
  const std::int64_t width = 2 * kMargin + std::int64_t(l.columns) * l.cellWidth + std::int64_t(l.columns - 1) * kGap;
  // With no layers, one line says so where the grid would be.
  const std::int64_t gridHeight = n == 0 ? kCellHeight * kLabelScale : std::int64_t(l.rows) * (l.cellHeight + kGap) - kGap;
  const std::int64_t height = l.gridTop + gridHeight + kMargin;
  const int titleWidth = 2 * kMargin + int(std::max(titleSize * kTitleScale, detailsSize * kLabelScale)) * kCellWidth;
  l.sheetWidth = int(std::min<std::int64_t>(std::max<std::int64_t>(width, std::min(titleWidth, 1600)), kMaxSheetSide + 1));
  l.sheetHeight = int(std::min<std::int64_t>(height, kMaxSheetSide + 1));
  return l;
}

Layout MakeLayout(const ContactSheet& sheet) { return MakeLayout(sheet.layers.size(), sheet.title.size(), sheet.details.size()); }

// Cuts text to fit width pixels at scale, with ".." where it is cut; the last keep characters
// stay (a mask's number), when there is room for them.
std::string Fit(std::string text, int width, int scale, std::size_t keep = 0) {
  const std::size_t fits = std::size_t(std::max(0, width / (kCellWidth * scale)));
  if (text.size() <= fits) return text;
  if (fits <= 2) return text.substr(0, fits);
  if (keep + 2 >= fits) keep = 0;
  return text.substr(0, fits - 2 - keep) + ".." + text.substr(text.size() - keep);
}

// The thumbnail: each of its pixels averages the layer pixels it covers (colour weighted by
// alpha, so transparent pixels lend no colour), then lies over the checkerboard.
void DrawThumbnail(RgbImage& image, int x, int y, int thumbWidth, int thumbHeight, const ContactSheet& sheet,
                   const LayerView& layer) {
  const float checkerLight = Srgb8ToLinear(kCheckerLight);
  const float checkerDark = Srgb8ToLinear(kCheckerDark);
  auto clean = [](float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : (v > 0.0f ? 1.0f : 0.0f); };
  for (int ty = 0; ty < thumbHeight; ++ty) {
    const int y0 = int(std::int64_t(ty) * sheet.height / thumbHeight);
    const int y1 = std::max(y0 + 1, int(std::int64_t(ty + 1) * sheet.height / thumbHeight));
    for (int tx = 0; tx < thumbWidth; ++tx) {
      const int x0 = int(std::int64_t(tx) * sheet.width / thumbWidth);
      const int x1 = std::max(x0 + 1, int(std::int64_t(tx + 1) * sheet.width / thumbWidth));
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
      const double behind = (light ? checkerLight : checkerDark) * (1.0 - a / count);
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
  const double scale = std::min(double(l.boxWidth) / sheet.width, double(l.boxHeight) / sheet.height);
  const int thumbWidth = std::clamp(int(std::lround(sheet.width * scale)), 1, l.boxWidth);
  const int thumbHeight = std::clamp(int(std::lround(sheet.height * scale)), 1, l.boxHeight);
  const int tx = x + (l.boxWidth - thumbWidth) / 2;
  const int ty = y + (l.boxHeight - thumbHeight) / 2;
  image.Fill(tx - 1, ty - 1, thumbWidth + 2, thumbHeight + 2, layer.visible ? kFrame : kHidden);
  DrawThumbnail(image, tx, ty, thumbWidth, thumbHeight, sheet, layer);

  const int labelY = y + l.boxHeight + 8;
  const std::string number = (index < 9 ? "0" : "") + std::to_string(index + 1) + " ";
  const int numberWidth = DrawText(image, x, labelY, number, kLabelScale, kDetails);
  // A mask's number tells it from the others: it stays when the name is cut.
  const std::size_t keep = layer.mask ? std::to_string(*layer.mask).size() + 1 : 0;
  DrawText(image, x + numberWidth, labelY, Fit(ShownName(layer), l.cellWidth - numberWidth, kLabelScale, keep),
           kLabelScale, kName);
  const int keyY = labelY + kCellHeight * kLabelScale;
  std::string mode;
  if (index < sheet.blendModes.size()) {
    mode = sheet.blendModes[index];
  } else {
    std::string key = FourCCText(layer.blendKey);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    mode = "'" + key + "'";
  }
  const int hiddenWidth = layer.visible ? 0 : TextWidth(" hidden", kLabelScale);
  const int modeWidth = DrawText(image, x + numberWidth, keyY, Fit(mode, l.cellWidth - numberWidth - hiddenWidth, kLabelScale),
                                 kLabelScale, kKey);
  if (!layer.visible) DrawText(image, x + numberWidth + modeWidth + kCellWidth * kLabelScale, keyY, "hidden", kLabelScale, kHidden);
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

std::size_t ContactSheetCapacity() {
  // The layout grows with the count; the largest count that fits is found by halving.
  std::size_t fits = 0, passes = std::size_t(1) << 20;
  while (passes - fits > 1) {
    const std::size_t middle = fits + (passes - fits) / 2;
    const Layout l = MakeLayout(middle, 0, 0);
    (l.sheetWidth > kMaxSheetSide || l.sheetHeight > kMaxSheetSide ? passes : fits) = middle;
  }
  return fits;
}

Status WriteContactSheet(const std::string& path, const ContactSheet& sheet) {
  if (Status status = Validate(path, sheet); !status.ok()) return status;
  const Layout l = MakeLayout(sheet);
  if (l.sheetWidth > kMaxSheetSide || l.sheetHeight > kMaxSheetSide) {
    return Status::Error("cannot write " + path + ": too many layers for one contact sheet");
  }
  try {
    std::vector<std::uint8_t> pixels(std::size_t(l.sheetWidth) * std::size_t(l.sheetHeight) * 3);
    RgbImage image{l.sheetWidth, l.sheetHeight, pixels.data()};
    image.Fill(0, 0, l.sheetWidth, l.sheetHeight, kBackground);
    const int textWidth = l.sheetWidth - 2 * kMargin;
    DrawText(image, kMargin, kMargin, Fit(sheet.title, textWidth, kTitleScale), kTitleScale, kTitle);
    DrawText(image, kMargin, kMargin + kCellHeight * kTitleScale + 6, Fit(sheet.details, textWidth, kLabelScale),
             kLabelScale, kDetails);
    if (sheet.layers.empty()) DrawText(image, kMargin, l.gridTop, "no layers", kLabelScale, kDetails);
    for (std::size_t i = 0; i < sheet.layers.size(); ++i) {
      const int column = int(i % std::size_t(l.columns));
      const int row = int(i / std::size_t(l.columns));
      DrawCell(image, l, kMargin + column * (l.cellWidth + kGap), l.gridTop + row * (l.cellHeight + kGap), sheet, i);
    }
    return WritePng8(path, l.sheetWidth, l.sheetHeight, 3, pixels);
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot write " + path + ": out of memory");
  }
}

}  // namespace zurender
