// PlotLayout: where everything of a plot goes on the SVG canvas: the scale
// from model units to pixels, the labels that fit, the legend and the canvas
// size that holds them all with the title.
#pragma once

#include <string>
#include <vector>

#include "PlotLabels.h"
#include "Svg.h"

namespace bm::tool {

// Font sizes and legend metrics, in pixels.
inline constexpr double kTitleFont = 14.0;
inline constexpr double kStoreyFont = 12.0;
inline constexpr double kJointFont = 9.0;
inline constexpr double kLegendFont = 12.0;
inline constexpr double kLegendRow = 20.0;     // height of a legend row
inline constexpr double kLegendInset = 12.0;   // left edge of the swatches and of the text rows
inline constexpr double kLegendTextAt = 44.0;  // text after a swatch
inline constexpr double kMarker = 4.0;         // half the side of a marker square

// A label that fits, with its text's baseline start on the canvas.
struct PlacedLabel {
  const Label* label;
  double x;
  double y;
};

// One row of the legend: a kind's swatch, the scale bar, or text alone.
struct LegendRow {
  enum Mark { kKind, kScale, kText };
  Mark mark = kText;
  Shape::Kind kind = Shape::kBeam;
  std::string text;
};

struct PlotLayout {
  // Model drawing units to canvas pixels.
  double minX = 0.0;
  double minY = 0.0;
  double scale = 1.0;
  double ox = 0.0;
  double oy = 0.0;
  double X(double x) const { return ox + (x - minX) * scale; }
  double Y(double y) const { return oy + (y - minY) * scale; }

  double width = 0.0;
  double height = 0.0;
  Point2 title;  // baseline start
  std::vector<PlacedLabel> labels;
  SvgSummary summary;
  std::vector<LegendRow> legend;
  Box legendBox;
  double barPixels = 0.0;  // length of the scale bar
};

// Lays out `drawing` so that its longer side is about `size` pixels.
PlotLayout LayOut(const Drawing& drawing, double size);

}  // namespace bm::tool
