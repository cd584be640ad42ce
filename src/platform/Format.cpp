// Locale-independent printf formatting and number parsing.
#include "platform/Format.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

#include "platform/String.h"

namespace bm {
namespace {

struct Conversion {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alt = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
};

// Pads `body` (sign and prefix already included in `prefixLen` leading bytes)
// to the field width as printf does.
void AppendPadded(std::string& out, std::string_view body, size_t prefixLen, const Conversion& cv,
                  bool zeroAllowed) {
  const size_t len = body.size();
  const size_t width = cv.width > 0 ? static_cast<size_t>(cv.width) : 0;
  if (len >= width) {
    out.append(body);
    return;
  }
  const size_t pad = width - len;
  if (cv.left) {
    out.append(body);
    out.append(pad, ' ');
  } else if (cv.zero && zeroAllowed) {
    out.append(body.substr(0, prefixLen));
    out.append(pad, '0');
    out.append(body.substr(prefixLen));
  } else {
    out.append(pad, ' ');
    out.append(body);
  }
}

// Widens a to_chars exponent ("e+05") to at least three digits ("e+005").
void WidenExponent(char* begin, char*& end) {
  char* e = nullptr;
  for (char* p = begin; p < end; ++p) {
    if (*p == 'e' || *p == 'E') e = p;
  }
  if (!e || e + 2 > end) return;
  char* digits = e + 2;  // after the sign
  const long n = end - digits;
  if (n >= 3) return;
  const long add = 3 - n;
  std::memmove(digits + add, digits, static_cast<size_t>(n));
  for (long i = 0; i < add; ++i) digits[i] = '0';
  end += add;
}

void AppendFloat(std::string& out, double value, char conv, const Conversion& cv) {
  const bool upper = (conv == 'E' || conv == 'F' || conv == 'G');
  const char lower = static_cast<char>(conv | 0x20);
  int precision = cv.precision < 0 ? 6 : cv.precision;
  char buf[400];
  char* p = buf;
  const bool negative = std::signbit(value);
  if (negative) {
    *p++ = '-';
  } else if (cv.plus) {
    *p++ = '+';
  } else if (cv.space) {
    *p++ = ' ';
  }
  const size_t signLen = static_cast<size_t>(p - buf);
  const double magnitude = std::fabs(value);
  char* end = p;
  bool finite = std::isfinite(value);
  if (!finite) {
    const char* word = std::isnan(value) ? "nan" : "inf";
    for (const char* w = word; *w; ++w) *end++ = upper ? static_cast<char>(*w & ~0x20) : *w;
  } else {
    std::chars_format fmt = lower == 'f'   ? std::chars_format::fixed
                            : lower == 'e' ? std::chars_format::scientific
                                           : std::chars_format::general;
    if (lower == 'g' && precision == 0) precision = 1;
    // Fixed notation of a huge number can exceed the local buffer.
    char* limit = buf + sizeof(buf);
    std::to_chars_result r = std::to_chars(p, limit, magnitude, fmt, precision);
    if (r.ec != std::errc()) {
      std::string tmp(1200, '\0');
      r = std::to_chars(tmp.data(), tmp.data() + tmp.size(), magnitude, fmt, precision);
      tmp.resize(static_cast<size_t>(r.ptr - tmp.data()));
      std::string body(buf, signLen);
      body += tmp;
      AppendPadded(out, body, signLen, cv, true);
      return;
    }
    end = r.ptr;
    if (cv.alt && precision == 0 && lower != 'g') {
      // '#' keeps the decimal point.
      char* ePos = end;
      for (char* q = p; q < end; ++q) {
        if (*q == 'e') ePos = q;
      }
      std::memmove(ePos + 1, ePos, static_cast<size_t>(end - ePos));
      *ePos = '.';
      ++end;
    }
    if (lower != 'f') WidenExponent(p, end);
    if (upper) {
      for (char* q = p; q < end; ++q) {
        if (*q == 'e') *q = 'E';
      }
    }
  }
  AppendPadded(out, std::string_view(buf, static_cast<size_t>(end - buf)), signLen, cv, finite);
}

void AppendInteger(std::string& out, unsigned long long magnitude, bool negative, char conv,
                   const Conversion& cv) {
  char digits[80];
  int base = 10;
  if (conv == 'x' || conv == 'X') base = 16;
  if (conv == 'o') base = 8;
  std::to_chars_result r = std::to_chars(digits, digits + sizeof(digits), magnitude, base);
  std::string body;
  if (negative) {
    body += '-';
  } else if ((conv == 'd' || conv == 'i') && cv.plus) {
    body += '+';
  } else if ((conv == 'd' || conv == 'i') && cv.space) {
    body += ' ';
  }
  if (cv.alt && magnitude != 0 && base == 16) body += (conv == 'X') ? "0X" : "0x";
  if (cv.alt && base == 8) body += '0';
  const size_t prefixLen = body.size();
  std::string_view d(digits, static_cast<size_t>(r.ptr - digits));
  if (cv.precision == 0 && magnitude == 0) d = std::string_view();
  if (cv.precision > static_cast<int>(d.size())) {
    body.append(static_cast<size_t>(cv.precision) - d.size(), '0');
  }
  body.append(d);
  if (conv == 'X') {
    for (char& c : body) {
      if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  AppendPadded(out, body, prefixLen, cv, cv.precision < 0);
}

}  // namespace

void AppendFormatV(std::string& out, const char* format, va_list args) {
  if (!format) return;
  const char* f = format;
  while (*f) {
    if (*f != '%') {
      const char* start = f;
      while (*f && *f != '%') ++f;
      out.append(start, static_cast<size_t>(f - start));
      continue;
    }
    ++f;
    if (*f == '%') {
      out += '%';
      ++f;
      continue;
    }
    Conversion cv;
    for (;; ++f) {
      if (*f == '-')
        cv.left = true;
      else if (*f == '+')
        cv.plus = true;
      else if (*f == ' ')
        cv.space = true;
      else if (*f == '#')
        cv.alt = true;
      else if (*f == '0')
        cv.zero = true;
      else
        break;
    }
    if (*f == '*') {
      cv.width = va_arg(args, int);
      if (cv.width < 0) {
        cv.left = true;
        cv.width = -cv.width;
      }
      ++f;
    } else {
      while (*f >= '0' && *f <= '9') {
        if (cv.width < 100000) cv.width = cv.width * 10 + (*f - '0');
        ++f;
      }
    }
    if (*f == '.') {
      ++f;
      cv.precision = 0;
      if (*f == '*') {
        cv.precision = va_arg(args, int);
        ++f;
      } else {
        while (*f >= '0' && *f <= '9') {
          if (cv.precision < 100000) cv.precision = cv.precision * 10 + (*f - '0');
          ++f;
        }
      }
    }
    // Length modifiers.
    // 0 int, 1 long, 2 long long, -1 short; size_t ('z') is read as the one
    // of long and long long that has its size.
    constexpr int kSizeLongness = sizeof(size_t) == sizeof(long) ? 1 : 2;
    int longness = 0;
    for (;; ++f) {
      if (*f == 'l')
        ++longness;
      else if (*f == 'h')
        longness = -1;
      else if (*f == 'z')
        longness = kSizeLongness;
      else if (*f == 'L' || *f == 'q' || *f == 'j' || *f == 't')
        longness = 2;
      else
        break;
    }
    if (cv.precision > 350) cv.precision = 350;  // keeps buffers bounded
    const char conv = *f;
    if (!conv) break;
    ++f;
    switch (conv) {
      case 'd':
      case 'i': {
        // (long and long long are one type of branch on some platforms.)
        long long v = longness == 2   ? va_arg(args, long long)
                      : longness == 1 ? va_arg(args, long)
                                      : va_arg(args, int);
        if (longness == -1) v = static_cast<short>(v);
        const bool neg = v < 0;
        const unsigned long long mag =
            neg ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        AppendInteger(out, mag, neg, conv, cv);
        break;
      }
      case 'u':
      case 'x':
      case 'X':
      case 'o': {
        unsigned long long v = longness == 2   ? va_arg(args, unsigned long long)
                               : longness == 1 ? va_arg(args, unsigned long)
                                               : va_arg(args, unsigned int);
        if (longness == -1) v = static_cast<unsigned short>(v);
        AppendInteger(out, v, false, conv, cv);
        break;
      }
      case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        AppendPadded(out, std::string_view(&c, 1), 0, cv, false);
        break;
      }
      case 's': {
        const char* s = va_arg(args, const char*);
        if (!s) s = "(null)";
        size_t n = std::strlen(s);
        if (cv.precision >= 0 && static_cast<size_t>(cv.precision) < n) {
          n = static_cast<size_t>(cv.precision);
        }
        AppendPadded(out, std::string_view(s, n), 0, cv, false);
        break;
      }
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
        AppendFloat(out, va_arg(args, double), conv, cv);
        break;
      case 'p': {
        void* ptr = va_arg(args, void*);
        Conversion s = cv;
        s.alt = true;
        AppendInteger(out, reinterpret_cast<uintptr_t>(ptr), false, 'x', s);
        break;
      }
      default:
        // Unknown conversion: copied as it stands.
        out += '%';
        out += conv;
        break;
    }
  }
}

void AppendFormat(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
}

std::string FormatString(const char* format, ...) {
  std::string out;
  va_list args;
  va_start(args, format);
  AppendFormatV(out, format, args);
  va_end(args);
  return out;
}

void AppendFixed(std::string& out, double value, int precision) {
  Conversion cv;
  cv.precision = precision;
  AppendFloat(out, value, 'f', cv);
}

void AppendExponent(std::string& out, double value, int precision) {
  Conversion cv;
  cv.precision = precision;
  AppendFloat(out, value, 'e', cv);
}

void AppendInt(std::string& out, long long value) {
  char buf[24];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof(buf), value);
  out.append(buf, static_cast<size_t>(r.ptr - buf));
}

namespace {

// Where a number of `text` starts, past leading white space and an optional
// sign (set in `negative`), as the C library's conversions skip them.
size_t SkipSpaceAndSign(std::string_view text, bool* negative) {
  size_t i = 0;
  while (i < text.size() && bm::IsAsciiSpace(text[i])) ++i;
  *negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    *negative = text[i] == '-';
    ++i;
  }
  return i;
}
}  // namespace

bool ScanInt(std::string_view text, int& value) {
  bool negative = false;
  size_t i = SkipSpaceAndSign(text, &negative);
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  long long v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (v < (1LL << 40)) v = v * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max()) v = std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) v = std::numeric_limits<int>::min();
  value = static_cast<int>(v);
  return true;
}

namespace {
// Whether doubles are computed in double precision, where an integer of at
// most 2^53 over an exact power of ten is rounded once by the division (x87
// arithmetic would round twice): only then do the plain-decimal paths below
// read a number; elsewhere the general path reads every one.
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
constexpr bool kOneRounding = true;
#else
constexpr bool kOneRounding = false;
#endif
constexpr uint64_t kExact = uint64_t{1} << 53;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads a plain decimal (digits, an optional point, digits; no exponent) at
// first whose digits make an integer of at most 2^53 with at most 22 of them
// after the point: its value is that integer over an exact power of ten,
// and one division rounds it correctly, as from_chars would. Only where
// doubles are computed in double precision (x87 arithmetic would round
// twice); false otherwise, and for any other form, leaving the general path
// to read it.
bool ReadPlainDecimal(const char* first, const char* last, double& value, const char*& end) {
  if (!kOneRounding) return false;
  // Nineteen digits at most: their integer cannot wrap.
  constexpr size_t kMaxDigits = 19;
  uint64_t digits = 0;
  // Appends the digits from p on to `digits`; returns where they end. The
  // sum is kept in a local: a char read may alias any variable in memory.
  const auto readDigits = [last, &digits](const char* p) {
    uint64_t sum = digits;
    for (; p < last; ++p) {
      const unsigned d = static_cast<unsigned>(static_cast<unsigned char>(*p)) - unsigned{'0'};
      if (d > 9) break;
      sum = sum * 10 + d;
    }
    digits = sum;
    return p;
  };
  const char* p = readDigits(first);
  size_t count = static_cast<size_t>(p - first), afterPoint = 0;
  if (p < last && *p == '.') {
    const char* fraction = p + 1;
    p = readDigits(fraction);
    afterPoint = static_cast<size_t>(p - fraction);
    count += afterPoint;
  }
  if (count == 0 || count > kMaxDigits || digits > kExact) return false;
  if (afterPoint >= sizeof kPowersOfTen / sizeof kPowersOfTen[0]) return false;
  if (p < last && (*p == 'e' || *p == 'E')) return false;
  value = static_cast<double>(digits) / kPowersOfTen[afterPoint];
  end = p;
  return true;
}
}  // namespace

bool ReadPlainNumber(std::string_view text, double& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  const bool negative = first < last && *first == '-';
  if (first < last && (*first == '-' || *first == '+')) ++first;
  double v = 0.0;
  const char* end = nullptr;
  if (!ReadPlainDecimal(first, last, v, end) || end != last) return false;
  value = negative ? -v : v;
  return true;
}

namespace {
constexpr uint64_t kEachByte = 0x0101010101010101ULL;

// How many of the first `n` (at most 8) bytes of `w` are ASCII digits
// before the first that is not one. A digit's byte XOR '0' is 0 to 9, and
// adding 0x76 to its low seven bits leaves the high bit clear only for
// those (no sum carries into the next byte).
size_t DigitRun(uint64_t w, size_t n) {
  const uint64_t t = w ^ (uint64_t{'0'} * kEachByte);
  const uint64_t nonDigits = (((t & (0x7F * kEachByte)) + 0x76 * kEachByte) | t) & (0x80 * kEachByte);
  const uint64_t beyond = n >= 8 ? 0 : (0x80 * kEachByte) << (8 * n);
  return bm::FirstFlaggedByte(nonDigits | beyond);
}

// The value of the `n` (1 to 8, never 0) digits in the first bytes of `w`,
// the first digit the most significant: shifted to the top of the word (the
// bytes below become leading zeros), then pairs, fours and eights of digits
// are combined by one multiplication each.
uint64_t DigitsValue(uint64_t w, size_t n) {
  uint64_t v = (w & (0x0F * kEachByte)) << (8 * (8 - n));
  v = ((v * (10 * 256 + 1)) >> 8) & 0x00FF00FF00FF00FFULL;
  v = ((v * (100 * 65536 + 1)) >> 16) & 0x0000FFFF0000FFFFULL;
  return (v * ((uint64_t{10000} << 32) + 1)) >> 32;
}
}  // namespace

bool ReadShortPlainNumber(std::string_view paddedText, double& value) {
  if (!kOneRounding) return false;
  static constexpr uint64_t kScales[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
  const char* p = paddedText.data();
  size_t n = paddedText.size();
  const bool negative = n > 0 && *p == '-';
  if (n > 0 && (*p == '-' || *p == '+')) ++p, --n;
  if (n - 1 >= 17) return false;  // empty, or more than sixteen digits
  const uint64_t word = bm::LoadPrefix8(p, 8);
  const size_t wholeDigits = DigitRun(word, n);
  uint64_t digits;
  size_t fractionDigits = 0;
  if (wholeDigits == n) {
    if (n > 8) return false;  // more than eight digits before the point
    digits = DigitsValue(word, n);
  } else if (p[wholeDigits] != '.' || n == 1) {
    return false;
  } else if (n <= 8) {
    // One word holds it all ("0.000000", "1.200"): the point is taken out
    // by moving the digits before it up one byte, over it (a zero byte, a
    // leading zero, comes in below them).
    fractionDigits = n - wholeDigits - 1;
    const uint64_t fraction = word >> (8 * wholeDigits) >> 8;
    if (DigitRun(fraction, fractionDigits) < fractionDigits) return false;
    const uint64_t below = (uint64_t{1} << (8 * wholeDigits)) - 1;
    const uint64_t joined = ((word & below) << 8) | (fraction << (8 * wholeDigits) << 8);
    digits = DigitsValue(joined, n);
  } else {
    // Digits either side, each run in a word of its own. The fraction's
    // word starts at most at the text's end, within the readable bytes
    // after it.
    fractionDigits = n - wholeDigits - 1;
    if (fractionDigits > 8) return false;
    const uint64_t fraction = bm::LoadPrefix8(p + wholeDigits + 1, 8);
    if (DigitRun(fraction, fractionDigits) < fractionDigits) return false;
    digits = (wholeDigits ? DigitsValue(word, wholeDigits) : 0) * kScales[fractionDigits] +
             (fractionDigits ? DigitsValue(fraction, fractionDigits) : 0);
    // Sixteen digits may exceed 2^53, where a double no longer holds every
    // integer (the division would round twice).
    if (digits > kExact) return false;
  }
  // Both exact, so one division rounds correctly, as ReadPlainNumber does.
  const double v = static_cast<double>(static_cast<int64_t>(digits)) / kPowersOfTen[fractionDigits];
  value = negative ? -v : v;
  return true;
}

double StrToD(std::string_view text, size_t* consumed) {
  bool negative = false;
  const size_t i = SkipSpaceAndSign(text, &negative);
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  double value = 0.0;
  // from_chars takes a minus sign of its own: a second sign is not a number.
  if (first < last && (*first == '-' || *first == '+')) {
    if (consumed) *consumed = 0;
    return 0.0;
  }
  // Hexadecimal floats ("0x1p3"), accepted by strtod.
  if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
    std::from_chars_result r = std::from_chars(first + 2, last, value, std::chars_format::hex);
    if (r.ec == std::errc() || r.ec == std::errc::result_out_of_range) {
      if (consumed) *consumed = static_cast<size_t>(r.ptr - text.data());
      if (r.ec == std::errc::result_out_of_range) value = HUGE_VAL;
      return negative ? -value : value;
    }
    // "0x" without hex digits: strtod reads the "0".
    if (consumed) *consumed = static_cast<size_t>(first + 1 - text.data());
    return negative ? -0.0 : 0.0;
  }
  if (const char* end = nullptr; ReadPlainDecimal(first, last, value, end)) {
    if (consumed) *consumed = static_cast<size_t>(end - text.data());
    return negative ? -value : value;
  }
  std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::general);
  if (r.ec == std::errc::invalid_argument) {
    if (consumed) *consumed = 0;
    return 0.0;
  }
  if (r.ec == std::errc::result_out_of_range) {
    // strtod gives HUGE_VAL for overflow and (nearly) zero for underflow.
    // Decide which by the exponent's sign.
    bool underflow = false;
    for (const char* p = first; p < r.ptr; ++p) {
      if ((*p == 'e' || *p == 'E') && p + 1 < r.ptr && p[1] == '-') underflow = true;
    }
    value = underflow ? 0.0 : HUGE_VAL;
  }
  if (consumed) *consumed = static_cast<size_t>(r.ptr - text.data());
  return negative ? -value : value;
}

}  // namespace bm
