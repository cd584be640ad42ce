// CArchive: the legacy framework's binary archive over a CFile, with its
// published little-endian encodings (see Archive.cpp for the string form).
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "String.h"

class CFile;
class CObject;
struct CRuntimeClass;

namespace bm::archive_detail {
// The little-endian forms of the archive's fixed-size values, byte by byte
// (the compiler turns these into single loads and stores).
inline uint8_t* Encode(uint8_t* at, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
  return at + bytes;
}
// Decodes `bytes` bytes at `at` and moves `at` past them.
inline uint64_t Decode(const uint8_t*& at, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(at[i]) << (8 * i);
  at += bytes;
  return v;
}
inline uint64_t DoubleBits(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}
inline double DoubleFromBits(uint64_t bits) {
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}
}  // namespace bm::archive_detail

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  using BYTE = uint8_t;
  using WORD = uint16_t;
  using DWORD = uint32_t;

  // An archive over `file` (not owned) in the given direction, with a buffer
  // of `bufferSize` bytes (4096 as the legacy framework uses).
  CArchive(CFile* file, unsigned mode, int bufferSize = 4096);
  // Flushes a storing archive that was not closed, ignoring errors; call
  // Close to learn whether the data reached the file.
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return loading_; }
  bool IsStoring() const { return !loading_; }
  CFile* GetFile() const { return file_; }

  // Writes the buffered bytes to the file (CFileException on failure).
  void Flush();
  // Flushes when storing and detaches from the file (which stays open).
  void Close();
  // Detaches without flushing.
  void Abort();

  // Primitive transfers. Reading past the end of the data throws
  // CArchiveException(endOfFile); writing to a loading archive throws
  // readOnly, reading from a storing archive writeOnly.
  void WriteByte(BYTE v) {
    if (storeLimit_ == storeAt_) MakeRoom(1);
    *storeAt_++ = v;
  }
  void WriteWord(WORD v) {
    if (storeLimit_ - storeAt_ < 2) MakeRoom(2);
    storeAt_ = bm::archive_detail::Encode(storeAt_, v, 2);
  }
  void WriteInt32(int32_t v) { WriteDword(static_cast<DWORD>(v)); }
  void WriteDword(DWORD v) {
    if (storeLimit_ - storeAt_ < 4) MakeRoom(4);
    storeAt_ = bm::archive_detail::Encode(storeAt_, v, 4);
  }
  void WriteDouble(double v) {
    if (storeLimit_ - storeAt_ < 8) MakeRoom(8);
    storeAt_ = bm::archive_detail::Encode(storeAt_, bm::archive_detail::DoubleBits(v), 8);
  }
  void WriteString(const CString& s);
  void WriteBytes(const void* data, size_t count);

  BYTE ReadByte() {
    if (loadAt_ == loadEnd_) FillAtLeast(1);
    return *loadAt_++;
  }
  WORD ReadWord() {
    if (loadEnd_ - loadAt_ < 2) FillAtLeast(2);
    return static_cast<WORD>(bm::archive_detail::Decode(loadAt_, 2));
  }
  int32_t ReadInt32() { return static_cast<int32_t>(ReadDword()); }
  DWORD ReadDword() {
    if (loadEnd_ - loadAt_ < 4) FillAtLeast(4);
    return static_cast<DWORD>(bm::archive_detail::Decode(loadAt_, 4));
  }
  double ReadDouble() {
    if (loadEnd_ - loadAt_ < 8) FillAtLeast(8);
    return bm::archive_detail::DoubleFromBits(bm::archive_detail::Decode(loadAt_, 8));
  }
  // Reads a string in the byte or the wide-character form; the wide form is
  // converted from UTF-16 to UTF-8. Never allocates ahead of the bytes read.
  void ReadString(CString& s);
  void ReadBytes(void* data, size_t count);

  // Bytes that a loading archive can still read (buffered plus the rest of
  // the file), so that counts and lengths can be checked before allocating.
  uint64_t BytesLeft() const {
    if (!loading_) return 0;
    if (fileLeft_ < 0) AskFileLeft();
    return static_cast<uint64_t>(loadEnd_ - loadAt_) + static_cast<uint64_t>(fileLeft_);
  }

  // The class record of `cls` (see CRuntimeClass::Store / Load).
  void WriteClass(const CRuntimeClass* cls);
  const CRuntimeClass* ReadClass(unsigned int* schemaRead = nullptr);

  CArchive& operator<<(BYTE v) {
    WriteByte(v);
    return *this;
  }
  CArchive& operator<<(WORD v) {
    WriteWord(v);
    return *this;
  }
  CArchive& operator<<(int32_t v) {
    WriteInt32(v);
    return *this;
  }
  CArchive& operator<<(DWORD v) {
    WriteDword(v);
    return *this;
  }
  CArchive& operator<<(double v) {
    WriteDouble(v);
    return *this;
  }
  CArchive& operator<<(const CString& v) {
    WriteString(v);
    return *this;
  }
  CArchive& operator>>(BYTE& v) {
    v = ReadByte();
    return *this;
  }
  CArchive& operator>>(WORD& v) {
    v = ReadWord();
    return *this;
  }
  CArchive& operator>>(int32_t& v) {
    v = ReadInt32();
    return *this;
  }
  CArchive& operator>>(DWORD& v) {
    v = ReadDword();
    return *this;
  }
  CArchive& operator>>(double& v) {
    v = ReadDouble();
    return *this;
  }
  CArchive& operator>>(CString& v) {
    ReadString(v);
    return *this;
  }

 private:
  // Makes `count` bytes readable at loadAt_, refilling the buffer from the
  // file; throws writeOnly on a storing archive, endOfFile when the file ends
  // first.
  void FillAtLeast(size_t count);
  // Makes room for `count` bytes at storeAt_, flushing the buffer; throws
  // readOnly on a loading archive.
  void MakeRoom(size_t count);
  void AskFileLeft() const;
  size_t ReadLength(BYTE first);

  // Class records already read (loading), kept by their bytes: a model has
  // many list blocks of a few classes, and a repeated record then skips the
  // registry look-up. Only records that named a class are kept.
  static constexpr size_t kMaxClassRecord = 4 + 63;  // schema, length, name
  struct KnownClass {
    uint8_t record[kMaxClassRecord];
    size_t size = 0;
    const CRuntimeClass* cls = nullptr;
  };
  static constexpr size_t kKnownClasses = 8;
  KnownClass knownClasses_[kKnownClasses];
  size_t nextKnownClass_ = 0;

  CFile* file_;
  bool loading_;
  bool closed_ = false;
  std::vector<uint8_t> buffer_;
  // Loading: the unread bytes of the buffer. Both null on a storing archive,
  // so that every read there takes the slow path, which refuses it.
  const uint8_t* loadAt_ = nullptr;
  const uint8_t* loadEnd_ = nullptr;
  // Storing: where the next byte goes and the end of the buffer. Both null on
  // a loading archive, so that every write there is refused the same way.
  uint8_t* storeAt_ = nullptr;
  uint8_t* storeLimit_ = nullptr;
  // Loading: bytes of the file not yet taken into the buffer, asked of the
  // file once (by the first BytesLeft) and then counted down by the reads;
  // -1 until asked. Asking the file each time costs system calls and drops
  // its stream buffer.
  mutable int64_t fileLeft_ = -1;
};
