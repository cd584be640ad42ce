// Archive loads and partial models for the robustness tests.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <string>

#include "support/ArchiveHelpers.h"
#include "support/Files.h"

namespace bm::test {

// How an archive's load ended: CArchiveException and its cause, or ReadSaveFile's result.
struct LoadOutcome {
  bool threw = false, result = false;
  int cause = -1;
};

inline LoadOutcome LoadArchive(CBuildingModule& module, const std::string& path) {
  try {
    return {false, module.ReadSaveFile(CString(path), 1) != 0, -1};
  } catch (const CArchiveException& e) {
    return {true, false, e.m_cause};
  }
}

// What a module holds after a load stays writable, as text and archive, and that archive loads again.
inline void ExpectWritable(CBuildingModule& module, const TempDir& folder) {
  EXPECT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("partial.e2k"))), 1);
  ASSERT_TRUE(module.ReadSaveFile(CString(folder.File("partial.bma")), 0));
  CBuildingModule again;
  const LoadOutcome reloaded = LoadArchive(again, folder.File("partial.bma"));
  EXPECT_FALSE(reloaded.threw) << "cause " << reloaded.cause;
  EXPECT_TRUE(reloaded.result);
}

}  // namespace bm::test
