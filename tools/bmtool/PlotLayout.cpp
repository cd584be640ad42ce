// Laying out a plot: scale, labels placed greedily, legend and canvas.
#include "PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

namespace bm::tool {

namespace {

constexpr double kMargin = 20.0;
constexpr double kTitleBand = 30.0;  // title line and the space under it
constexpr double kGap = 30.0;        // between the drawing and its storey labels or legend
// Half the side of the square around a joint that labels keep clear of.
constexpr double kDotClearance = 5.0;
constexpr double kLabelPad = 1.5;  // space left and right of a joint label

// Where a joint label may go, tried in turn: right above, right below, left
// above, left below the joint (dx, dy of the baseline start; a negative dx
// puts the text's right end there).
struct Offset {
  double dx;
  double dy;
};
constexpr double kAside = kDotClearance + kLabelPad + 1;
constexpr double kAbove = -(kDotClearance + 0.25 * kJointFont + 1);
constexpr double kBelow = kDotClearance + 0.8 * kJointFont + 1;
constexpr Offset kJointOffsets[] = {{kAside, kAbove}, {kAside, kBelow}, {-kAside, kAbove}, {-kAside, kBelow}};

// The legend lists the kinds in this order.
constexpr Shape::Kind kLegendOrder[] = {Shape::kColumn, Shape::kBeam, Shape::kBrace, Shape::kWall,
                                        Shape::kSlab};

struct Bounds {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();
  void Add(const Point2& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  bool Empty() const { return !(minX <= maxX); }
};

// The largest 1, 2 or 5 times a power of ten not above `target` (> 0).
double RoundLength(double target) {
  const double power = std::pow(10.0, std::floor(std::log10(target)));
  for (double step : {5.0, 2.0, 1.0}) {
    if (step * power <= target) return step * power;
  }
  return power;
}

std::string FormatLength(double length, const std::string& unit) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", length);
  return unit.empty() ? buffer : std::string(buffer) + " " + unit;
}

std::string CountOf(int n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// Places the labels greedily, each at the first of its places that is free,
// in drawing pixels (before the shift onto the canvas); grows `extent` by
// the labels placed.
std::vector<PlacedLabel> PlaceLabels(const Drawing& d, const PlotLayout& at, Box& extent,
                                     SvgSummary& summary) {
  LabelGrid grid;
  std::vector<PlacedLabel> placed;
  if (d.labels.empty()) return placed;
  for (const Dot& dot : d.dots) {
    const double x = at.X(dot.at.x);
    const double y = at.Y(dot.at.y);
    grid.Occupy(Box{x - kDotClearance, y - kDotClearance, x + kDotClearance, y + kDotClearance});
  }
  // The storey labels' column, right of the drawing and of their anchors.
  double column = extent.x1;
  for (const Label& l : d.labels) {
    if (l.kind == Label::kStorey) column = std::max(column, at.X(l.anchor.x));
  }
  column += kGap;
  Box labels = EmptyBox();
  for (const Label& l : d.labels) {
    const double px = at.X(l.at.x);
    const double py = at.Y(l.at.y);
    const bool storey = l.kind == Label::kStorey;
    const double font = storey ? kStoreyFont : kJointFont;
    const double w = TextWidth(l.text, font);
    const Offset storeyPlace[] = {{column - px, 4}};
    const Offset* places = storey ? storeyPlace : kJointOffsets;
    const size_t count = storey ? 1 : std::size(kJointOffsets);
    bool put = false;
    for (const Offset* o = places; o != places + count; ++o) {
      const double x = o->dx >= 0 ? px + o->dx : px + o->dx - w;
      const Box text = TextBox(l.text, x, py + o->dy, font);
      // A little space around each, so that neighbours do not touch.
      const Box box{text.x0 - kLabelPad, text.y0, text.x1 + kLabelPad, text.y1};
      if (!grid.Free(box)) continue;
      grid.Occupy(box);
      placed.push_back(PlacedLabel{&l, x, py + o->dy});
      labels = labels.Union(text);
      put = true;
      break;
    }
    if (!put) ++summary.labelsLeftOut[l.kind];
  }
  extent = extent.Union(labels);
  return placed;
}

// The legend: kinds drawn with counts, the scale bar, what was left out, the
// drawing's notes.
std::vector<LegendRow> LegendRows(const Drawing& d, bool empty, const std::string& bar,
                                  const SvgSummary& summary) {
  static const char* const kLabelKind[] = {"storey label", "joint label"};
  int drawn[5] = {0, 0, 0, 0, 0};
  for (const Shape& s : d.shapes) ++drawn[s.kind];
  std::vector<LegendRow> rows;
  for (Shape::Kind kind : kLegendOrder) {
    if (drawn[kind] > 0) {
      rows.push_back(LegendRow{LegendRow::kKind, kind,
                               std::string(KindClass(kind)) + " (" + std::to_string(drawn[kind]) + ")"});
    }
  }
  if (empty) rows.push_back(LegendRow{LegendRow::kText, Shape::kBeam, "nothing to draw"});
  rows.push_back(LegendRow{LegendRow::kScale, Shape::kBeam, bar});
  for (int kind = 0; kind < 2; ++kind) {
    if (summary.labelsLeftOut[kind] > 0) {
      rows.push_back(
          LegendRow{LegendRow::kText, Shape::kBeam,
                    CountOf(summary.labelsLeftOut[kind], kLabelKind[kind]) + " left out: overlapping"});
    }
  }
  for (const std::string& note : d.notes) rows.push_back(LegendRow{LegendRow::kText, Shape::kBeam, note});
  return rows;
}

}  // namespace

PlotLayout LayOut(const Drawing& d, double size) {
  PlotLayout at;
  Bounds b;
  for (const Shape& s : d.shapes) {
    for (const Point2& p : s.points) b.Add(p);
  }
  for (const Dot& dot : d.dots) b.Add(dot.at);
  const bool empty = b.Empty();
  // The storeys' anchors give the drawing its height even when nothing is drawn.
  for (const Label& l : d.labels) {
    if (l.kind == Label::kStorey) b.Add(l.anchor);
  }
  if (b.Empty()) b = Bounds{0, 0, 0, 0};
  // A single point is drawn as if in a field 10 units wide.
  const double span = std::max(b.maxX - b.minX, b.maxY - b.minY);
  const double modelSpan = span > 0.0 ? span : 10.0;
  at.minX = b.minX;
  at.minY = b.minY;
  // Storeys with nothing in them are drawn small: there is nothing to see.
  at.scale = (empty ? size * 0.3 : size) / modelSpan;
  // Until the shift below, the drawing's box starts at 0, 0.
  Box extent{0, 0, at.X(b.maxX), at.Y(b.maxY)};
  at.labels = PlaceLabels(d, at, extent, at.summary);

  const double barLength = RoundLength(modelSpan / 5.0);
  at.barPixels = barLength * at.scale;
  at.legend = LegendRows(d, empty, FormatLength(barLength, d.lengthUnit), at.summary);
  double legendWidth = 0.0;
  for (const LegendRow& r : at.legend) {
    const double start = r.mark == LegendRow::kKind    ? kLegendTextAt
                         : r.mark == LegendRow::kScale ? kLegendInset + at.barPixels + 8
                                                       : kLegendInset;
    legendWidth = std::max(legendWidth, start + TextWidth(r.text, kLegendFont) + kLegendInset);
  }
  const double legendHeight = static_cast<double>(at.legend.size()) * kLegendRow + 12;
  // Right of a tall drawing, under a wide one.
  const bool right = extent.Height() > extent.Width();
  const double lx = right ? extent.x1 + kGap : extent.x0;
  const double ly = right ? extent.y0 : extent.y1 + kGap;
  Box legend{lx, ly, lx + legendWidth, ly + legendHeight};

  // The canvas: title band, then the drawing, its labels and the legend.
  const Box content = extent.Union(legend);
  const double dx = kMargin - content.x0;
  const double dy = kMargin + kTitleBand - content.y0;
  at.ox += dx;
  at.oy += dy;
  for (PlacedLabel& p : at.labels) {
    p.x += dx;
    p.y += dy;
  }
  at.legendBox = Box{legend.x0 + dx, legend.y0 + dy, legend.x1 + dx, legend.y1 + dy};
  at.width = std::ceil(std::max(content.Width(), TextWidth(d.title, kTitleFont)) + 2 * kMargin);
  at.height = std::ceil(content.Height() + kTitleBand + 2 * kMargin);
  at.title = Point2{kMargin, kMargin + kTitleFont};
  return at;
}

}  // namespace bm::tool
