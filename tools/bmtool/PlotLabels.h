// Text boxes of a plot and the greedy placement of labels that must not
// overlap, in SVG pixels (y grows downward).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace bm::tool {

struct Box {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  bool Overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  double Width() const { return x1 - x0; }
  double Height() const { return y1 - y0; }
  // The smallest box holding both; an empty box (x0 > x1) holds nothing.
  Box Union(const Box& o) const;
};

// A box that holds nothing, for building unions.
Box EmptyBox();

// Estimated advance width of `text` in a sans-serif face at `fontSize`
// pixels: 0.62 em a character (the digits and capitals of the common
// sans-serif faces are 0.6 to 0.7 em), a whole em for wide (CJK and later) ones.
double TextWidth(const std::string& text, double fontSize);

// The box of `text` written with its baseline starting at (x, y).
Box TextBox(const std::string& text, double x, double y, double fontSize);

// The boxes placed so far, hashed by grid cell so that a test for overlap
// looks only at the boxes in the cells the new box covers.
class LabelGrid {
 public:
  explicit LabelGrid(double cell = 32.0) : cell_(cell) {}
  bool Free(const Box& box) const;
  void Occupy(const Box& box);

 private:
  template <typename F>
  bool AnyCell(const Box& box, F f) const;

  double cell_;
  std::vector<Box> boxes_;
  std::unordered_map<long long, std::vector<int>> cells_;  // cell key -> indices into boxes_
};

}  // namespace bm::tool
