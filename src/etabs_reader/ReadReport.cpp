// ReadReport: counts of skipped lines by keyword and reason.
#include "etabs_reader/ReadReport.h"

namespace bm {

void ReadReport::Count(std::string_view keyword, std::string_view reason, int lines) {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) it = skipped_.emplace(std::string(keyword), ReasonCounts()).first;
  auto r = it->second.find(reason);
  if (r == it->second.end()) r = it->second.emplace(std::string(reason), 0).first;
  r->second += lines;
}

int ReadReport::Get(std::string_view keyword, std::string_view reason) const {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) return 0;
  auto r = it->second.find(reason);
  return r == it->second.end() ? 0 : r->second;
}

int ReadReport::GetKeyword(std::string_view keyword) const {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) return 0;
  int n = 0;
  for (const auto& [reason, count] : it->second) n += count;
  return n;
}

int ReadReport::Total() const {
  int n = 0;
  for (const auto& [keyword, reasons] : skipped_) {
    for (const auto& [reason, count] : reasons) n += count;
  }
  return n;
}

}  // namespace bm
