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
  std::string title;  // element name, written as the path's <title> when not empty
};

// A label at a model position with a leader line from `anchor`.
struct Label {
  Point2 at;
  Point2 anchor;
  bool leader = false;
  std::string text;
  bool small = false;
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

// A drawing: shapes, dots and labels, scaled to fit about `size` pixels.
// Labels placed with `rightColumn` go into a column right of the drawing.
struct Drawing {
  std::string title;
  std::vector<Shape> shapes;
  std::vector<Dot> dots;
  std::vector<Label> labels;
  bool labelsInRightColumn = false;
  // Stroke width of walls in a plan (thicker than the members).
  bool planWalls = false;
};

// Writes `drawing` to `path` as SVG: one <path> per shape, <circle> per dot,
// <text> (and <line> leaders) per label. Returns an empty string or the
// reason the file could not be written.
std::string WriteSvg(const Drawing& drawing, const std::string& path, double size = 1000.0);

}  // namespace bm::tool
