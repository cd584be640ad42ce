// bmtool export: the whole model as one JSON document.
#include <cstdio>

#include "Commands.h"
#include "Progress.h"
#include "json/JsonWriter.h"

namespace bm::tool {

int RunExport(const CommandLine& cl) {
  if (!cl.Has("output")) throw UsageError("export needs the output file: -o OUT.json", cl.command);
  const std::string& in = cl.args.at(0);
  const std::string out = cl.Get("output");

  CBuildingModule module;
  LoadResult loaded;
  const int read = ReadForWriting(cl, in, out, module, &loaded);
  if (read != kExitOk) return read;

  std::string problem;
  {
    ProgressScope progress("writing " + out);
    problem = WriteModelJson(module, out);
  }
  if (!problem.empty()) return FailWrite(out, problem);
  std::printf("wrote %s (JSON, %lld bytes)\n", out.c_str(), FileSize(out));
  PrintReadOutcome(cl, loaded);
  return kExitOk;
}

}  // namespace bm::tool
