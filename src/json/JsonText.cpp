// JSON text of numbers and strings.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>

#include "json/JsonWriter.h"

namespace bm::json {

void AppendNumber(std::string& out, double v) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  // The shortest text that reads back to the same double. A real number
  // always shows a point or an exponent ("3.0", "-0.0", "1e+16"), so that
  // readers that keep integers apart (Python's json among them) give back a
  // real number, with its sign for -0.0.
  char buffer[32];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
  const std::string_view text(buffer, static_cast<size_t>(r.ptr - buffer));
  out += text;
  if (text.find_first_of(".e") == std::string_view::npos) out += ".0";
}

namespace {

// The well-formed UTF-8 sequences by lead byte: their length and the range
// of the second byte (further bytes are 80 to BF). Lead bytes outside these
// ranges (80 to C1, F5 to FF) start no sequence.
struct LeadRange {
  unsigned char first, last;  // lead bytes
  unsigned char length;
  unsigned char low, high;  // second byte
};
constexpr LeadRange kLeads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// Length of the well-formed multibyte sequence at the start of `s`, or 0.
size_t SequenceLength(std::string_view s) {
  const auto byte = [&s](size_t i) { return static_cast<unsigned char>(s[i]); };
  for (const LeadRange& lead : kLeads) {
    if (byte(0) < lead.first || byte(0) > lead.last) continue;
    if (s.size() < lead.length || byte(1) < lead.low || byte(1) > lead.high) return 0;
    for (size_t i = 2; i < lead.length; ++i) {
      if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return lead.length;
  }
  return 0;
}

// The two-character escapes; other control characters are written \u00XX.
constexpr std::pair<char, const char*> kShortEscapes[] = {
    {'"', "\\\""}, {'\\', "\\\\"}, {'\b', "\\b"}, {'\f', "\\f"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};

void AppendUnicodeEscape(std::string& out, unsigned code) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
}

}  // namespace

void AppendString(std::string& out, std::string_view bytes) {
  out += '"';
  size_t plain = 0;  // start of the run of bytes copied as they are
  size_t i = 0;
  const auto flush = [&] { out.append(bytes.data() + plain, i - plain); };
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    if (c >= 0x80) {
      const size_t n = SequenceLength(bytes.substr(i));
      if (n > 0) {
        i += n;
        continue;
      }
    }
    flush();
    if (c >= 0x80) {
      // A byte of no well-formed sequence: the lone low surrogate U+DC00 + byte.
      AppendUnicodeEscape(out, 0xDC00u + c);
    } else {
      const char* escape = nullptr;
      for (const auto& [ch, text] : kShortEscapes) {
        if (ch == static_cast<char>(c)) escape = text;
      }
      if (escape) {
        out += escape;
      } else {
        AppendUnicodeEscape(out, c);
      }
    }
    plain = ++i;
  }
  flush();
  out += '"';
}

}  // namespace bm::json
