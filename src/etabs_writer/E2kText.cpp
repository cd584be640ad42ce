// Number conversions shared by the writer's appenders.
#include "etabs_writer/E2kText.h"

#include <cmath>
#include <cstdint>

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
    if (width > 0 && written < static_cast<size_t>(width)) out.append(static_cast<size_t>(width) - written, ' ');
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

}  // namespace e2k
}  // namespace bm
