// Helpers shared by the bmtool commands.
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "Commands.h"
#include "ModelStats.h"
#include "Progress.h"

namespace bm::tool {

int FailRead(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "bmtool: cannot read %s: %s\n", path.c_str(), reason.c_str());
  return kExitFailure;
}

int FailWrite(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "bmtool: cannot write %s: %s\n", path.c_str(), reason.c_str());
  return kExitFailure;
}

bool LoadOrReport(const std::string& path, CBuildingModule& module, LoadResult* result, TextReading reading) {
  std::string problem;
  {
    ProgressScope progress("reading " + path);
    problem = LoadModel(path, module, result, reading);
  }
  if (!problem.empty()) {
    FailRead(path, problem);
    return false;
  }
  // Warnings, not errors: -q leaves them out (--strict fails on them).
  if (!result || !ProgressEnabled()) return true;
  for (const std::string& warning : {DescribeMissingEnd(*result), DescribeTrailingBytes(*result)}) {
    if (!warning.empty()) std::fprintf(stderr, "bmtool: %s: %s\n", path.c_str(), warning.c_str());
  }
  return true;
}

TextReading ReadingOf(const CommandLine& cl) {
  return cl.Has("process") ? TextReading::kProcessed : TextReading::kFileModel;
}

bool SaveOrReport(CBuildingModule& module, const std::string& path, ModelForm form, WriteReport* report) {
  std::string problem;
  {
    ProgressScope progress("writing " + path);
    problem = SaveModel(module, path, form, report);
  }
  if (!problem.empty()) {
    FailWrite(path, problem);
    return false;
  }
  return true;
}

namespace {

std::string Lines(int n) { return std::to_string(n) + (n == 1 ? " line" : " lines"); }

}  // namespace

std::vector<std::string> ListReadReport(const ReadReport& report) {
  using Kind = ReadReport::Kind;
  static const std::pair<Kind, const char*> kinds[] = {{Kind::kModelData, "model data not taken"},
                                                       {Kind::kNotModelData, "not model data"},
                                                       {Kind::kUnusedKey, "unused keys of taken lines"}};
  std::vector<std::string> out;
  for (const auto& [kind, heading] : kinds) {
    const int total = report.Total(kind);
    if (total == 0) continue;
    // Unused keys are counted once per key and line, not per line.
    const std::string count = kind == Kind::kUnusedKey ? std::to_string(total) : Lines(total);
    out.push_back(std::string(heading) + " (" + count + "):");
    for (const auto& [keyword, reasons] : report.Skipped()) {
      for (const auto& [reason, entry] : reasons) {
        if (entry.kind != kind) continue;
        out.push_back("  " + (keyword.empty() ? std::string("(no keyword)") : keyword) + ": " + reason +
                      ", " + Lines(entry.lines));
      }
    }
  }
  return out;
}

std::string ModelDataLine(const ReadReport& report, const std::string& hint) {
  std::string s = "model data not taken: " + Lines(report.ModelDataNotTaken());
  if (!hint.empty()) s += " (" + hint + ")";
  return s;
}

std::string OtherNotTakenLine(const ReadReport& report) {
  return "also not taken: " + Lines(report.Total(ReadReport::Kind::kNotModelData)) + " not model data, " +
         std::to_string(report.Total(ReadReport::Kind::kUnusedKey)) + " unused keys of taken lines";
}

void PrintReadOutcome(const CommandLine& cl, const LoadResult& loaded) {
  if (loaded.form != ModelForm::kText) {
    std::string hint = "model archive: every record is read";
    if (loaded.trailingBytes > 0)
      hint += "; bytes after its last block, not read: " + std::to_string(loaded.trailingBytes);
    std::printf("%s\n", ModelDataLine(ReadReport(), hint).c_str());
    return;
  }
  const ReadReport& report = loaded.readReport;
  const bool listed = cl.Has("report");
  if (listed) {
    const std::vector<std::string> lines = ListReadReport(report);
    std::printf("not taken by the reader:%s\n", lines.empty() ? " nothing" : "");
    for (const std::string& line : lines) std::printf("  %s\n", line.c_str());
  }
  std::string hint;
  if (!listed && report.Total() > 0)
    hint = report.ModelDataNotTaken() > 0 ? "--report lists them" : "--report lists the others";
  std::printf("%s\n%s\n", OtherNotTakenLine(report).c_str(), ModelDataLine(report, hint).c_str());
}

int StrictCode(const CommandLine& cl, const LoadResult& loaded) {
  const bool lost = (loaded.form == ModelForm::kText && loaded.readReport.ModelDataNotTaken() > 0) ||
                    loaded.trailingBytes > 0;
  return cl.Has("strict") && lost ? kExitNotTaken : kExitOk;
}

namespace {

// True when `out` names the file `in` names: the same path, or the same file
// through another path (a link, "./", "dir/.."). An output that does not
// exist yet cannot be the input.
bool SameFile(const std::string& in, const std::string& out) {
  if (in == out) return true;
  std::error_code ec;
  if (!std::filesystem::exists(out, ec)) return false;
  const bool same = std::filesystem::equivalent(in, out, ec);
  return !ec && same;
}

}  // namespace

int ReadForWriting(const CommandLine& cl, const std::string& in, const std::string& out,
                   CBuildingModule& module, LoadResult* loaded) {
  // Decision: writing over the input would destroy it on any failure or loss
  // of the reader; the command line asks for something refused, hence a
  // usage error, before anything is read or written.
  if (SameFile(in, out)) {
    throw UsageError(cl.command + " will not write over its input " + in +
                         (in == out ? std::string() : ": " + out + " is the same file") +
                         "; give another OUT",
                     cl.command);
  }
  if (!LoadOrReport(in, module, loaded, ReadingOf(cl))) return kExitFailure;
  const ModelStats s = CollectStats(module);
  std::printf("read %s (%s): %zu storeys, %d members, %d points\n", in.c_str(), FormName(loaded->form),
              s.storeys.size(), s.Members(), s.points);
  // Decision: with --strict a read that lost model data writes nothing; the
  // output would be an incomplete copy.
  const int strict = StrictCode(cl, *loaded);
  if (strict != kExitOk) {
    const std::string reason =
        loaded->trailingBytes > 0 ? DescribeTrailingBytes(*loaded) : ModelDataLine(loaded->readReport);
    std::fprintf(stderr, "bmtool: --strict: %s not written, %s\n", out.c_str(), reason.c_str());
    PrintReadOutcome(cl, *loaded);
  }
  return strict;
}

int ReadThenWrite(const CommandLine& cl, const char* outHint, const char* what,
                  const std::function<std::string(CBuildingModule&, const std::string&)>& write) {
  if (!cl.Has("output")) throw UsageError(cl.command + " needs the output file: -o " + outHint, cl.command);
  const std::string& in = cl.args.at(0);
  const std::string out = cl.Get("output");
  CBuildingModule module;
  LoadResult loaded;
  const int read = ReadForWriting(cl, in, out, module, &loaded);
  if (read != kExitOk) return read;
  std::string problem;
  {
    ProgressScope progress("writing " + out);
    problem = write(module, out);
  }
  if (!problem.empty()) return FailWrite(out, problem);
  std::printf("wrote %s (%s, %lld bytes)\n", out.c_str(), what, FileSize(out));
  PrintReadOutcome(cl, loaded);
  return kExitOk;
}

std::string DescribeReading(const LoadResult& loaded) {
  if (loaded.form != ModelForm::kText) return "the model as saved";
  std::string s = loaded.processed ? "the processed model, as a design host sees it"
                                   : "the file's own model (--process: as a design host sees it)";
  s += loaded.fileVersion > 0 ? "; file version " + std::to_string(loaded.fileVersion)
                              : std::string("; no PROGRAM line, read as version 8");
  return s;
}

long long FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<long long>(size);
}

}  // namespace bm::tool
