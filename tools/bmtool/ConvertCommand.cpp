// bmtool convert: text model <-> model archive.
#include <cstdio>

#include "Commands.h"

namespace bm::tool {

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
  CBuildingModule module;
  LoadResult loaded;
  const int read = ReadForWriting(cl, in, out, module, &loaded);
  if (read != kExitOk) return read;

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
