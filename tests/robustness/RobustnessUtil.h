// Files, archives and models for the robustness tests.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bm::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("bm-robustness-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, size_t count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(count));
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteBytes(path, bytes, bytes.size());
}

// The archive bytes of `module` (saved through a file in `folder`).
inline std::vector<uint8_t> ArchiveOf(CBuildingModule& module, const ScratchFolder& folder) {
  const std::string path = folder.File("snapshot.bma");
  if (!module.ReadSaveFile(CString(path), 0)) return {};
  return ReadBytes(path);
}

// How a load of an archive ended.
struct LoadOutcome {
  bool threw = false;   // CArchiveException
  int cause = -1;       // its cause when it threw
  bool result = false;  // ReadSaveFile's result when it did not throw
};

inline LoadOutcome LoadArchive(CBuildingModule& module, const std::string& path) {
  LoadOutcome outcome;
  try {
    outcome.result = module.ReadSaveFile(CString(path), 1);
  } catch (const CArchiveException& e) {
    outcome.threw = true;
    outcome.cause = e.m_cause;
  }
  return outcome;
}

// Writes what a module holds after a load, as text and as archive, and loads
// that archive again: partial models must stay writable.
inline void ExpectWritable(CBuildingModule& module, const ScratchFolder& folder) {
  EXPECT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("partial.e2k"))), 1);
  ASSERT_TRUE(module.ReadSaveFile(CString(folder.File("partial.bma")), 0));
  CBuildingModule again;
  const LoadOutcome reloaded = LoadArchive(again, folder.File("partial.bma"));
  EXPECT_FALSE(reloaded.threw) << "cause " << reloaded.cause;
  EXPECT_TRUE(reloaded.result);
}

}  // namespace bm::test
