// CString operations.
#include "platform/String.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/Format.h"

CString::CString(const char* text, int length) : CString() {
  if (text && length > 0) SetString(text, static_cast<size_t>(length));
}

CString::CString(char c, int count) : CString() {
  if (count > 0) std::memset(Resize(static_cast<size_t>(count)), c, static_cast<size_t>(count));
}

void CString::SetLength(size_t n) {
  if (!OnHeap()) {
    SetInlineLength(n);
    return;
  }
  const auto length = static_cast<uint32_t>(n);
  std::memcpy(bytes_ + kSizeAt, &length, sizeof length);
  HeapData()[n] = 0;
}

void CString::Grow(size_t capacity, size_t keep) {
  if (capacity > Room(kLargestShift)) throw std::length_error("CString: a string of 2^31 - 8 bytes or more");
  unsigned shift = 5;
  while (Room(shift) < capacity) ++shift;
  char* block = static_cast<char*>(::operator new(Room(shift) + 1));
  std::memcpy(block, data(), keep);
  Release();
  std::memcpy(bytes_, &block, sizeof block);
  bytes_[kShiftAt] = static_cast<unsigned char>(shift);
  bytes_[kInline] = kHeap;
}

void CString::SetLongString(const char* text, size_t length) {
  if (length > Capacity()) {
    // A new block; `text` cannot lie in the old one, being longer than it.
    Grow(length, 0);
    std::memcpy(HeapData(), text, length);
  } else if (length > 0) {
    std::memmove(MutableData(), text, length);
  }
  SetLength(length);
}

char* CString::Resize(size_t length) {
  if (length > Capacity()) Grow(length, size());
  SetLength(length);
  return MutableData();
}

CString& CString::Append(const char* text, size_t length) {
  const size_t old = size();
  if (old + length > Capacity()) {
    // Twice the room, so that appending byte by byte stays linear; `text`
    // may lie in the old block, which Grow frees: copy it first.
    if (text >= data() && text < data() + old) {
      const std::string copy(text, length);
      return Append(copy.data(), copy.size());
    }
    Grow(std::max(old + length, std::min(2 * old, Room(kLargestShift))), old);
  }
  std::memmove(MutableData() + old, text, length);
  SetLength(old + length);
  return *this;
}

CString CString::Concat(std::string_view a, std::string_view b) {
  CString out;
  char* p = out.Resize(a.size() + b.size());
  std::memcpy(p, a.data(), a.size());
  std::memcpy(p + a.size(), b.data(), b.size());
  return out;
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  std::string out;
  bm::AppendFormatV(out, format, args);
  SetString(out.data(), out.size());
}

void CString::TrimLeft() {
  const std::string_view s = bm::TrimLeft(view());
  if (s.size() < size()) SetString(s.data(), s.size());
}

void CString::TrimRight() { SetLength(bm::TrimRight(view()).size()); }

int CString::Remove(char c) {
  char* p = MutableData();
  const size_t before = size();
  size_t kept = 0;
  for (size_t i = 0; i < before; ++i) {
    if (p[i] != c) p[kept++] = p[i];
  }
  SetLength(kept);
  return static_cast<int>(before - kept);
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  const size_t pos = view().find(c, static_cast<size_t>(start));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
  if (!sub) return -1;
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) > size()) return -1;
  const size_t pos = view().find(sub, static_cast<size_t>(start));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int n) const {
  if (n <= 0) return CString();
  return CString(view().substr(0, static_cast<size_t>(n)));
}

CString CString::Right(int n) const {
  if (n <= 0) return CString();
  if (static_cast<size_t>(n) >= size()) return *this;
  return CString(view().substr(size() - static_cast<size_t>(n)));
}

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (static_cast<size_t>(first) >= size()) return CString();
  if (count < 0) return CString(view().substr(static_cast<size_t>(first)));
  return CString(view().substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Compare(const char* other) const {
  const int r = std::strcmp(c_str(), other ? other : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const {
  const char* a = c_str();
  const char* b = other ? other : "";
  for (;; ++a, ++b) {
    const unsigned char ca = static_cast<unsigned char>(bm::AsciiLower(*a));
    const unsigned char cb = static_cast<unsigned char>(bm::AsciiLower(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}
