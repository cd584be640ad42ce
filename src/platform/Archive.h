// CArchive: the legacy framework's binary archive over a CFile, with its
// published little-endian encodings (see Archive.cpp for the string form).
#pragma once

#include <cstdint>
#include <vector>

#include "String.h"

class CFile;
class CObject;
struct CRuntimeClass;

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
  void WriteByte(BYTE v) { WriteBytes(&v, 1); }
  void WriteWord(WORD v);
  void WriteInt32(int32_t v) { WriteDword(static_cast<DWORD>(v)); }
  void WriteDword(DWORD v);
  void WriteDouble(double v);
  void WriteString(const CString& s);
  void WriteBytes(const void* data, size_t count);

  BYTE ReadByte();
  WORD ReadWord();
  int32_t ReadInt32() { return static_cast<int32_t>(ReadDword()); }
  DWORD ReadDword();
  double ReadDouble();
  // Reads a string in the byte or the wide-character form; the wide form is
  // converted from UTF-16 to UTF-8. Never allocates ahead of the bytes read.
  void ReadString(CString& s);
  void ReadBytes(void* data, size_t count);

  // Bytes that a loading archive can still read (buffered plus the rest of
  // the file), so that counts and lengths can be checked before allocating.
  uint64_t BytesLeft() const;

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
  void FillAtLeast(size_t count);
  size_t ReadLength(BYTE first);
  CFile* file_;
  bool loading_;
  bool closed_ = false;
  std::vector<uint8_t> buffer_;
  size_t begin_ = 0;  // next byte to read
  size_t end_ = 0;    // end of valid data (loading) / of written data (storing)
  // Loading: bytes of the file not yet taken into the buffer, asked of the
  // file once (by the first BytesLeft) and then counted down by the reads;
  // -1 until asked. Asking the file each time costs system calls and drops
  // its stream buffer.
  mutable int64_t fileLeft_ = -1;
};
