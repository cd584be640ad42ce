// CString: the byte string of the legacy framework, rebuilt on std::string.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace bm {
// The ASCII character rules every text reader and CString share: white space
// is space, tab, line feed, vertical tab, form feed and carriage return; only
// ASCII letters change case.
inline bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
// The first min(n, 8) bytes at p in one word, the first byte lowest and the
// bytes above n zero, reading no byte beyond n: one load, or two that may
// overlap (an overlapped byte lands in the same place twice). Short names
// and keys are compared and hashed as such words.
inline uint64_t LoadPrefix8(const char* text, size_t n) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  const auto load4 = [](const unsigned char* b) {
    return uint64_t{b[0]} | uint64_t{b[1]} << 8 | uint64_t{b[2]} << 16 | uint64_t{b[3]} << 24;
  };
  if (n >= 8) return load4(p) | load4(p + 4) << 32;
  if (n >= 4) return load4(p) | load4(p + n - 4) << (8 * (n - 4));
  if (n == 0) return 0;
  return uint64_t{p[0]} | uint64_t{p[n / 2]} << (8 * (n / 2)) | uint64_t{p[n - 1]} << (8 * (n - 1));
}
// AsciiUpper of each of the eight bytes of `v` at once: a byte from 'a' to
// 'z' loses 0x20 (no byte carries into the next, so the byte order does not
// matter).
inline uint64_t AsciiUpper8(uint64_t v) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  const uint64_t low7 = v & (0x7F * kOnes);
  const uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;
  const uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;
  const uint64_t lower = atLeastA & ~aboveZ & ~v & (0x80 * kOnes);
  return v - (lower >> 2);
}
// AsciiUpper of the n bytes at p, eight at a time from eight bytes on
// (names and keywords are upper-cased on every line read).
inline void AsciiUpperInPlace(char* p, size_t n) {
  if (n < 8) {
    for (size_t i = 0; i < n; ++i) p[i] = AsciiUpper(p[i]);
    return;
  }
  const auto upper8 = [](char* at) {
    uint64_t v;
    std::memcpy(&v, at, 8);
    v = AsciiUpper8(v);
    std::memcpy(at, &v, 8);
  };
  for (size_t i = 0; i + 8 < n; i += 8) upper8(p + i);
  upper8(p + n - 8);  // the last eight, overlapping: upper-casing twice changes nothing
}
// Whether a and b are equal when ASCII case is ignored.
inline bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Eight bytes at a time: every line of a block is compared with its keyword.
  for (size_t k = 0; k < a.size(); k += 8) {
    const size_t n = a.size() - k < 8 ? a.size() - k : 8;
    if (AsciiUpper8(LoadPrefix8(a.data() + k, n)) != AsciiUpper8(LoadPrefix8(b.data() + k, n))) return false;
  }
  return true;
}
}  // namespace bm

// A byte string with the legacy string operations. Bytes are kept as they
// are: no encoding is assumed, and only ASCII letters are ever case-folded.
class CString {
 public:
  CString() = default;
  CString(const char* text) : s_(text ? text : "") {}  // NOLINT: implicit, as the legacy class
  CString(const char* text, int length);
  CString(const std::string& text) : s_(text) {}        // NOLINT
  CString(std::string&& text) : s_(std::move(text)) {}  // NOLINT
  CString(std::string_view text) : s_(text) {}          // NOLINT
  CString(char c, int count = 1);

  // Implicit conversion to a NUL-terminated C string, as the legacy class has.
  operator const char*() const { return s_.c_str(); }  // NOLINT
  const char* c_str() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string& str() { return s_; }
  std::string_view view() const { return s_; }

  int GetLength() const { return static_cast<int>(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  // Byte at 0-based position i (no bounds check beyond std::string's).
  char GetAt(int i) const { return s_[static_cast<size_t>(i)]; }
  void SetAt(int i, char c) { s_[static_cast<size_t>(i)] = c; }

  CString& operator=(const char* text) {
    s_ = text ? text : "";
    return *this;
  }
  CString& operator+=(const CString& other) {
    s_ += other.s_;
    return *this;
  }
  CString& operator+=(const char* text) {
    if (text) s_ += text;
    return *this;
  }
  CString& operator+=(char c) {
    s_ += c;
    return *this;
  }

  // printf-style formatting of the legacy runtime, independent of the process
  // locale; "%e" always has a three-digit exponent (see platform/Format.h).
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void FormatV(const char* format, va_list args);

  // Upper-cases ASCII letters in place; bytes 0x80 to 0xFF stay unchanged.
  void MakeUpper() { bm::AsciiUpperInPlace(s_.data(), s_.size()); }
  // Lower-cases ASCII letters in place.
  void MakeLower() {
    for (char& c : s_) c = bm::AsciiLower(c);
  }
  // Removes leading / trailing white space (space, tab, CR, LF, VT, FF).
  void TrimLeft();
  void TrimRight();
  void Trim() {
    TrimRight();
    TrimLeft();
  }
  // Removes every occurrence of c; returns how many were removed.
  int Remove(char c);
  // 0-based position of the first occurrence at or after start, -1 if none.
  int Find(char c, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  // First / last n bytes (the whole string when n exceeds the length; empty
  // when n is negative).
  CString Left(int n) const;
  CString Right(int n) const;
  CString Mid(int first, int count = -1) const;
  // Exact byte comparison (strcmp semantics) and ASCII case-insensitive one.
  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;

  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator!=(const CString& a, const CString& b) { return a.s_ != b.s_; }
  friend bool operator==(const CString& a, const char* b) { return a.s_ == (b ? b : ""); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator==(const char* a, const CString& b) { return b == a; }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.s_ + (b ? b : "")); }
  friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.s_); }
  friend CString operator+(const CString& a, char b) { return CString(a.s_ + b); }

 private:
  std::string s_;
};

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
