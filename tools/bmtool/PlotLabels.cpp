// Text measurement and the hashed grid of placed labels.
#include "PlotLabels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bm::tool {

Box EmptyBox() {
  const double inf = std::numeric_limits<double>::infinity();
  return Box{inf, inf, -inf, -inf};
}

Box Box::Union(const Box& o) const {
  return Box{std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

double TextWidth(const std::string& text, double fontSize) {
  double ems = 0.0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte belongs to the character before
    // Lead bytes of U+1100 and above start the wide scripts.
    ems += c >= 0xE1 ? 1.0 : 0.62;
  }
  return ems * fontSize;
}

Box TextBox(const std::string& text, double x, double y, double fontSize) {
  // Ascenders reach about 0.8 em above the baseline, descenders 0.25 em below.
  return Box{x, y - 0.8 * fontSize, x + TextWidth(text, fontSize), y + 0.25 * fontSize};
}

template <typename F>
bool LabelGrid::AnyCell(const Box& box, F f) const {
  // Cells are clamped so that far-off boxes cannot overflow the key.
  auto cell = [&](double v) { return static_cast<long long>(std::floor(std::clamp(v / cell_, -1e9, 1e9))); };
  for (long long cy = cell(box.y0); cy <= cell(box.y1); ++cy) {
    for (long long cx = cell(box.x0); cx <= cell(box.x1); ++cx) {
      if (f(cy * 4000000007LL + cx)) return true;
    }
  }
  return false;
}

bool LabelGrid::Free(const Box& box) const {
  return !AnyCell(box, [&](long long key) {
    auto it = cells_.find(key);
    if (it == cells_.end()) return false;
    return std::any_of(it->second.begin(), it->second.end(), [&](int i) { return boxes_[i].Overlaps(box); });
  });
}

void LabelGrid::Occupy(const Box& box) {
  const int index = static_cast<int>(boxes_.size());
  boxes_.push_back(box);
  AnyCell(box, [&](long long key) {
    cells_[key].push_back(index);
    return false;
  });
}

}  // namespace bm::tool
