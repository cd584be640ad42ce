// The reader's tokeniser against a plain byte-by-byte model of its rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "etabs_reader/ZFileReadModule.h"

namespace {

// The rules without a cut length, written as simply as possible: a token
// and whether it was a quoted name.
std::vector<std::pair<std::string, bool>> ModelSplit(const std::string& line, bool dropQuotes) {
  std::vector<std::pair<std::string, bool>> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (static_cast<signed char>(line[i]) <= 32) {
      ++i;
      continue;
    }
    if (line[i] == '$' && i > 0) break;
    std::string token;
    if (line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t stop = close == std::string::npos ? line.size() : close;
      if (!dropQuotes) token += '"';
      for (size_t k = i + 1; k < stop; ++k) token += line[k] == '\t' ? ' ' : line[k];
      if (!dropQuotes && close != std::string::npos) token += '"';
      i = close == std::string::npos ? line.size() : close + 1;
      tokens.emplace_back(token, true);
      continue;
    }
    const size_t start = i;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if (i > start && (c == '"' || c == '$')) break;
      if ((c == ' ' || c == '\t') && (i == start || line[i - 1] != 'e')) break;
      if (c == '\t') c = ' ';
      token += c;
    }
    tokens.emplace_back(token, false);
  }
  return tokens;
}

TEST(SplitTokens, AgreesWithTheRulesOnRandomLines) {
  const char alphabet[] = {'a', 'e', 'E',  '1',    '.',    ' ',    ' ', '\t',
                           '"', '$', '\r', '\x01', '\x80', '\xff', 'X'};
  std::mt19937 rng(12345);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const int len = static_cast<int>(rng() % 40);
    for (int k = 0; k < len; ++k) line += alphabet[rng() % sizeof alphabet];
    for (bool dropQuotes : {false, true}) {
      // Bytes already in the buffer stay and the offsets count from its start.
      std::string bytes = "prefix";
      std::vector<uint32_t> ends;
      const size_t n = bm::reader::SplitTokens(line, 0, dropQuotes, bytes, ends);
      const std::vector<std::pair<std::string, bool>> expected = ModelSplit(line, dropQuotes);
      ASSERT_EQ(n, expected.size()) << line;
      ASSERT_EQ(ends.size(), expected.size()) << line;
      ASSERT_EQ(bytes.substr(0, 6), "prefix");
      uint32_t begin = 6;
      for (size_t t = 0; t < n; ++t) {
        const uint32_t end = bm::reader::TokenEnd(ends[t]);
        EXPECT_EQ(bytes.substr(begin, end - begin), expected[t].first) << line;
        EXPECT_EQ((ends[t] & bm::reader::kQuotedToken) != 0, expected[t].second) << line;
        begin = end;
      }
      EXPECT_EQ(bytes.size(), begin) << line;
    }
  }
}

}  // namespace
