// Helpers of the writer tests: written text and golden files.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/Files.h"

namespace bm::test {

// A text model file as the writer wrote it, with the line ends of Linux: on
// Windows, where every line ends in CR LF, a line end that is not fails the
// test and the CRs are dropped.
inline std::string ReadWrittenText(const std::string& path) {
  std::string text = ReadFile(path);
#ifdef _WIN32
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << path << ": LF without CR at byte " << i;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    plain += text[i];
  }
  text = std::move(plain);
#endif
  return text;
}

inline std::string GoldenPath(const std::string& name) {
  return std::string(BM_TEST_DATA_DIR) + "/golden/" + name;
}

// Compares `actual` with the golden file byte for byte and, on a mismatch,
// names the first differing line of both.
inline ::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& goldenName) {
  const std::string expected = ReadFile(GoldenPath(goldenName));
  if (expected.empty()) return ::testing::AssertionFailure() << "missing golden file " << goldenName;
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t pos = 0;
  while (pos < actual.size() && pos < expected.size() && actual[pos] == expected[pos]) ++pos;
  const size_t lineStart = expected.rfind('\n', pos == 0 ? 0 : pos - 1);
  const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
  auto lineAt = [from](const std::string& s) {
    const size_t end = s.find('\n', from);
    return from >= s.size() ? std::string("<end of text>")
                            : s.substr(from, end == std::string::npos ? end : end - from);
  };
  size_t lineNo = 1;
  for (size_t i = 0; i < from; ++i) lineNo += expected[i] == '\n';
  return ::testing::AssertionFailure()
         << goldenName << " differs at byte " << pos << ", line " << lineNo << "\n  expected: ["
         << lineAt(expected) << "]\n  actual:   [" << lineAt(actual) << "]\n  sizes " << expected.size()
         << " / " << actual.size();
}

}  // namespace bm::test
