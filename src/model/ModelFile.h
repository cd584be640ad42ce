// ModelFile: telling text models from archives, and loading and saving a
// building module with a clear reason on failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../etabs_reader/ReadReport.h"
#include "BuildingModule.h"

namespace bm {

enum class ModelForm { kText, kArchive };

// A CArchiveException cause as a short name: "end_of_file", "bad_class",
// "bad_schema", "bad_index", "generic", or "malformed" for any other.
const char* ArchiveCauseName(int cause);

// "text model" or "model archive".
const char* FormName(ModelForm form);

// The form that an output path asks for by its extension: ".e2k" or ".$et"
// (any letter case) is text, anything else the archive.
ModelForm FormForPath(const std::string& path);

// Looks at the first 64 KiB of `path`. In a text model, after an optional
// UTF-8 byte-order mark, blank lines and "$" comment lines, the first line
// begins with a keyword of the format (ZAdapterEtabs8::IsTextModelKeyword).
// An archive begins with its unit record (two short unit words without
// control bytes), then list block counts that fit in the file, the first
// non-empty block with a class record naming a class. Returns an empty
// string and sets `form`, or the reason why the file is neither (cannot be
// opened, a folder, empty, "not a model file (...)").
std::string DetectModelForm(const std::string& path, ModelForm* form);

// Why LoadModel failed, for callers that map failures to their own errors.
enum class LoadFailure {
  kNone,
  kFile,              // cannot be opened or read (osError tells why when known)
  kNotAModel,         // empty, or neither a text model nor an archive (see DetectModelForm)
  kEmptyText,         // a text model without keyword lines
  kMalformedArchive,  // archiveCause tells why when a CArchiveException did
  kOutOfMemory,
};

// What LoadModel found.
struct LoadResult {
  ModelForm form = ModelForm::kText;
  // Major version from the text model's PROGRAM line; 0 when it has none
  // (read as version 8) and for archives.
  int fileVersion = 0;
  // Whether the reader's processing passes ran (text models only).
  bool processed = false;
  // Lines that the text reader did not take (text models only). A text
  // model whose last data line is not the END line has it counted as model
  // data under END (skip::kEndMissing): the file may have been cut off.
  ReadReport readReport;
  bool endLineMissing = false;
  // Bytes after the archive's last block, which the load did not read: the
  // model is complete, but the file holds more than it (archives only).
  uint64_t trailingBytes = 0;
  // The CArchiveException cause when a malformed archive stopped the load;
  // 0 (CArchiveException::none) otherwise.
  int archiveCause = 0;
  LoadFailure failure = LoadFailure::kNone;
  // The errno of a kFile failure; 0 when it is not known.
  int osError = 0;
};

// How a text model is read: as the file's own model (what the file says,
// nothing added; the default), or processed as a design host sees it after
// reading (ZAdapterEtabs8::SetProcessGeometry). An archive is always read as
// saved.
enum class TextReading { kFileModel, kProcessed };

// Reads `path`, text or archive as its content says, into `module`, which
// must be newly constructed. Returns an empty string on success, otherwise
// the reason (the module then holds whatever was read before the failure).
// A malformed archive is reported, never thrown; so is memory running out
// ("out of memory", LoadFailure::kOutOfMemory), for either form.
std::string LoadModel(const std::string& path, CBuildingModule& module, LoadResult* result,
                      TextReading reading = TextReading::kFileModel);

// Writes `module` to `path` in `form`. Returns an empty string on success,
// otherwise the reason ("out of memory" when memory ran out; the module is
// unchanged either way). For text, `report` receives the writer's report.
std::string SaveModel(CBuildingModule& module, const std::string& path, ModelForm form,
                      WriteReport* report = nullptr);

// "N bytes after the model archive's last block (not read)"; empty when the
// load left no bytes.
std::string DescribeTrailingBytes(const LoadResult& result);

// "no END line at its end: the text model may have been cut off, and what
// followed is lost"; empty when the END line was there.
std::string DescribeMissingEnd(const LoadResult& result);

// One phrase per non-zero count of the writer's report ("3 line elements
// without a frame section (no LINEASSIGN line)").
std::vector<std::string> DescribeWriteReport(const WriteReport& report);

}  // namespace bm
