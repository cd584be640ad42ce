// Loading and saving models by content, with reasons instead of crashes.
#include "model/ModelFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "etabs_reader/ZAdapterEtabs8.h"
#include "platform/Exceptions.h"

namespace bm {

namespace {

namespace fs = std::filesystem;

// How much of a file the form is told from: enough for a text model's
// leading comment lines, and far more than an archive's first records need.
constexpr size_t kHeadBytes = size_t{64} * 1024;
// Why a load or a save stopped when memory ran out.
constexpr char kOutOfMemoryReason[] = "out of memory";

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsAlnum(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
// A byte that may end a line's first word, as the reader splits words: a
// blank, a quote, a comment sign, or the end of the line.
bool EndsWord(unsigned char c) { return IsBlank(c) || c == '"' || c == '$' || c == '\n'; }

// A text model: after an optional UTF-8 byte-order mark, blank lines and
// comment lines ("$" or "!" as the first byte that is not blank, as the
// reader takes them), the first line's first word is a keyword of the
// format.
bool LooksLikeText(const std::vector<unsigned char>& head) {
  size_t i = 0;
  if (head.size() >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) i = 3;
  while (i < head.size()) {
    while (i < head.size() && IsBlank(head[i])) ++i;
    if (i == head.size()) return false;
    const unsigned char first = head[i];
    if (first != '\n' && first != '$' && first != '!') {
      size_t end = i;
      while (end < head.size() && IsAlnum(head[end])) ++end;
      if (end < head.size() && !EndsWord(head[end])) return false;
      const std::string_view word(reinterpret_cast<const char*>(head.data()) + i, end - i);
      return ZAdapterEtabs8::IsTextModelKeyword(word);
    }
    while (i < head.size() && head[i] != '\n') ++i;
    ++i;
  }
  return false;
}

// Reads the first bytes of a model archive, telling whether they decode as
// the records an archive starts with.
class ArchiveHead {
 public:
  ArchiveHead(const std::vector<unsigned char>& head, uint64_t fileSize) : b_(head), fileSize_(fileSize) {}

  // The unit system's record (two unit words), then the first list blocks
  // of the container up to the first that holds members, whose class record
  // must name a class. The bytes running out after the unit record still
  // count as an archive: a truncated one, which the load then reports.
  bool Plausible() {
    if (!UnitWord() || !UnitWord()) return false;
    for (int block = 0; block < kListBlocks; ++block) {
      if (!Has(4)) return true;
      const int32_t count = static_cast<int32_t>(Word(2) | (Word(2) << 16));
      if (count < 0 || static_cast<uint64_t>(count) > fileSize_ - pos_) return false;
      if (count > 0) return !Has(4) || ClassRecord();
    }
    return true;
  }

 private:
  // CBMContainer::Serialize: twelve list blocks.
  static constexpr int kListBlocks = 12;
  // The longest unit word of the one-byte length form. Text that passes the
  // unit words still fails the list-block counts and the class record.
  static constexpr size_t kMaxUnitWord = 254;
  // As CRuntimeClass::Load accepts.
  static constexpr uint32_t kMaxClassName = 63;

  bool Has(size_t n) const { return pos_ + n <= b_.size(); }
  // A little-endian integer of `n` bytes (at most 4); the caller checked Has.
  uint32_t Word(size_t n) {
    uint32_t v = 0;
    for (size_t k = 0; k < n; ++k) v |= static_cast<uint32_t>(b_[pos_ + k]) << (8 * k);
    pos_ += n;
    return v;
  }
  // A unit word: a one-byte length (or the wide form: 0xFF 0xFFFE and a
  // length of UTF-16 units), then printable characters without control
  // bytes. An empty word is a model without units.
  bool UnitWord() {
    if (!Has(1)) return false;
    size_t width = 1;
    if (b_[pos_] == 0xFF) {
      if (!Has(4) || b_[pos_ + 1] != 0xFE || b_[pos_ + 2] != 0xFF) return false;
      pos_ += 3;
      width = 2;
    }
    const size_t length = Word(1);
    if (length > kMaxUnitWord || !Has(length * width)) return false;
    for (size_t k = 0; k < length; ++k, pos_ += width) {
      const unsigned char c = b_[pos_];
      if (c < 0x20 || c == 0x7F || (width == 2 && b_[pos_ + 1] != 0)) return false;
    }
    return true;
  }
  // A class record (see CRuntimeClass::Store): a schema word, a name length
  // and a class name of letters, digits and underscores. Bytes running out
  // within it count as a truncated archive.
  bool ClassRecord() {
    Word(2);
    const uint32_t length = Word(2);
    if (length == 0 || length > kMaxClassName) return false;
    for (uint32_t k = 0; k < length && Has(1); ++k, ++pos_) {
      const unsigned char c = b_[pos_];
      if (!(IsAlnum(c) || c == '_') || (k == 0 && c >= '0' && c <= '9')) return false;
    }
    return true;
  }

  const std::vector<unsigned char>& b_;
  const uint64_t fileSize_;
  size_t pos_ = 0;
};

// The archive exception's causes: a short name and the reason given to users.
struct ArchiveCause {
  int cause;
  const char* name;
  const char* problem;
};
constexpr ArchiveCause kArchiveCauses[] = {
    {CArchiveException::endOfFile, "end_of_file",
     "the model archive ends too early (truncated, or not a model archive)"},
    {CArchiveException::badClass, "bad_class",
     "the model archive names a class this library does not know (corrupt, or not a model archive)"},
    {CArchiveException::badSchema, "bad_schema",
     "the model archive holds a class version this library does not read"},
    {CArchiveException::badIndex, "bad_index", nullptr},
    {CArchiveException::genericException, "generic", nullptr},
};

const ArchiveCause* FindArchiveCause(int cause) {
  for (const ArchiveCause& c : kArchiveCauses) {
    if (c.cause == cause) return &c;
  }
  return nullptr;
}

std::string ArchiveProblem(int cause) {
  const ArchiveCause* c = FindArchiveCause(cause);
  if (c && c->problem) return c->problem;
  return "the model archive is malformed (archive error " + std::to_string(cause) + ")";
}

// Why writing `path` failed, found by trying to open it ourselves.
std::string WriteFailureReason(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return "empty file name";
  if (fs::is_directory(path, ec)) return "it is a folder";
  const bool existed = fs::exists(path, ec);
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return errno ? std::strerror(errno) : "it cannot be created";
  std::fclose(f);
  if (!existed) fs::remove(path, ec);
  return "a write error interrupted it (disk full?)";
}

}  // namespace

const char* ArchiveCauseName(int cause) {
  const ArchiveCause* c = FindArchiveCause(cause);
  return c ? c->name : "malformed";
}

const char* FormName(ModelForm form) { return form == ModelForm::kText ? "text model" : "model archive"; }

ModelForm FormForPath(const std::string& path) {
  const CString ext(fs::path(path).extension().string());
  return (ext.CompareNoCase(".e2k") == 0 || ext.CompareNoCase(".$et") == 0) ? ModelForm::kText
                                                                            : ModelForm::kArchive;
}

namespace {

// DetectModelForm, also telling the kind of failure and the errno.
std::string Detect(const std::string& path, ModelForm* form, LoadFailure* failure, int* osError) {
  *failure = LoadFailure::kFile;
  std::error_code ec;
  if (path.empty()) return "empty file name";
  if (fs::is_directory(path, ec)) {
    *osError = EISDIR;
    return "it is a folder";
  }
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    *osError = errno;
    return errno ? std::strerror(errno) : "it cannot be opened";
  }
  std::vector<unsigned char> head(kHeadBytes);
  const size_t got = std::fread(head.data(), 1, head.size(), f);
  const bool failed = std::ferror(f) != 0;
  const int readErrno = errno;
  std::fclose(f);
  if (failed) {
    *osError = readErrno;
    return readErrno ? std::strerror(readErrno) : "it cannot be read";
  }
  head.resize(got);
  *failure = LoadFailure::kNotAModel;
  if (head.empty()) return "the file is empty";
  *failure = LoadFailure::kNone;
  if (LooksLikeText(head)) {
    *form = ModelForm::kText;
    return std::string();
  }
  // A size that cannot be told (not a regular file) bounds nothing.
  const uintmax_t size = fs::file_size(path, ec);
  if (ArchiveHead(head, ec ? UINT64_MAX : static_cast<uint64_t>(size)).Plausible()) {
    *form = ModelForm::kArchive;
    return std::string();
  }
  *failure = LoadFailure::kNotAModel;
  return "not a model file (neither a text model nor a model archive)";
}

}  // namespace

std::string DetectModelForm(const std::string& path, ModelForm* form) {
  LoadFailure failure = LoadFailure::kNone;
  int osError = 0;
  return Detect(path, form, &failure, &osError);
}

std::string LoadModel(const std::string& path, CBuildingModule& module, LoadResult* result,
                      TextReading reading) {
  LoadResult local;
  LoadResult& r = result ? *result : local;
  try {
    std::string problem = Detect(path, &r.form, &r.failure, &r.osError);
    if (!problem.empty()) return problem;
    r.failure = LoadFailure::kFile;  // until the reading below ends well or says otherwise
    if (r.form == ModelForm::kText) {
      ZAdapterEtabs8 adapter;
      adapter.SetBuildingModule(&module);
      adapter.SetProcessGeometry(reading == TextReading::kProcessed);
      CString p(path);
      const bool ok = adapter.ReadFile(p);
      r.readReport = adapter.GetReadReport();
      r.fileVersion = adapter.GetFileVersion();
      r.processed = adapter.GetProcessGeometry();
      if (!ok) {
        r.failure = LoadFailure::kEmptyText;
        return "the text model has no keyword lines, or a read error interrupted it";
      }
      r.endLineMissing = !adapter.EndSeen();
      if (r.endLineMissing) r.readReport.Count("END", skip::kEndMissing);
    } else {
      if (!module.ReadSaveFile(CString(path), 1)) return "the model archive could not be read (file error)";
      r.trailingBytes = module.GetLastLoadTrailingBytes();
    }
  } catch (const CArchiveException& e) {
    r.archiveCause = e.m_cause;
    r.failure = LoadFailure::kMalformedArchive;
    return ArchiveProblem(e.m_cause);
  } catch (const CFileException& e) {
    return std::string("file error while reading (") + e.what() + ")";
  } catch (const std::bad_alloc&) {
    // Memory ran out, whatever the form: an archive's counts are checked
    // against the bytes left before anything is allocated for them, so a
    // malformed archive cannot ask for more than a multiple of its size.
    r.failure = LoadFailure::kOutOfMemory;
    return kOutOfMemoryReason;
  } catch (const std::length_error&) {
    // A text line or an archive size beyond what a string or list can hold.
    if (r.form == ModelForm::kText) return "the text model has a line of 2 GB or more";
    r.failure = LoadFailure::kMalformedArchive;
    return "the model archive is malformed (impossible size)";
  }
  r.failure = LoadFailure::kNone;
  return std::string();
}

std::string SaveModel(CBuildingModule& module, const std::string& path, ModelForm form, WriteReport* report) {
  if (path.empty()) return "empty file name";
  try {
    if (form == ModelForm::kText) {
      const int ok = module.GenerateETABS8TxtFile(CString(path));
      if (report) *report = module.GetLastWriteReport();
      if (!ok) return WriteFailureReason(path);
    } else {
      if (!module.ReadSaveFile(CString(path), 0)) return WriteFailureReason(path);
    }
  } catch (const CFileException& e) {
    return std::string("file error while writing (") + e.what() + ")";
  } catch (const std::bad_alloc&) {
    // The model is unchanged; the file holds what was written before.
    return kOutOfMemoryReason;
  }
  return std::string();
}

std::string DescribeTrailingBytes(const LoadResult& result) {
  if (result.trailingBytes == 0) return std::string();
  return std::to_string(result.trailingBytes) + (result.trailingBytes == 1 ? " byte" : " bytes") +
         " after the model archive's last block (not read)";
}

std::string DescribeMissingEnd(const LoadResult& result) {
  if (!result.endLineMissing) return std::string();
  return "no END line at its end: the text model may have been cut off, and what followed is lost";
}

std::vector<std::string> DescribeWriteReport(const WriteReport& r) {
  std::vector<std::string> out;
  auto add = [&out](int n, const char* what) {
    if (n > 0) out.push_back(std::to_string(n) + " " + what);
  };
  add(r.sectionsWithoutMaterial, "section(s) without a material (written with the stored material name)");
  add(r.linesWithoutPoint, "line(s) without an end point (no LINE line)");
  add(r.areasWithoutPoint, "area(s) with a missing corner point (no AREA line)");
  add(r.restraintsMissing, "joint(s) flagged restrained without a restraint (no restraint text)");
  add(r.diaphragmsMissing, "joint(s) or slab(s) naming a missing diaphragm (no diaphragm text)");
  add(r.piersMissing, "wall(s) naming a missing pier (no pier text)");
  add(r.releasesMissing, "line element(s) flagged released without a release (no release text)");
  add(r.lineElementsWithoutSection, "line element(s) without a frame section (no LINEASSIGN line)");
  add(r.lineElementsWithBadType, "line element(s) that are no beam, column or brace (no section text)");
  add(r.shellElementsWithoutSection, "wall(s) or slab(s) without a section (no AREAASSIGN line)");
  add(r.invalidItems, "invalid list entr(ies) skipped");
  return out;
}

}  // namespace bm
