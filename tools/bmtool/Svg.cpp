// Writing drawings as plain SVG.
#include "Svg.h"

#include <cerrno>
#include <cstring>

#include "PlotLayout.h"

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

// The legend's frame and rows: a swatch drawn as the kind is drawn (a face,
// a line, or in a plan a column's square), the scale bar, the texts.
void WriteLegend(SvgOut& out, const Drawing& d, const PlotLayout& at) {
  const Box& box = at.legendBox;
  out.Print("<rect class=\"legend\" x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\"/>\n", box.x0, box.y0,
            box.Width(), box.Height());
  const double left = box.x0 + kLegendInset;
  for (size_t i = 0; i < at.legend.size(); ++i) {
    const LegendRow& r = at.legend[i];
    const double mid = box.y0 + 6 + (static_cast<double>(i) + 0.5) * kLegendRow;
    double tx = left;
    if (r.mark == LegendRow::kKind) {
      const bool face = r.kind == Shape::kSlab || (r.kind == Shape::kWall && !d.plan);
      if (r.kind == Shape::kColumn && d.plan) {
        out.Print("<rect class=\"column\" x=\"%.2f\" y=\"%.2f\" width=\"%.0f\" height=\"%.0f\"/>\n",
                  left + 12 - kMarker, mid - kMarker, 2 * kMarker, 2 * kMarker);
      } else if (face) {
        out.Print("<rect class=\"%s\" x=\"%.2f\" y=\"%.2f\" width=\"24\" height=\"10\"/>\n",
                  KindClass(r.kind), left, mid - 5);
      } else {
        out.Print("<line class=\"%s\" x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", KindClass(r.kind),
                  left, mid, left + 24, mid);
      }
      tx = box.x0 + kLegendTextAt;
    } else if (r.mark == LegendRow::kScale) {
      const double end = left + at.barPixels;
      out.Print("<line class=\"scale\" x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", left, mid, end,
                mid);
      for (double x : {left, end}) {
        out.Print("<line class=\"scale\" x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n", x, mid - 4, x,
                  mid + 4);
      }
      tx = end + 8;
    }
    out.Print("<text class=\"legend\" x=\"%.2f\" y=\"%.2f\" font-size=\"%.0f\">", tx, mid + 4, kLegendFont);
    out.Put(XmlEscape(r.text) + "</text>\n");
  }
}

}  // namespace

const char* KindClass(Shape::Kind kind) {
  static const char* const kNames[] = {"slab", "wall", "column", "beam", "brace"};
  return kNames[kind];
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

std::string WriteSvg(const Drawing& d, const std::string& path, SvgSummary* summary, double size) {
  const PlotLayout at = LayOut(d, size);
  SvgOut out(path);
  if (!out.ok()) return out.error();
  out.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  out.Print(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\">\n",
      at.width, at.height, at.width, at.height);
  out.Put("<title>" + XmlEscape(d.title) + "</title>\n");
  out.Print(
      "<style>\n"
      "path{fill:none;stroke-linejoin:round;stroke-linecap:round}\n"
      ".slab{fill:#6fa8dc;fill-opacity:0.18;stroke:#3d85c6;stroke-width:0.5}\n"
      ".wall{fill:#999999;fill-opacity:0.35;stroke:#666666;stroke-width:%s}\n"
      ".column{fill:none;stroke:#1c4587;stroke-width:1.6}\n"
      ".beam{fill:none;stroke:#222222;stroke-width:1.1}\n"
      ".brace{fill:none;stroke:#cc0000;stroke-width:1.2}\n"
      ".joint{fill:#222222}\n"
      "text{font-family:sans-serif;fill:#222222}\n"
      "text.joint{fill:#555555}\n"
      "line.leader{stroke:#aaaaaa;stroke-width:0.6;stroke-dasharray:3 3}\n"
      "rect.legend{fill:#ffffff;stroke:#cccccc;stroke-width:1}\n"
      "line.scale{stroke:#222222;stroke-width:1.5}\n"
      "</style>\n",
      d.plan ? "4" : "0.6");
  out.Put("<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  out.Print("<text class=\"title\" x=\"%.0f\" y=\"%.0f\" font-size=\"%.0f\">", at.title.x, at.title.y,
            kTitleFont);
  out.Put(XmlEscape(d.title) + "</text>\n");

  for (const Shape& s : d.shapes) {
    if (s.points.empty()) continue;
    out.Print("<path class=\"%s\" d=\"", KindClass(s.kind));
    if (s.marker) {
      const double x = at.X(s.points[0].x);
      const double y = at.Y(s.points[0].y);
      out.Print("M%.2f %.2f L%.2f %.2f L%.2f %.2f L%.2f %.2f", x - kMarker, y - kMarker, x + kMarker,
                y - kMarker, x + kMarker, y + kMarker, x - kMarker, y + kMarker);
    }
    for (size_t i = 0; i < s.points.size() && !s.marker; ++i) {
      out.Print("%s%.2f %.2f", i == 0 ? "M" : " L", at.X(s.points[i].x), at.Y(s.points[i].y));
    }
    if (s.closed) out.Put(" Z");
    if (s.title.empty()) {
      out.Put("\"/>\n");
    } else {
      out.Put("\"><title>" + XmlEscape(s.title) + "</title></path>\n");
    }
  }
  for (const Dot& dot : d.dots) {
    out.Print("<circle class=\"joint\" cx=\"%.2f\" cy=\"%.2f\" r=\"2.2\"/>\n", at.X(dot.at.x),
              at.Y(dot.at.y));
  }
  static const char* const kLabelClass[] = {"storey", "joint"};
  for (const PlacedLabel& p : at.labels) {
    const Label& l = *p.label;
    const bool storey = l.kind == Label::kStorey;
    if (storey) {
      out.Print("<line class=\"leader\" x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\"/>\n",
                at.X(l.anchor.x), at.Y(l.anchor.y), p.x - 4.0, at.Y(l.at.y));
    }
    out.Print("<text class=\"%s\" x=\"%.2f\" y=\"%.2f\" font-size=\"%.0f\">", kLabelClass[l.kind], p.x, p.y,
              storey ? kStoreyFont : kJointFont);
    out.Put(XmlEscape(l.text) + "</text>\n");
  }
  WriteLegend(out, d, at);
  out.Put("</svg>\n");
  if (summary) *summary = at.summary;
  return out.Close();
}

}  // namespace bm::tool
