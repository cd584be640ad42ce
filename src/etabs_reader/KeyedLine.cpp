// KeyedLine: pairs of a keyed line, look-ups that mark keys used, and the
// report of keys and values left over.
#include "etabs_reader/KeyedLine.h"

#include <algorithm>
#include <string>

#include "etabs_reader/ZComItem.h"

namespace bm::reader {

KeyedLine::KeyedLine(const ZComItem& line, int first) : line_(line) {
  const TokenStore& tokens = line.tokens();
  const int count = tokens.Count();
  int t = first < 1 ? 1 : first;
  while (t <= count) {
    const std::string_view token = tokens.Get(t - 1);
    if (tokens.Quoted(t - 1) || LooksNumeric(token) || token.empty()) {
      ++stray_;
      ++t;
      continue;
    }
    const uint64_t head = bm::AsciiUpper8(TokenStore::Head(token));
    const uint64_t bit = KeyBit(head, token.size());
    twoAlike_ |= (keyBits_ & bit) != 0;
    keyBits_ |= bit;
    pairs_.Add(token, head, t + 1 <= count ? t + 1 : 0);
    t += 2;
  }
}

int KeyedLine::FindKey(std::string_view key, uint64_t head) {
  int found = 0;
  for (Pair& p : pairs_) {
    if (!Matches(p, key, head)) continue;
    Use(p);
    // Keys that all differ in their bits stand once each: the first is the
    // only one.
    if (!twoAlike_) return p.value;
    if (!found) found = p.value;
  }
  return found;
}

void KeyedLine::NotModelData(std::string_view key) {
  const uint64_t head = KeyHead(key);
  if (!MayHold(key, head)) return;
  for (Pair& p : pairs_) {
    if (!Matches(p, key, head) || p.noPlace) continue;
    p.noPlace = true;
    ++noPlace_;
  }
}

std::string_view KeyedLine::Take(int valueToken) {
  for (Pair& p : pairs_) {
    if (p.value != valueToken) continue;
    if (p.used || p.noPlace) return {};
    Use(p);
    return p.key;
  }
  return {};
}

int KeyedLine::TakeRest() {
  int taken = 0;
  for (Pair& p : pairs_) {
    if (p.used || p.noPlace) continue;
    Use(p);
    ++taken;
  }
  return taken;
}

std::vector<int> KeyedLine::FindAll(std::string_view key) {
  const uint64_t head = KeyHead(key);
  std::vector<int> values;
  if (!MayHold(key, head)) return values;
  for (Pair& p : pairs_) {
    if (!Matches(p, key, head)) continue;
    Use(p);
    if (p.value) values.push_back(p.value);
  }
  return values;
}

CString KeyedLine::Text(std::string_view key) {
  const int t = Find(key);
  return t ? line_.GetClearString(t) : CString();
}

void KeyedLine::ReportUnused(ReadReport& report, std::string_view keyword) const {
  // Nearly every line has had all its keys asked for.
  if (!stray_ && !noPlace_ && used_ == pairs_.size()) return;
  // Each key name once per line, in line order.
  std::vector<std::string_view> named;
  for (const Pair& p : pairs_) {
    if (p.used && !p.noPlace) continue;
    if (std::find(named.begin(), named.end(), p.key) != named.end()) continue;
    named.push_back(p.key);
    std::string upper(p.key);
    for (char& c : upper) c = bm::AsciiUpper(c);
    if (p.noPlace) {
      report.Add(keyword, "key " + upper + " (not model data)", ReadReport::Kind::kNotModelData, 1);
    } else {
      report.CountUnusedKey(keyword, upper);
    }
  }
  if (stray_) report.Count(keyword, skip::kValueWithoutKey, 1);
}

}  // namespace bm::reader
