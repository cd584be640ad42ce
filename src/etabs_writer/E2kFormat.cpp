// The writer's line formatter and its fast fixed-notation conversion.
#include "etabs_writer/E2kFormat.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace bm {
namespace e2k {
namespace {

constexpr double kPowers[7] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// Writes "%.<precision>f" of `value` so that it ends at `end`; returns the
// first byte, or null when the value needs the general conversion. printf
// rounds the exact binary value to the nearest decimal; below 1e6 the scaled
// product is within 2^-13 of the exact one, so away from a half the rounding
// agrees, and values near a half (and non-finite or large ones) take the
// general path.
char* FormatFixedFast(char* end, double value, int precision) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e6) || precision < 0 || precision > 6) return nullptr;  // also NaN
  const double scaled = magnitude * kPowers[precision];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) <= 1e-3) return nullptr;
  uint64_t digits = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  char* p = end;
  for (int i = 0; i < precision; ++i) {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  if (precision > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits);
  // printf keeps the sign of negative values that round to zero, and of -0.
  if (std::signbit(value)) *--p = '-';
  return p;
}

}  // namespace

void PutFixedWidth(std::string& out, double value, int width, int precision) {
  char buf[40];
  char* end = buf + sizeof(buf);
  if (char* begin = FormatFixedFast(end, value, precision)) {
    const size_t written = static_cast<size_t>(end - begin);
    if (width > 0 && written < static_cast<size_t>(width))
      out.append(static_cast<size_t>(width) - written, ' ');
    out.append(begin, written);
    return;
  }
  const size_t start = out.size();
  AppendFixed(out, value, precision);
  const size_t written = out.size() - start;
  if (width > 0 && written < static_cast<size_t>(width)) {
    out.insert(start, static_cast<size_t>(width) - written, ' ');
  }
}

namespace {

// Reads the decimal digits at `p` (none gives 0) and moves past them.
int ReadCount(const char*& p) {
  int n = 0;
  while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
  return n;
}

}  // namespace

void PutFormatted(std::string& out, const char* format, const FormatArg* args, size_t count) {
  size_t next = 0;
  const char* p = format;
  while (const char* percent = std::strchr(p, '%')) {
    out.append(p, static_cast<size_t>(percent - p));
    const char* directive = percent + 1;
    p = directive;
    const int width = ReadCount(p);
    int precision = 6;
    if (*p == '.') precision = ReadCount(++p);
    const char conversion = *p;
    if (conversion == '%' && p == directive) {
      out += '%';
      ++p;
      continue;
    }
    const bool text = conversion == 'q' || conversion == 's';
    if (!text && conversion != 'f' && conversion != 'e' && conversion != 'd') {
      // Not a directive: copied as it is.
      out.append(percent, static_cast<size_t>(p - percent));
      continue;
    }
    ++p;
    const FormatArg* arg = next < count ? &args[next++] : nullptr;
    const FormatArg::Kind kind = arg ? arg->kind() : FormatArg::kText;
    if (!arg || text != (kind == FormatArg::kText) || (conversion == 'd' && kind != FormatArg::kInteger)) {
      continue;
    }
    switch (conversion) {
      case 'q':
        out += '"';
        out.append(arg->text());
        out += '"';
        break;
      case 's':
        out.append(arg->text());
        break;
      case 'f':
        PutFixedWidth(out, arg->real(), width, precision);
        break;
      case 'e':
        AppendExponent(out, arg->real(), precision);
        break;
      default:
        AppendInt(out, arg->integer());
        break;
    }
  }
  out.append(p);
}

}  // namespace e2k
}  // namespace bm
