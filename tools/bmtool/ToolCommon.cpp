// Helpers shared by the bmtool commands.
#include <cstdio>
#include <filesystem>

#include "Commands.h"
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

bool LoadOrReport(const std::string& path, CBuildingModule& module, LoadResult* result) {
  std::string problem;
  {
    ProgressScope progress("reading " + path);
    problem = LoadModel(path, module, result);
  }
  if (!problem.empty()) {
    FailRead(path, problem);
    return false;
  }
  return true;
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

std::string DescribeReadReport(const ReadReport& report, const std::string& indent) {
  if (report.Total() == 0) return "nothing";
  std::string s = std::to_string(report.Total()) + " line(s):";
  for (const auto& [keyword, reasons] : report.Skipped()) {
    for (const auto& [reason, count] : reasons) {
      s += "\n" + indent + (keyword.empty() ? std::string("(no keyword)") : keyword) + ": " +
           std::to_string(count.lines) + " (" + reason + ")";
    }
  }
  return s;
}

long long FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<long long>(size);
}

}  // namespace bm::tool
