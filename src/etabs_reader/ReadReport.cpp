// ReadReport: counts of lines not taken, by keyword, reason and kind.
#include "etabs_reader/ReadReport.h"

namespace bm {

void ReadReport::Add(std::string_view keyword, std::string_view reason, Kind kind, int lines) {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) it = skipped_.emplace(std::string(keyword), ReasonCounts()).first;
  auto r = it->second.find(reason);
  if (r == it->second.end()) r = it->second.emplace(std::string(reason), Entry{0, kind}).first;
  r->second.lines += lines;
}

void ReadReport::CountNotModelData(std::string_view keyword, int lines) {
  Add(keyword, skip::kNotModelData, Kind::kNotModelData, lines);
}

void ReadReport::CountUnusedKey(std::string_view keyword, std::string_view key) {
  std::string reason = "key ";
  reason.append(key);
  reason += " not used";
  Add(keyword, reason, Kind::kUnusedKey, 1);
}

int ReadReport::Get(std::string_view keyword, std::string_view reason) const {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) return 0;
  auto r = it->second.find(reason);
  return r == it->second.end() ? 0 : r->second.lines;
}

int ReadReport::GetKeyword(std::string_view keyword) const {
  auto it = skipped_.find(keyword);
  if (it == skipped_.end()) return 0;
  int n = 0;
  for (const auto& [reason, entry] : it->second) n += entry.lines;
  return n;
}

int ReadReport::Total() const {
  int n = 0;
  for (const auto& [keyword, reasons] : skipped_) {
    for (const auto& [reason, entry] : reasons) n += entry.lines;
  }
  return n;
}

int ReadReport::Total(Kind kind) const {
  int n = 0;
  for (const auto& [keyword, reasons] : skipped_) {
    for (const auto& [reason, entry] : reasons) {
      if (entry.kind == kind) n += entry.lines;
    }
  }
  return n;
}

}  // namespace bm
