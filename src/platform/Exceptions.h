// Exceptions of the legacy framework: thrown by value, caught by reference.
#pragma once

#include <exception>
#include <string>

// Base of the framework's exceptions.
class CException : public std::exception {
 public:
  CException() = default;
  explicit CException(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.empty() ? "CException" : what_.c_str(); }

 protected:
  std::string what_;
};

// A failure of a file while it is open or in use (read, write, flush, close).
class CFileException : public CException {
 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14
  };
  explicit CFileException(int cause = none, std::string fileName = std::string());
  int m_cause;
  std::string m_strFileName;
};

// A malformed or mismatched archive.
class CArchiveException : public CException {
 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7
  };
  explicit CArchiveException(int cause = none);
  int m_cause;
};
