// CString operations.
#include "platform/String.h"

#include <cstring>

#include "platform/Format.h"

CString::CString(const char* text, int length) {
  if (text && length > 0) s_.assign(text, static_cast<size_t>(length));
}

CString::CString(char c, int count) {
  if (count > 0) s_.assign(static_cast<size_t>(count), c);
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
  s_.swap(out);
}

void CString::TrimLeft() {
  size_t i = 0;
  while (i < s_.size() && bm::IsAsciiSpace(s_[i])) ++i;
  s_.erase(0, i);
}

void CString::TrimRight() {
  size_t n = s_.size();
  while (n > 0 && bm::IsAsciiSpace(s_[n - 1])) --n;
  s_.resize(n);
}

int CString::Remove(char c) {
  const size_t before = s_.size();
  std::string out;
  out.reserve(before);
  for (char ch : s_) {
    if (ch != c) out += ch;
  }
  s_.swap(out);
  return static_cast<int>(before - s_.size());
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) >= s_.size()) return -1;
  const size_t pos = s_.find(c, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
  if (!sub) return -1;
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) > s_.size()) return -1;
  const size_t pos = s_.find(sub, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int n) const {
  if (n <= 0) return CString();
  return CString(s_.substr(0, static_cast<size_t>(n)));
}

CString CString::Right(int n) const {
  if (n <= 0) return CString();
  if (static_cast<size_t>(n) >= s_.size()) return *this;
  return CString(s_.substr(s_.size() - static_cast<size_t>(n)));
}

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (static_cast<size_t>(first) >= s_.size()) return CString();
  if (count < 0) return CString(s_.substr(static_cast<size_t>(first)));
  return CString(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Compare(const char* other) const {
  const int r = std::strcmp(s_.c_str(), other ? other : "");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const {
  const char* a = s_.c_str();
  const char* b = other ? other : "";
  for (;; ++a, ++b) {
    const unsigned char ca = static_cast<unsigned char>(bm::AsciiLower(*a));
    const unsigned char cb = static_cast<unsigned char>(bm::AsciiLower(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}
