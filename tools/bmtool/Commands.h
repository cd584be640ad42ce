// The commands of bmtool and the helpers they share.
#pragma once

#include <string>

#include "Cli.h"
#include "ModelFile.h"

namespace bm::tool {

int RunDemo(const CommandLine& cl);
int RunInfo(const CommandLine& cl);
int RunConvert(const CommandLine& cl);
int RunPlot(const CommandLine& cl);

// Prints "bmtool: cannot read FILE: reason" and returns kExitFailure.
int FailRead(const std::string& path, const std::string& reason);
// Prints "bmtool: cannot write FILE: reason" and returns kExitFailure.
int FailWrite(const std::string& path, const std::string& reason);

// Loads `path` into `module` with a progress line; prints the failure.
// Returns true on success.
bool LoadOrReport(const std::string& path, CBuildingModule& module, LoadResult* result);
// Saves `module` to `path` in `form` with a progress line; prints the
// failure. Returns true on success. `report` as for SaveModel.
bool SaveOrReport(CBuildingModule& module, const std::string& path, ModelForm form,
                  WriteReport* report = nullptr);

// "nothing" or "N line(s):" followed by one line per keyword and reason,
// each indented by `indent`.
std::string DescribeReadReport(const ReadReport& report, const std::string& indent = "  ");

// Size of a file in bytes, or -1.
long long FileSize(const std::string& path);

}  // namespace bm::tool
