// Exception texts.
#include "platform/Exceptions.h"

namespace {
const char* ArchiveCauseText(int cause) {
  switch (cause) {
    case CArchiveException::none:
      return "archive: no error";
    case CArchiveException::genericException:
      return "archive: generic error";
    case CArchiveException::readOnly:
      return "archive: tried to write an archive opened for loading";
    case CArchiveException::endOfFile:
      return "archive: reached the end of the file while reading";
    case CArchiveException::writeOnly:
      return "archive: tried to read an archive opened for storing";
    case CArchiveException::badIndex:
      return "archive: invalid file format";
    case CArchiveException::badClass:
      return "archive: unknown class record";
    case CArchiveException::badSchema:
      return "archive: class schema mismatch";
    default:
      return "archive: unknown error";
  }
}
}  // namespace

CFileException::CFileException(int cause, std::string fileName)
    : CException("file error " + std::to_string(cause) + (fileName.empty() ? "" : ": " + fileName)),
      m_cause(cause),
      m_strFileName(std::move(fileName)) {}

CArchiveException::CArchiveException(int cause) : CException(ArchiveCauseText(cause)), m_cause(cause) {}
