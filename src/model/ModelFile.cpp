// Loading and saving models by content, with reasons instead of crashes.
#include "model/ModelFile.h"

#include "etabs_reader/ZAdapterEtabs8.h"
#include "platform/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <stdexcept>

namespace bm {

namespace {

namespace fs = std::filesystem;

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// Printable in some 8-bit or multibyte encoding: no control bytes.
bool IsTextByte(unsigned char c) { return c >= 0x20 ? c != 0x7F : (c == '\t' || c == '\r'); }

bool LooksLikeText(const std::vector<unsigned char>& head) {
  size_t i = 0;
  if (head.size() >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) i = 3;
  while (i < head.size() && IsBlank(head[i])) ++i;
  if (i == head.size() || !(head[i] == '$' || IsLetter(head[i]))) return false;
  for (; i < head.size() && head[i] != '\n'; ++i) {
    if (!IsTextByte(head[i])) return false;
  }
  return true;
}

// Reads one archive string's length at `pos` (advancing it); false when the
// bytes run out. Wide strings count 2-byte units.
bool ReadArchiveLength(const std::vector<unsigned char>& b, size_t& pos, size_t* length) {
  auto need = [&](size_t n) { return pos + n <= b.size(); };
  if (!need(1)) return false;
  const unsigned first = b[pos++];
  if (first < 0xFF) {
    *length = first;
    return true;
  }
  if (!need(2)) return false;
  const unsigned word = b[pos] | (b[pos + 1] << 8);
  pos += 2;
  if (word == 0xFFFE) {  // wide string: a second prefix counts UTF-16 units
    size_t units = 0;
    if (!ReadArchiveLength(b, pos, &units)) return false;
    *length = units * 2;
    return true;
  }
  if (word < 0xFFFF) {
    *length = word;
    return true;
  }
  if (!need(4)) return false;
  *length = static_cast<size_t>(b[pos]) | (static_cast<size_t>(b[pos + 1]) << 8) |
            (static_cast<size_t>(b[pos + 2]) << 16) | (static_cast<size_t>(b[pos + 3]) << 24);
  pos += 4;
  return true;
}

// The unit system record (two short unit words) followed by a list count.
bool LooksLikeArchive(const std::vector<unsigned char>& head) {
  size_t pos = 0;
  for (int word = 0; word < 2; ++word) {
    size_t length = 0;
    if (!ReadArchiveLength(head, pos, &length) || length > 256 || pos + length > head.size()) return false;
    pos += length;
  }
  return pos + 4 <= head.size();
}

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
    {CArchiveException::badSchema, "bad_schema", "the model archive holds a class version this library does not read"},
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
  std::vector<unsigned char> head(4096);
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
  if (LooksLikeArchive(head)) {
    *form = ModelForm::kArchive;
    return std::string();
  }
  *failure = LoadFailure::kNotAModel;
  return "neither a text model (keyword lines) nor a model archive";
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
  std::string problem = Detect(path, &r.form, &r.failure, &r.osError);
  if (!problem.empty()) return problem;
  r.failure = LoadFailure::kFile;  // until the reading below ends well or says otherwise
  try {
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
    } else {
      if (!module.ReadSaveFile(CString(path), 1)) return "the model archive could not be read (file error)";
    }
  } catch (const CArchiveException& e) {
    r.archiveCause = e.m_cause;
    r.failure = LoadFailure::kMalformedArchive;
    return ArchiveProblem(e.m_cause);
  } catch (const CFileException& e) {
    return std::string("file error while reading (") + e.what() + ")";
  } catch (const std::bad_alloc&) {
    r.failure = r.form == ModelForm::kArchive ? LoadFailure::kMalformedArchive : LoadFailure::kOutOfMemory;
    return r.form == ModelForm::kArchive
               ? "the model archive is malformed (it asks for more memory than there is)"
               : "out of memory";
  } catch (const std::length_error&) {
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
  }
  return std::string();
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
