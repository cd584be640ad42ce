#include "support/Files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace bm::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  // A name nobody else holds: create_directory fails on an existing one, so
  // parallel test programs never share a folder.
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("bm-test-" + std::to_string(random()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) path_ = std::move(candidate);
  }
  if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::string file = File(name);
  WriteFile(file, bytes);
  return file;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = ReadFile(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::string WithoutCarriageReturns(std::string text) {
#ifdef _WIN32
  size_t kept = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) text[kept++] = text[i];
  }
  text.resize(kept);
#endif
  return text;
}

std::string ReadText(const std::string& path) { return WithoutCarriageReturns(ReadFile(path)); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, size_t count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(std::min(count, bytes.size())));
}

}  // namespace bm::test
