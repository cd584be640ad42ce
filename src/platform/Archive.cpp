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
  if (loading_) {
    loadAt_ = loadEnd_ = buffer_.data();
  } else {
    storeAt_ = buffer_.data();
    storeLimit_ = buffer_.data() + buffer_.size();
  }
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
  const size_t n = static_cast<size_t>(storeAt_ - buffer_.data());
  if (n > 0) {
    file_->Write(buffer_.data(), static_cast<unsigned>(n));
    storeAt_ = buffer_.data();
  }
}

void CArchive::Close() {
  if (closed_) return;
  Flush();
  closed_ = true;
}

void CArchive::Abort() {
  closed_ = true;
  if (loading_) {
    loadAt_ = loadEnd_ = buffer_.data();
  } else {
    storeAt_ = buffer_.data();
  }
}

void CArchive::MakeRoom(size_t count) {
  if (loading_) throw CArchiveException(CArchiveException::readOnly);
  Flush();
  // Grows the buffer when it is smaller than one value (or has no file to
  // flush to), keeping what it holds.
  const size_t used = static_cast<size_t>(storeAt_ - buffer_.data());
  if (buffer_.size() - used < count) {
    buffer_.resize(used + count);
    storeAt_ = buffer_.data() + used;
    storeLimit_ = buffer_.data() + buffer_.size();
  }
}

void CArchive::WriteBytes(const void* data, size_t count) {
  if (loading_) throw CArchiveException(CArchiveException::readOnly);
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (count > 0) {
    if (storeAt_ == storeLimit_) MakeRoom(1);
    const size_t n = std::min(count, static_cast<size_t>(storeLimit_ - storeAt_));
    std::memcpy(storeAt_, p, n);
    storeAt_ += n;
    p += n;
    count -= n;
  }
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
  size_t have = static_cast<size_t>(loadEnd_ - loadAt_);
  if (have >= count) return;
  // Move the unread bytes to the front, then read until `count` are there.
  uint8_t* front = buffer_.data();
  if (loadAt_ != front) {
    std::memmove(front, loadAt_, have);
  }
  if (buffer_.size() < count) {
    buffer_.resize(count);
    front = buffer_.data();
  }
  loadAt_ = front;
  loadEnd_ = front + have;
  while (have < count) {
    const unsigned n = file_ ? file_->Read(front + have, static_cast<unsigned>(buffer_.size() - have)) : 0;
    if (n == 0) throw CArchiveException(CArchiveException::endOfFile);
    have += n;
    loadEnd_ = front + have;
    if (fileLeft_ >= 0) fileLeft_ = std::max<int64_t>(0, fileLeft_ - static_cast<int64_t>(n));
  }
}

void CArchive::ReadBytes(void* data, size_t count) {
  if (!loading_) throw CArchiveException(CArchiveException::writeOnly);
  uint8_t* out = static_cast<uint8_t*>(data);
  while (count > 0) {
    if (loadAt_ == loadEnd_) FillAtLeast(1);
    const size_t n = std::min(count, static_cast<size_t>(loadEnd_ - loadAt_));
    std::memcpy(out, loadAt_, n);
    loadAt_ += n;
    out += n;
    count -= n;
  }
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
}  // namespace

void CArchive::ReadString(CString& s) {
  const BYTE first = ReadByte();
  // The common case: a short string that is all in the buffer.
  if (first < 0xFF && static_cast<size_t>(loadEnd_ - loadAt_) >= first) {
    s.SetString(reinterpret_cast<const char*>(loadAt_), first);
    loadAt_ += first;
    return;
  }
  std::string out;
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
    // Appended as the buffer fills, so that the string never grows ahead of
    // the bytes really read.
    while (n > 0) {
      if (loadAt_ == loadEnd_) FillAtLeast(1);
      const size_t chunk = std::min(n, static_cast<size_t>(loadEnd_ - loadAt_));
      out.append(reinterpret_cast<const char*>(loadAt_), chunk);
      loadAt_ += chunk;
      n -= chunk;
    }
    s.SetString(out.data(), out.size());
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
  s.SetString(out.data(), out.size());
}

void CArchive::AskFileLeft() const {
  fileLeft_ = 0;
  if (file_) {
    const uint64_t length = file_->GetLength();
    const uint64_t position = file_->GetPosition();
    if (length > position) fileLeft_ = static_cast<int64_t>(length - position);
  }
}

void CArchive::WriteClass(const CRuntimeClass* cls) { cls->Store(*this); }

const CRuntimeClass* CArchive::ReadClass(unsigned int* schemaRead) {
  // The record's size when all of it is in the buffer (and it is not longer
  // than a class record can be), else 0.
  const uint8_t* record = loadAt_;
  const size_t buffered = static_cast<size_t>(loadEnd_ - loadAt_);
  size_t size = buffered >= 4 ? 4 + (record[2] | (record[3] << 8)) : 0;
  if (size > kMaxClassRecord || size > buffered) size = 0;
  for (const KnownClass& known : knownClasses_) {
    if (size && known.size == size && std::memcmp(known.record, record, size) == 0) {
      loadAt_ += size;
      if (schemaRead) *schemaRead = static_cast<unsigned>(record[0] | (record[1] << 8));
      return known.cls;
    }
  }
  const CRuntimeClass* cls = CRuntimeClass::Load(*this, schemaRead);
  // The record was read from the buffer without a refill, so it is still
  // where it was.
  if (size && cls) {
    KnownClass& slot = knownClasses_[nextKnownClass_++ % kKnownClasses];
    std::memcpy(slot.record, record, size);
    slot.size = size;
    slot.cls = cls;
  }
  return cls;
}
