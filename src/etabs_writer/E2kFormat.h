// The text writer's line formatter and its number conversions: each line of
// the file is stated as one format string, expanded with the legacy
// runtime's exact number output and without depending on the locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "../platform/Format.h"
#include "../platform/String.h"

namespace bm {
namespace e2k {

// The conversions behind Put's number directives.

// "%<width>.<precision>f": the same bytes as AppendFixed, right-aligned in a
// field of at least `width`, with a fast path for the magnitudes a model
// holds.
void PutFixedWidth(std::string& out, double value, int width, int precision);
// "%.<precision>f".
inline void PutFixed(std::string& out, double value, int precision) {
  PutFixedWidth(out, value, 0, precision);
}
// "%e": six decimals, at least three exponent digits.
inline void PutE(std::string& out, double value) { AppendExponent(out, value, 6); }
// "%d".
inline void PutI(std::string& out, long long value) { AppendInt(out, value); }
// "%10.6f".
inline void PutF10(std::string& out, double value) { PutFixedWidth(out, value, 10, 6); }

// One argument of Put: a text or a number. Holds a view of the caller's
// text, so it lives only for the call it is made for.
class FormatArg {
 public:
  enum Kind { kText, kReal, kInteger };

  FormatArg(const CString& text) : kind_(kText), text_(text.view()) {}    // NOLINT: implicit by design
  FormatArg(const char* text) : kind_(kText), text_(text ? text : "") {}  // NOLINT: null reads as ""
  FormatArg(std::string_view text) : kind_(kText), text_(text) {}         // NOLINT
  FormatArg(double value) : kind_(kReal), real_(value) {}                 // NOLINT
  FormatArg(int value) : kind_(kInteger), integer_(value) {}              // NOLINT
  FormatArg(long long value) : kind_(kInteger), integer_(value) {}        // NOLINT

  Kind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  // The number as a double (an integer argument serves "%f" and "%e").
  double real() const { return kind_ == kReal ? real_ : static_cast<double>(integer_); }
  long long integer() const { return integer_; }

 private:
  Kind kind_;
  std::string_view text_;
  double real_ = 0.0;
  long long integer_ = 0;
};

// Appends `format` to `out` with its directives replaced by the arguments,
// in order. Bytes other than directives are copied as they are. Directives:
//   %q        the text between double quotes, unescaped ("\"%s\"")
//   %s        the text as it is
//   %f        fixed notation, six decimals, as printf's "%f"
//   %W.Pf     fixed notation, P decimals, right-aligned in at least W bytes
//             (either part may be left out: "%10f", "%.3f")
//   %e        six decimals and at least three exponent digits ("2.000000e+005")
//   %d        a decimal integer
//   %%        one '%'
// A directive whose argument is missing or of the wrong kind (a text for a
// number, a number for a text, a real for "%d") writes nothing; an unknown directive is copied
// as it is. Allocates nothing beyond the growth of `out`.
void PutFormatted(std::string& out, const char* format, const FormatArg* args, size_t count);

template <typename... Args>
void Put(std::string& out, const char* format, const Args&... args) {
  const FormatArg list[sizeof...(Args) + 1] = {FormatArg(args)..., FormatArg(0)};
  PutFormatted(out, format, list, sizeof...(Args));
}

// The text that `append(out, args...)` appends to an empty buffer, as the
// entities' own text operations (GetETABSString and kin) return it.
template <typename Appender, typename... Args>
CString TextOf(Appender append, Args&&... args) {
  std::string out;
  append(out, std::forward<Args>(args)...);
  return CString(out);
}

}  // namespace e2k
}  // namespace bm
