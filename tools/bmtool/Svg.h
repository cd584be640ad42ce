// Svg: a small writer of plain SVG drawings of building models.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace bm::tool {

struct Point2 {
  double x = 0.0;
  double y = 0.0;
};

// One drawn item, in model units before scaling (y grows downward).
struct Shape {
  enum Kind { kSlab, kWall, kColumn, kBeam, kBrace };
  Kind kind = kBeam;
  std::vector<Point2> points;
  bool closed = false;
  // A square of a fixed size in pixels around points[0] (a column in plan).
  bool marker = false;
  std::string title;  // element name, written as the path's <title> when not empty
};

// A label at a model position. A storey label goes into a column right of
// the drawing, with a leader line from `anchor`; a joint label goes beside its
// joint. Either is left out where it would overlap a label already placed.
struct Label {
  enum Kind { kStorey, kJoint };
  Kind kind = kJoint;
  Point2 at;
  Point2 anchor;
  std::string text;
};

// A joint dot.
struct Dot {
  Point2 at;
};

// CSS class of a shape kind ("slab", "wall", "column", "beam", "brace").
const char* KindClass(Shape::Kind kind);

// XML text or attribute content: markup characters escaped, control bytes
// and bytes that are not valid UTF-8 replaced by '?'.
std::string XmlEscape(const std::string& text);

// A drawing: shapes, dots and labels, scaled so that its longer side is
// about `size` pixels, with a title above and a legend beside or below.
struct Drawing {
  std::string title;
  std::vector<Shape> shapes;
  std::vector<Dot> dots;
  std::vector<Label> labels;
  // A storey plan: walls drawn as thick lines, columns as squares (in the
  // legend too).
  bool plan = false;
  // The model's length unit, written on the scale bar ("M").
  std::string lengthUnit;
  // More lines for the legend ("3 members without complete geometry not drawn").
  std::vector<std::string> notes;
};

// What WriteSvg left out.
struct SvgSummary {
  int labelsLeftOut[2] = {0, 0};  // by Label::Kind
};

// Writes `drawing` to `path` as SVG: one <path> per shape, <circle> per dot,
// <text> (and <line> leaders) per placed label, every <text> with its
// font-size. The canvas holds the title, the drawing with its labels, and
// the legend (the kinds drawn with their counts, a scale bar, the labels left
// out and the notes), none over another. Returns an empty string or the
// reason the file could not be written.
std::string WriteSvg(const Drawing& drawing, const std::string& path, SvgSummary* summary = nullptr,
                     double size = 1000.0);

}  // namespace bm::tool
