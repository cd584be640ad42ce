// Helpers of the writer tests: temporary folders, whole-file reads, golden
// files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace bm::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bm_writer_XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  bool ok() const { return !path_.empty(); }

 private:
  std::filesystem::path path_;
};

// The bytes of `path`, or an empty string when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string GoldenPath(const std::string& name) { return std::string(BM_TEST_DATA_DIR) + "/golden/" + name; }

// Compares `actual` with the golden file byte for byte and, on a mismatch,
// names the first differing line of both.
inline ::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& goldenName) {
  const std::string expected = ReadBytes(GoldenPath(goldenName));
  if (expected.empty()) return ::testing::AssertionFailure() << "missing golden file " << goldenName;
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t pos = 0;
  while (pos < actual.size() && pos < expected.size() && actual[pos] == expected[pos]) ++pos;
  const size_t lineStart = expected.rfind('\n', pos == 0 ? 0 : pos - 1);
  const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
  auto lineAt = [from](const std::string& s) {
    const size_t end = s.find('\n', from);
    return from >= s.size() ? std::string("<end of text>") : s.substr(from, end == std::string::npos ? end : end - from);
  };
  size_t lineNo = 1;
  for (size_t i = 0; i < from; ++i) lineNo += expected[i] == '\n';
  return ::testing::AssertionFailure() << goldenName << " differs at byte " << pos << ", line " << lineNo
                                       << "\n  expected: [" << lineAt(expected) << "]\n  actual:   ["
                                       << lineAt(actual) << "]\n  sizes " << expected.size() << " / "
                                       << actual.size();
}

}  // namespace bm::test
