// CString: the byte string of the legacy framework.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bm {
// The ASCII character rules every text reader and CString share: white space
// is space, tab, line feed, vertical tab, form feed and carriage return; only
// ASCII letters change case.
inline bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// `s` without its leading / trailing white space (IsAsciiSpace).
inline std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsAsciiSpace(s.front())) s.remove_prefix(1);
  return s;
}
inline std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsAsciiSpace(s.back())) s.remove_suffix(1);
  return s;
}
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
// The position (0 to 7) of the first byte of `flags` (in LoadPrefix8's
// order) whose high bit is set, or 8 when none is: the byte tests done on
// eight bytes at once (a separator, a byte that is not a digit) flag each
// byte that passes by its high bit. The lowest flag, 2^(8k+7), gives k: by
// counting the zero bits below it, or where that is no builtin, by a
// multiply that moves k into the top byte.
inline size_t FirstFlaggedByte(uint64_t flags) {
  if (flags == 0) return 8;
#if defined(__GNUC__)
  return static_cast<size_t>(__builtin_ctzll(flags)) / 8;
#else
  return static_cast<size_t>((((flags & (0 - flags)) >> 7) * 0x0001020304050607ull) >> 56);
#endif
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
// Whether a and b hold the same bytes; names and keys of up to 16 bytes are
// compared as one or two words, without a library call.
inline bool SameBytes(std::string_view a, std::string_view b) {
  const size_t n = a.size();
  if (n != b.size()) return false;
  if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
  const size_t head = n < 8 ? n : 8;
  return LoadPrefix8(a.data(), head) == LoadPrefix8(b.data(), head) &&
         (n <= 8 || LoadPrefix8(a.data() + 8, n - 8) == LoadPrefix8(b.data() + 8, n - 8));
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
// Whether `text` upper-cased (ASCII letters only) is `upper`, eight bytes at
// a time: the reader asks this of a token and a keyword on every line.
inline bool UpperedIs(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t k = 0; k < text.size(); k += 8) {
    const size_t n = text.size() - k < 8 ? text.size() - k : 8;
    if (AsciiUpper8(LoadPrefix8(text.data() + k, n)) != LoadPrefix8(upper.data() + k, n)) return false;
  }
  return true;
}
}  // namespace bm

// A byte string with the legacy string operations. Bytes are kept as they
// are: no encoding is assumed, and only ASCII letters are ever case-folded.
//
// Sixteen bytes, half a std::string: a model holds several strings in each of
// its millions of objects. Up to 15 bytes live in the object itself, the last
// byte holding 15 minus the length (so that it is the terminating NUL at 15);
// a longer string lives in a block of 2^k - 8 bytes on the heap (the sizes
// malloc serves without waste), with its address, length and k in the object
// and the top bit of the last byte set. Decision: a length is at most
// 2^31 - 9 (an int, as GetLength gives it); a longer one throws
// std::length_error and leaves the string as it was.
class CString {
 public:
  CString() { SetInlineLength(0); }
  // The conversions are implicit, as the legacy class has them.
  CString(const char* text) : CString(std::string_view(text ? text : "")) {}  // NOLINT
  CString(const char* text, int length);
  CString(const std::string& text) : CString(std::string_view(text)) {}                // NOLINT
  CString(std::string_view text) : CString() { SetString(text.data(), text.size()); }  // NOLINT
  CString(char c, int count = 1);
  CString(const CString& other) {
    if (other.OnHeap()) {
      SetInlineLength(0);
      SetString(other.HeapData(), other.size());
    } else {
      std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    }
  }
  CString(CString&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetInlineLength(0);
  }
  CString& operator=(const CString& other) {
    if (!OnHeap() && !other.OnHeap()) {
      std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    } else if (this != &other) {
      SetString(other.data(), other.size());
    }
    return *this;
  }
  CString& operator=(CString&& other) noexcept {
    if (this != &other) {
      Release();
      std::memcpy(bytes_, other.bytes_, sizeof bytes_);
      other.SetInlineLength(0);
    }
    return *this;
  }
  ~CString() { Release(); }

  // Implicit conversion to a NUL-terminated C string, as the legacy class has.
  operator const char*() const { return data(); }  // NOLINT
  const char* c_str() const { return data(); }
  // A copy of the bytes (view() reads them in place).
  std::string str() const { return std::string(data(), size()); }
  std::string_view view() const { return std::string_view(data(), size()); }

  int GetLength() const { return static_cast<int>(size()); }
  bool IsEmpty() const { return size() == 0; }
  void Empty() { SetString(nullptr, 0); }
  // Byte at 0-based position i (unchecked).
  char GetAt(int i) const { return data()[i]; }
  void SetAt(int i, char c) { MutableData()[i] = c; }
  // Replaces the bytes with `length` bytes at `text` (which may lie in this
  // string).
  void SetString(const char* text, size_t length) {
    if (length > kInline || OnHeap() || !kLittleEndian) return SetLongString(text, length);
    // A short string (most names of a model): two word loads that read no
    // byte beyond the text (the bytes above it are zero), stored as the
    // object's sixteen bytes in memory order; no library call.
    SetShort(text, length, false);
  }
  // Sets the length to n, keeping the first bytes, and returns the n bytes to
  // fill in (the terminating NUL after them is kept).
  char* GetBufferSetLength(int n) { return Resize(n > 0 ? static_cast<size_t>(n) : 0); }

  CString& operator=(const char* text) {
    SetString(text, text ? std::strlen(text) : 0);
    return *this;
  }
  CString& operator+=(const CString& other) { return Append(other.data(), other.size()); }
  CString& operator+=(const char* text) { return text ? Append(text, std::strlen(text)) : *this; }
  CString& operator+=(char c) { return Append(&c, 1); }

  // printf-style formatting of the legacy runtime, independent of the process
  // locale; "%e" always has a three-digit exponent (see platform/Format.h).
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void FormatV(const char* format, va_list args);

  // Upper-cases ASCII letters in place; bytes 0x80 to 0xFF stay unchanged.
  void MakeUpper() {
    if (OnHeap() || !kLittleEndian) return bm::AsciiUpperInPlace(MutableData(), size());
    // A short string: its sixteen bytes as two words. Upper-casing the bytes
    // beyond the text changes nothing that is read, and the last holds 15
    // minus the length, which is no letter.
    uint64_t low;
    uint64_t high;
    std::memcpy(&low, bytes_, 8);
    std::memcpy(&high, bytes_ + 8, 8);
    StoreInline(bm::AsciiUpper8(low), bm::AsciiUpper8(high));
  }
  // `text` with its ASCII letters upper-cased: how a reader takes each name
  // and keyword. A short text is read, upper-cased and stored in one go.
  static CString UpperOf(std::string_view text) { return CString(text, UpperCase{}); }
  // Lower-cases ASCII letters in place.
  void MakeLower() {
    char* p = MutableData();
    for (size_t i = 0, n = size(); i < n; ++i) p[i] = bm::AsciiLower(p[i]);
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

  // A string prepared for comparing many strings with it (a list scanned
  // for a name): a short one is matched against another short one by its
  // sixteen stored bytes, masked to those that count, with no branch on
  // either length.
  class Matcher {
   public:
    explicit Matcher(const CString& text) : text_(text) {
      // Only on little-endian machines do the words hold the bytes in
      // order; elsewhere every comparison goes the long way.
      if (text.OnHeap() || !kLittleEndian) return;
      const size_t n = text.size();
      // The text's bytes, and the last byte: the length, and the heap flag
      // of the other string.
      mask_[0] = n >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
      mask_[1] = (n > 8 ? (uint64_t{1} << (8 * (n - 8))) - 1 : 0) | uint64_t{0xFF} << 56;
      std::memcpy(words_, text.bytes_, sizeof words_);
      words_[0] &= mask_[0];
      words_[1] &= mask_[1];
      whole_ = true;
    }
    bool Matches(const CString& other) const {
      if (whole_) {
        uint64_t words[2];
        std::memcpy(words, other.bytes_, sizeof words);
        // A string on the heap sets the top bit of the last byte, which the
        // mask keeps: it goes the long way (it may hold a short text).
        if (((words[0] & mask_[0]) == words_[0]) & ((words[1] & mask_[1]) == words_[1])) return true;
        if ((words[1] >> 63) == 0) return false;
      }
      return other == text_;
    }

   private:
    const CString& text_;
    uint64_t words_[2] = {0, 0};
    uint64_t mask_[2] = {0, 0};
    bool whole_ = false;  // text_ is short: the words decide unless other is on the heap
  };

  friend bool operator==(const CString& a, const CString& b) { return bm::SameBytes(a.view(), b.view()); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator==(const CString& a, const char* b) {
    return bm::SameBytes(a.view(), std::string_view(b ? b : ""));
  }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator==(const char* a, const CString& b) { return b == a; }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.view() < b.view(); }

  friend CString operator+(const CString& a, const CString& b) { return Concat(a.view(), b.view()); }
  friend CString operator+(const CString& a, const char* b) { return Concat(a.view(), b ? b : ""); }
  friend CString operator+(const char* a, const CString& b) { return Concat(a ? a : "", b.view()); }
  friend CString operator+(const CString& a, char b) { return Concat(a.view(), std::string_view(&b, 1)); }

 private:
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  static constexpr bool kLittleEndian = false;
#else
  static constexpr bool kLittleEndian = true;  // x86, and every Windows target
#endif
  static constexpr size_t kInline = 15;
  static constexpr unsigned char kHeap = 0x80;
  static constexpr size_t kSizeAt = 8;    // the heap length, 4 bytes
  static constexpr size_t kShiftAt = 12;  // k of the heap block's 2^k - 8 bytes
  // The bytes a heap block of 2^k - 8 bytes holds before its NUL.
  static constexpr size_t Room(unsigned shift) { return (size_t{1} << shift) - 9; }
  static constexpr unsigned kLargestShift = 31;  // Room(31): the longest string

  struct UpperCase {};
  CString(std::string_view text, UpperCase) : CString() {
    if (text.size() > kInline || !kLittleEndian) {
      SetString(text.data(), text.size());
      MakeUpper();
    } else {
      SetShort(text.data(), text.size(), true);
    }
  }
  // A short string (little-endian, `length` up to kInline, not on the heap)
  // from `text`, upper-cased when `upper`: two word loads that read no byte
  // beyond the text (the bytes above it are zero, the last holds the
  // length), stored at once.
  void SetShort(const char* text, size_t length, bool upper) {
    uint64_t low = bm::LoadPrefix8(text, length < 8 ? length : 8);
    uint64_t high = length > 8 ? bm::LoadPrefix8(text + 8, length - 8) : 0;
    if (upper) {
      low = bm::AsciiUpper8(low);
      high = bm::AsciiUpper8(high);
    }
    StoreInline(low, high | uint64_t{kInline - length} << 56);
  }
  // Writes the sixteen bytes of a short string with one store where the
  // processor has one: a string is often read or copied whole right after it
  // is made, and a read that spans two recent stores waits for both to land.
  void StoreInline(uint64_t low, uint64_t high) {
#if defined(__SSE2__)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes_),
                     _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low)));
#else
    std::memcpy(bytes_, &low, 8);
    std::memcpy(bytes_ + 8, &high, 8);
#endif
  }

  bool OnHeap() const { return (bytes_[kInline] & kHeap) != 0; }
  char* HeapData() const {
    char* p;
    std::memcpy(&p, bytes_, sizeof p);
    return p;
  }
  size_t size() const {
    if (!OnHeap()) return kInline - bytes_[kInline];
    uint32_t n;
    std::memcpy(&n, bytes_ + kSizeAt, sizeof n);
    return n;
  }
  const char* data() const { return OnHeap() ? HeapData() : reinterpret_cast<const char*>(bytes_); }
  char* MutableData() { return OnHeap() ? HeapData() : reinterpret_cast<char*>(bytes_); }
  size_t Capacity() const { return OnHeap() ? Room(bytes_[kShiftAt]) : kInline; }
  void SetInlineLength(size_t n) {
    bytes_[n] = 0;
    bytes_[kInline] = static_cast<unsigned char>(kInline - n);
  }
  // Sets the length within the capacity and writes the terminating NUL.
  void SetLength(size_t n);
  // Sets the length, growing the room and keeping the first bytes; returns
  // the bytes.
  char* Resize(size_t length);
  void SetLongString(const char* text, size_t length);
  void Release() {
    if (OnHeap()) ::operator delete(HeapData());
  }
  // Moves the bytes to a block of at least `capacity` bytes (plus the NUL),
  // keeping the first `keep`.
  void Grow(size_t capacity, size_t keep);
  CString& Append(const char* text, size_t length);
  static CString Concat(std::string_view a, std::string_view b);

  alignas(void*) unsigned char bytes_[16] = {};
};
static_assert(sizeof(CString) == 16, "a CString is sixteen bytes");

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::string_view>()(s.view()); }
};
