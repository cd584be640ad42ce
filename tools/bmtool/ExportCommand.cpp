// bmtool export: the whole model as one JSON document.
#include "Commands.h"
#include "json/JsonWriter.h"

namespace bm::tool {

int RunExport(const CommandLine& cl) { return ReadThenWrite(cl, "OUT.json", "JSON", WriteModelJson); }

}  // namespace bm::tool
