// CFile, CStdioFile and CMemFile over the C library's streams.
#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Exceptions.h"

namespace {
int CauseFromErrno(int err) {
  switch (err) {
    case ENOENT:
      return CFileException::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return CFileException::accessDenied;
    case ENOTDIR:
    case ENAMETOOLONG:
      return CFileException::badPath;
    case EMFILE:
    case ENFILE:
      return CFileException::tooManyOpenFiles;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return CFileException::diskFull;
    case EIO:
      return CFileException::hardIO;
    default:
      return CFileException::genericException;
  }
}

const char* ModeString(unsigned flags) {
  const bool write = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
  const bool readWrite = (flags & CFile::modeReadWrite) != 0;
  const bool create = (flags & CFile::modeCreate) != 0;
  const bool noTruncate = (flags & CFile::modeNoTruncate) != 0;
#ifdef _WIN32
  // A text file written on Windows ends its lines in CR LF, as the legacy
  // framework's text mode wrote it. Reading stays binary: ReadString takes
  // either line end, and a Ctrl-Z in the data does not end the file.
  const bool text = (flags & CFile::typeText) != 0;
#else
  const bool text = false;
#endif
  if (!write) return "rb";
  if (create && !noTruncate) return readWrite ? (text ? "w+" : "w+b") : (text ? "w" : "wb");
  return text ? "r+" : "r+b";
}
}  // namespace

CFile::~CFile() { Abort(); }

void CFile::ThrowError(int cause) const { throw CFileException(cause, path_); }

bool CFile::Open(const char* path, unsigned flags, CFileException* error) {
  Abort();
  if (!path) {
    if (error) *error = CFileException(CFileException::badPath);
    return false;
  }
  errno = 0;
  std::FILE* f = std::fopen(path, ModeString(flags));
  if (!f && (flags & modeCreate) && (flags & modeNoTruncate)) {
    f = std::fopen(path, ModeString(flags & ~modeNoTruncate));
  }
  if (!f) {
    if (error) *error = CFileException(CauseFromErrno(errno), path);
    return false;
  }
  file_ = f;
  path_ = path;
  return true;
}

unsigned CFile::Read(void* buffer, unsigned count) {
  if (!file_) ThrowError(CFileException::invalidFile);
  const size_t n = std::fread(buffer, 1, count, file_);
  if (n < count && std::ferror(file_)) ThrowError(CauseFromErrno(errno));
  return static_cast<unsigned>(n);
}

void CFile::Write(const void* buffer, unsigned count) {
  if (!file_) ThrowError(CFileException::invalidFile);
  if (count == 0) return;
  errno = 0;
  if (std::fwrite(buffer, 1, count, file_) != count) ThrowError(CauseFromErrno(errno));
}

void CFile::Flush() {
  if (!file_) return;
  errno = 0;
  if (std::fflush(file_) != 0) ThrowError(CauseFromErrno(errno));
}

void CFile::Close() {
  if (!file_) return;
  std::FILE* f = file_;
  file_ = nullptr;
  errno = 0;
  const bool failed = std::ferror(f) != 0;
  const int rc = std::fclose(f);
  if (rc != 0 || failed) ThrowError(CauseFromErrno(errno));
}

void CFile::Abort() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
}

uint64_t CFile::GetLength() const {
  if (!file_) return 0;
  const long here = std::ftell(file_);
  if (here < 0) return 0;
  if (std::fseek(file_, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file_);
  std::fseek(file_, here, SEEK_SET);
  return end < 0 ? 0 : static_cast<uint64_t>(end);
}

uint64_t CFile::GetPosition() const {
  if (!file_) return 0;
  const long here = std::ftell(file_);
  return here < 0 ? 0 : static_cast<uint64_t>(here);
}

bool CStdioFile::Open(const char* path, unsigned flags, CFileException* error) {
  buffer_.clear();
  begin_ = end_ = 0;
  eof_ = false;
  return CFile::Open(path, flags, error);
}

bool CStdioFile::Fill() {
  if (eof_ || !file_) return false;
  // 16 KiB: larger reads are no faster (the file is copied either way), and
  // the buffer counts against the memory of reading a small file.
  if (buffer_.empty()) buffer_.resize(1 << 14);
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  const size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  if (n == 0) {
    if (std::ferror(file_)) ThrowError(CauseFromErrno(errno));
    eof_ = true;
    return false;
  }
  end_ += n;
  return true;
}

unsigned CStdioFile::Read(void* buffer, unsigned count) {
  // Serve buffered bytes first so mixing ReadString and Read stays in order.
  unsigned done = 0;
  char* out = static_cast<char*>(buffer);
  if (begin_ < end_) {
    const size_t take = std::min<size_t>(count, end_ - begin_);
    std::memcpy(out, buffer_.data() + begin_, take);
    begin_ += take;
    done = static_cast<unsigned>(take);
  }
  if (done < count) done += CFile::Read(out + done, count - done);
  return done;
}

bool CStdioFile::ReadString(CString& line) {
  std::string_view view;
  if (!ReadLine(view)) {
    line.Empty();
    return false;
  }
  line.SetString(view.data(), view.size());
  return true;
}

bool CStdioFile::ReadLine(std::string_view& line) {
  size_t scanned = begin_;
  for (;;) {
    const char* start = buffer_.data();
    const void* nl = scanned < end_ ? std::memchr(start + scanned, '\n', end_ - scanned) : nullptr;
    if (nl) {
      size_t stop = static_cast<size_t>(static_cast<const char*>(nl) - start);
      const size_t next = stop + 1;
      if (stop > begin_ && start[stop - 1] == '\r') --stop;
      line = std::string_view(start + begin_, stop - begin_);
      begin_ = next;
      return true;
    }
    const size_t consumedBefore = begin_;
    scanned = end_;
    if (!Fill()) {
      if (begin_ == end_) {
        line = std::string_view();
        return false;
      }
      size_t stop = end_;
      if (stop > begin_ && buffer_[stop - 1] == '\r') --stop;
      line = std::string_view(buffer_.data() + begin_, stop - begin_);
      begin_ = end_;
      return true;
    }
    // Fill moved the unread bytes to the front of the buffer.
    scanned -= consumedBefore;
  }
}

void CStdioFile::WriteString(const char* text) {
  if (text) Write(text, static_cast<unsigned>(std::strlen(text)));
}

void CStdioFile::WriteString(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const size_t chunk = std::min<size_t>(text.size() - done, 1u << 30);
    Write(text.data() + done, static_cast<unsigned>(chunk));
    done += chunk;
  }
}

uint64_t CStdioFile::GetPosition() const { return CFile::GetPosition() - (end_ - begin_); }

unsigned CMemFile::Read(void* buffer, unsigned count) {
  const size_t left = data_.size() - position_;
  const size_t n = std::min<size_t>(left, count);
  if (n) std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return static_cast<unsigned>(n);
}

void CMemFile::Write(const void* buffer, unsigned count) {
  const uint8_t* p = static_cast<const uint8_t*>(buffer);
  if (position_ == data_.size()) {
    data_.insert(data_.end(), p, p + count);
  } else {
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, p, count);
  }
  position_ += count;
}
