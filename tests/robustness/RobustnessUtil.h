// Files, archives and models for the robustness tests.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/Files.h"

namespace bm::test {

// The archive bytes of `module` (saved through a file in `folder`).
inline std::vector<uint8_t> ArchiveOf(CBuildingModule& module, const TempDir& folder) {
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
inline void ExpectWritable(CBuildingModule& module, const TempDir& folder) {
  EXPECT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("partial.e2k"))), 1);
  ASSERT_TRUE(module.ReadSaveFile(CString(folder.File("partial.bma")), 0));
  CBuildingModule again;
  const LoadOutcome reloaded = LoadArchive(again, folder.File("partial.bma"));
  EXPECT_FALSE(reloaded.threw) << "cause " << reloaded.cause;
  EXPECT_TRUE(reloaded.result);
}

}  // namespace bm::test
