// CArchive encodings: little-endian integers and doubles, length-prefixed
// strings (BYTE n < 255; else 0xFF + WORD n < 0xFFFE; else 0xFF 0xFFFF +
// DWORD n; 0xFF 0xFFFE announces a wide-character string), class records.
#include "platform/Archive.h"

#include <algorithm>
#include <cstring>

#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/RuntimeClass.h"

CArchive::CArchive(CFile* file, unsigned mode, int bufferSize) : file_(file), loading_((mode & load) != 0) {
  buffer_.resize(static_cast<size_t>(bufferSize > 0 ? bufferSize : 4096));
}

CArchive::~CArchive() {
  if (!closed_ && !loading_) {
    try {
      Flush();
    } catch (...) {
      // A destructor cannot report; Close() is the checked path.
    }
  }
}

void CArchive::Flush() {
  if (loading_ || !file_) return;
  if (end_ > 0) {
    file_->Write(buffer_.data(), static_cast<unsigned>(end_));
    end_ = 0;
  }
}

void CArchive::Close() {
  if (closed_) return;
  Flush();
  closed_ = true;
}

void CArchive::Abort() {
  closed_ = true;
  end_ = begin_ = 0;
}

void CArchive::WriteBytes(const void* data, size_t count) {
  if (loading_) throw CArchiveException(CArchiveException::readOnly);
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (count > 0) {
    if (end_ == buffer_.size()) Flush();
    const size_t n = std::min(count, buffer_.size() - end_);
    std::memcpy(buffer_.data() + end_, p, n);
    end_ += n;
    p += n;
    count -= n;
  }
}

void CArchive::WriteWord(WORD v) {
  const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  WriteBytes(b, 2);
}

void CArchive::WriteDword(DWORD v) {
  const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 24)};
  WriteBytes(b, 4);
}

void CArchive::WriteDouble(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
  WriteBytes(b, 8);
}

void CArchive::WriteString(const CString& s) {
  const size_t n = static_cast<size_t>(s.GetLength());
  if (n < 0xFF) {
    WriteByte(static_cast<BYTE>(n));
  } else if (n < 0xFFFE) {
    WriteByte(0xFF);
    WriteWord(static_cast<WORD>(n));
  } else {
    WriteByte(0xFF);
    WriteWord(0xFFFF);
    WriteDword(static_cast<DWORD>(n));
  }
  WriteBytes(s.c_str(), n);
}

void CArchive::FillAtLeast(size_t count) {
  if (!loading_) throw CArchiveException(CArchiveException::writeOnly);
  if (end_ - begin_ >= count) return;
  // Move the unread bytes to the front, then read until `count` are there.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() < count) buffer_.resize(count);
  while (end_ < count) {
    const unsigned n =
        file_ ? file_->Read(buffer_.data() + end_, static_cast<unsigned>(buffer_.size() - end_)) : 0;
    if (n == 0) throw CArchiveException(CArchiveException::endOfFile);
    end_ += n;
    if (fileLeft_ >= 0) fileLeft_ = std::max<int64_t>(0, fileLeft_ - static_cast<int64_t>(n));
  }
}

void CArchive::ReadBytes(void* data, size_t count) {
  if (!loading_) throw CArchiveException(CArchiveException::writeOnly);
  uint8_t* out = static_cast<uint8_t*>(data);
  while (count > 0) {
    if (begin_ == end_) FillAtLeast(1);
    const size_t n = std::min(count, end_ - begin_);
    std::memcpy(out, buffer_.data() + begin_, n);
    begin_ += n;
    out += n;
    count -= n;
  }
}

CArchive::BYTE CArchive::ReadByte() {
  FillAtLeast(1);
  return buffer_[begin_++];
}

CArchive::WORD CArchive::ReadWord() {
  FillAtLeast(2);
  const uint8_t* b = buffer_.data() + begin_;
  begin_ += 2;
  return static_cast<WORD>(b[0] | (b[1] << 8));
}

CArchive::DWORD CArchive::ReadDword() {
  FillAtLeast(4);
  const uint8_t* b = buffer_.data() + begin_;
  begin_ += 4;
  return static_cast<DWORD>(b[0]) | (static_cast<DWORD>(b[1]) << 8) | (static_cast<DWORD>(b[2]) << 16) |
         (static_cast<DWORD>(b[3]) << 24);
}

double CArchive::ReadDouble() {
  FillAtLeast(8);
  const uint8_t* b = buffer_.data() + begin_;
  begin_ += 8;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

size_t CArchive::ReadLength(BYTE first) {
  if (first < 0xFF) return first;
  const WORD w = ReadWord();
  if (w == 0xFFFF) return ReadDword();
  return w;
}

namespace {
void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
// Chunk in which long strings are read, so that a corrupt length cannot make
// the reader allocate ahead of the bytes that are really there.
constexpr size_t kStringChunk = 1 << 16;
}  // namespace

void CArchive::ReadString(CString& s) {
  std::string& out = s.str();
  out.clear();
  const BYTE first = ReadByte();
  bool wide = false;
  size_t n;
  if (first == 0xFF) {
    const WORD w = ReadWord();
    if (w == 0xFFFE) {
      wide = true;
      n = ReadLength(ReadByte());
    } else {
      n = (w == 0xFFFF) ? ReadDword() : w;
    }
  } else {
    n = first;
  }
  // A length beyond the bytes left is corrupt: fail before allocating.
  if ((wide ? 2 * static_cast<uint64_t>(n) : static_cast<uint64_t>(n)) > BytesLeft()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  if (!wide) {
    while (n > 0) {
      const size_t chunk = std::min(n, kStringChunk);
      const size_t at = out.size();
      out.resize(at + chunk);
      ReadBytes(&out[at], chunk);
      n -= chunk;
    }
    return;
  }
  // UTF-16LE code units, converted to UTF-8; unpaired surrogates become
  // U+FFFD.
  uint32_t pendingHigh = 0;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t unit = ReadWord();
    if (unit >= 0xD800 && unit < 0xDC00) {
      if (pendingHigh) AppendUtf8(out, 0xFFFD);
      pendingHigh = unit;
      continue;
    }
    if (unit >= 0xDC00 && unit < 0xE000) {
      if (pendingHigh) {
        AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
        pendingHigh = 0;
      } else {
        AppendUtf8(out, 0xFFFD);
      }
      continue;
    }
    if (pendingHigh) {
      AppendUtf8(out, 0xFFFD);
      pendingHigh = 0;
    }
    AppendUtf8(out, unit);
  }
  if (pendingHigh) AppendUtf8(out, 0xFFFD);
}

uint64_t CArchive::BytesLeft() const {
  if (!loading_) return 0;
  if (fileLeft_ < 0) {
    fileLeft_ = 0;
    if (file_) {
      const uint64_t length = file_->GetLength();
      const uint64_t position = file_->GetPosition();
      if (length > position) fileLeft_ = static_cast<int64_t>(length - position);
    }
  }
  return (end_ - begin_) + static_cast<uint64_t>(fileLeft_);
}

void CArchive::WriteClass(const CRuntimeClass* cls) { cls->Store(*this); }

const CRuntimeClass* CArchive::ReadClass(unsigned int* schemaRead) {
  return CRuntimeClass::Load(*this, schemaRead);
}
