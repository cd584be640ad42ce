// Files of the tests: one temporary folder type and whole-file reads and
// writes, in binary so that bytes compare the same on every platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bm::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The path of a file of that name in the folder.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  // Writes `bytes` to a file of that name; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The bytes of `path`; empty when it cannot be read.
std::string ReadFile(const std::string& path);
std::vector<uint8_t> ReadBytes(const std::string& path);
// Text with the line ends of Linux: on Windows the CR of each CR LF is
// dropped (the console streams and text files of a Windows program).
std::string WithoutCarriageReturns(std::string text);
std::string ReadText(const std::string& path);

void WriteFile(const std::string& path, const std::string& bytes);
// The first `count` bytes of `bytes` (all of them by default).
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, size_t count = SIZE_MAX);

}  // namespace bm::test
