// Writing drawings as plain SVG.
#include "Svg.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace bm::tool {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
size_t Utf8Length(const std::string& s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  }
  // Overlong three- and four-byte forms, surrogates and values past U+10FFFF.
  if (c == 0xE0 && b(i + 1) < 0xA0) return 0;
  if (c == 0xED && b(i + 1) >= 0xA0) return 0;
  if (c == 0xF0 && b(i + 1) < 0x90) return 0;
  if (c == 0xF4 && b(i + 1) >= 0x90) return 0;
  return n;
}

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

class SvgOut {
 public:
  explicit SvgOut(const std::string& path) {
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) error_ = errno ? std::strerror(errno) : "it cannot be created";
  }
  ~SvgOut() {
    if (file_) std::fclose(file_);
  }
  bool ok() const { return file_ != nullptr; }
  const std::string& error() const { return error_; }

  template <typename... Args>
  void Print(const char* format, Args... args) {
    if (file_) std::fprintf(file_, format, args...);
  }
  void Put(const std::string& text) {
    if (file_) std::fwrite(text.data(), 1, text.size(), file_);
  }
  std::string Close() {
    if (!file_) return error_;
    errno = 0;
    const bool bad = std::ferror(file_) != 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (bad || closed != 0) return errno ? std::strerror(errno) : "a write error occurred";
    return std::string();
  }

 private:
  std::FILE* file_ = nullptr;
  std::string error_;
};

}  // namespace

const char* KindClass(Shape::Kind kind) {
  switch (kind) {
    case Shape::kSlab:
      return "slab";
    case Shape::kWall:
      return "wall";
    case Shape::kColumn:
      return "column";
    case Shape::kBeam:
      return "beam";
    case Shape::kBrace:
      return "brace";
  }
  return "member";
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const size_t n = Utf8Length(text, i);
      if (n == 0) {
        out += '?';
        ++i;
      } else {
        out.append(text, i, n);
        i += n;
      }
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += (c < 0x20 && c != '\t') || c == 0x7F ? '?' : static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

std::string WriteSvg(const Drawing& d, const std::string& path, double size) {
  Bounds b;
  for (const Shape& s : d.shapes) {
    for (const Point2& p : s.points) b.Add(p);
  }
  for (const Dot& dot : d.dots) b.Add(dot.at);
  if (!d.labelsInRightColumn) {
    for (const Label& l : d.labels) b.Add(l.at);
  }
  if (b.Empty()) b = Bounds{0, 0, 1, 1};
  const double spanX = std::max(b.maxX - b.minX, 1e-9);
  const double spanY = std::max(b.maxY - b.minY, 1e-9);
  const double scale = size / std::max(spanX, spanY);
  const double margin = 40.0;
  const double labelColumn = d.labelsInRightColumn ? 160.0 : 0.0;
  const double width = spanX * scale + 2 * margin + labelColumn;
  const double height = spanY * scale + 2 * margin + 20.0;
  auto X = [&](double x) { return margin + (x - b.minX) * scale; };
  auto Y = [&](double y) { return margin + 20.0 + (y - b.minY) * scale; };

  SvgOut out(path);
  if (!out.ok()) return out.error();
  out.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  out.Print(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\">\n",
      width, height, width, height);
  out.Print(
      "<style>\n"
      "path{fill:none;stroke-linejoin:round;stroke-linecap:round}\n"
      ".slab{fill:#6fa8dc;fill-opacity:0.18;stroke:#3d85c6;stroke-width:0.5}\n"
      ".wall{fill:#999999;fill-opacity:0.35;stroke:#666666;stroke-width:%s}\n"
      ".column{stroke:#1c4587;stroke-width:1.6}\n"
      ".beam{stroke:#222222;stroke-width:1.1}\n"
      ".brace{stroke:#cc0000;stroke-width:1.2}\n"
      ".joint{fill:#222222}\n"
      "text{font-family:sans-serif;font-size:12px;fill:#222222}\n"
      "text.small{font-size:8px;fill:#555555}\n"
      "line.leader{stroke:#aaaaaa;stroke-width:0.6;stroke-dasharray:3 3}\n"
      "</style>\n",
      d.planWalls ? "4" : "0.6");
  out.Put("<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  out.Put("<text x=\"" + std::to_string(static_cast<int>(margin)) + "\" y=\"24\">" + XmlEscape(d.title) +
          "</text>\n");

  for (const Shape& s : d.shapes) {
    if (s.points.empty()) continue;
    out.Print("<path class=\"%s\" d=\"", KindClass(s.kind));
    for (size_t i = 0; i < s.points.size(); ++i) {
      out.Print("%s%.2f %.2f", i == 0 ? "M" : " L", X(s.points[i].x), Y(s.points[i].y));
    }
    if (s.closed) out.Put(" Z");
    if (s.title.empty()) {
      out.Put("\"/>\n");
    } else {
      out.Put("\"><title>" + XmlEscape(s.title) + "</title></path>\n");
    }
  }
  for (const Dot& dot : d.dots) {
    out.Print("<circle class=\"joint\" cx=\"%.2f\" cy=\"%.2f\" r=\"2.2\"/>\n", X(dot.at.x), Y(dot.at.y));
  }
  const double column = margin + spanX * scale + 20.0;
  for (const Label& l : d.labels) {
    const double tx = d.labelsInRightColumn ? column : X(l.at.x) + 6.0;
    const double ty = Y(l.at.y) + (d.labelsInRightColumn ? 4.0 : -6.0);
    if (l.leader) {
      out.Print("<line class=\"leader\" x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", X(l.anchor.x),
                Y(l.anchor.y), tx - 4.0, Y(l.at.y));
    }
    out.Print("<text%s x=\"%.2f\" y=\"%.2f\">", l.small ? " class=\"small\"" : "", tx, ty);
    out.Put(XmlEscape(l.text) + "</text>\n");
  }
  out.Put("</svg>\n");
  return out.Close();
}

}  // namespace bm::tool
