// The reader's tokeniser against a plain byte-by-byte model of its rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "etabs_reader/ZFileReadModule.h"

namespace {

// The rules without a cut length, written as simply as possible.
std::vector<std::string> ModelSplit(std::string line, bool dropQuotes) {
  const size_t dollar = line.find('$');
  if (dollar != std::string::npos && dollar > 0) line.resize(dollar);
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (static_cast<signed char>(line[i]) <= 32) {
      ++i;
      continue;
    }
    std::string token;
    const size_t start = i;
    for (; i < line.size(); ++i) {
      char c = line[i];
      if ((c == ' ' || c == '\t') && (i == start || line[i - 1] != 'e')) break;
      if (c == '\t') c = ' ';
      if (dropQuotes && c == '"') continue;
      token += c;
    }
    tokens.push_back(token);
  }
  return tokens;
}

TEST(SplitTokens, AgreesWithTheRulesOnRandomLines) {
  const char alphabet[] = {'a', 'e', 'E', '1', '.', ' ', ' ', '\t', '"', '$', '\r', '\x01', '\x80', '\xff', 'X'};
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
      const std::vector<std::string> expected = ModelSplit(line, dropQuotes);
      ASSERT_EQ(n, expected.size()) << line;
      ASSERT_EQ(ends.size(), expected.size()) << line;
      ASSERT_EQ(bytes.substr(0, 6), "prefix");
      uint32_t begin = 6;
      for (size_t t = 0; t < n; ++t) {
        EXPECT_EQ(bytes.substr(begin, ends[t] - begin), expected[t]) << line;
        begin = ends[t];
      }
      EXPECT_EQ(bytes.size(), begin) << line;
    }
  }
}

}  // namespace
