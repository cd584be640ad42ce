// Files of the legacy framework: CFile (binary), CStdioFile (text lines) and
// CMemFile (memory), over the C library's streams.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "String.h"

class CFileException;

// A binary file. Open reports failure by its result; once a file is open, a
// failure to read, write, flush or close throws CFileException.
class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };

  CFile() = default;
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens `path`. Returns false (filling *error when given) if it cannot be
  // opened; never throws. modeCreate truncates unless modeNoTruncate.
  virtual bool Open(const char* path, unsigned flags, CFileException* error = nullptr);
  // Reads up to `count` bytes; returns how many were read (0 at the end).
  virtual unsigned Read(void* buffer, unsigned count);
  // Writes all `count` bytes or throws CFileException.
  virtual void Write(const void* buffer, unsigned count);
  virtual void Flush();
  // Closes the file; throws CFileException when buffered data cannot be
  // written. Closing a closed file does nothing.
  virtual void Close();
  // Closes the file, ignoring every error.
  virtual void Abort();
  virtual uint64_t GetLength() const;
  virtual uint64_t GetPosition() const;
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& GetFilePath() const { return path_; }

 protected:
  [[noreturn]] void ThrowError(int cause) const;
  std::FILE* file_ = nullptr;
  std::string path_;
};

// A text file read and written line by line. Opened with typeText, each
// "\n" written becomes "\r\n" on Windows (text mode) and stays "\n"
// elsewhere; reading accepts "\n" and "\r\n" and a last line without one.
class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  bool Open(const char* path, unsigned flags, CFileException* error = nullptr) override;
  unsigned Read(void* buffer, unsigned count) override;
  // Reads the next line without its line end into `line`. Returns false at
  // the end of the file (when no byte was left to read).
  bool ReadString(CString& line);
  // As ReadString, the line left in the file's buffer: `line` stays valid
  // until the next read or close, and costs no copy.
  bool ReadLine(std::string_view& line);
  // Writes the text as it stands (no line end is added).
  void WriteString(const char* text);
  void WriteString(const std::string& text);
  uint64_t GetPosition() const override;

 private:
  bool Fill();
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
};

// A file held in memory, for archives built or read without touching disk.
class CMemFile : public CFile {
 public:
  CMemFile() = default;
  explicit CMemFile(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  bool Open(const char*, unsigned, CFileException* = nullptr) override { return true; }
  unsigned Read(void* buffer, unsigned count) override;
  void Write(const void* buffer, unsigned count) override;
  void Flush() override {}
  void Close() override {}
  void Abort() override {}
  uint64_t GetLength() const override { return data_.size(); }
  uint64_t GetPosition() const override { return position_; }
  void SeekToBegin() { position_ = 0; }
  const std::vector<uint8_t>& Data() const { return data_; }
  std::vector<uint8_t>& Data() { return data_; }

 private:
  std::vector<uint8_t> data_;
  size_t position_ = 0;
};
