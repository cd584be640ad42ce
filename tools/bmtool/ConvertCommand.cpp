// bmtool convert: text model <-> model archive.
#include <cstdio>
#include <filesystem>

#include "Commands.h"
#include "ModelStats.h"

namespace bm::tool {

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

int RunConvert(const CommandLine& cl) {
  const std::string& in = cl.args.at(0);
  const std::string& out = cl.args.at(1);
  ModelForm outForm = FormForPath(out);
  if (cl.Has("to")) {
    const std::string to = cl.Get("to");
    if (to == "text") {
      outForm = ModelForm::kText;
    } else if (to == "archive") {
      outForm = ModelForm::kArchive;
    } else {
      throw UsageError("--to must be 'text' or 'archive', not '" + to + "'", cl.command);
    }
  }
  // Decision: writing over the input would destroy it on any failure or loss
  // of the reader; the command line asks for something refused, hence a
  // usage error, before anything is read or written.
  if (SameFile(in, out)) {
    throw UsageError("convert will not write over its input " + in +
                         (in == out ? std::string() : ": " + out + " is the same file") + "; give another OUT",
                     cl.command);
  }

  CBuildingModule module;
  LoadResult loaded;
  if (!LoadOrReport(in, module, &loaded, ReadingOf(cl))) return kExitFailure;
  const ModelStats s = CollectStats(module);
  std::printf("read %s (%s): %zu storeys, %d members, %d points\n", in.c_str(), FormName(loaded.form),
              s.storeys.size(), s.Members(), s.points);

  // Decision: with --strict a read that lost model data writes nothing; the
  // output would be an incomplete copy.
  const int strict = StrictCode(cl, loaded);
  if (strict != kExitOk) {
    std::fprintf(stderr, "bmtool: --strict: %s not written, the reader did not take some model data\n",
                 out.c_str());
    PrintReadOutcome(cl, loaded);
    return strict;
  }

  WriteReport report;
  if (!SaveOrReport(module, out, outForm, &report)) return kExitFailure;
  std::printf("wrote %s (%s, %lld bytes)\n", out.c_str(), FormName(outForm), FileSize(out));
  if (outForm == ModelForm::kText) {
    const std::vector<std::string> skipped = DescribeWriteReport(report);
    if (skipped.empty()) {
      std::printf("writer skipped nothing\n");
    } else {
      std::printf("writer skipped or filled in:\n");
      for (const std::string& line : skipped) std::printf("  %s\n", line.c_str());
    }
  }
  PrintReadOutcome(cl, loaded);
  return kExitOk;
}

}  // namespace bm::tool
