// Truncated, corrupt and absurd archives: CArchiveException or the documented result, in bounded heap.
#include <gtest/gtest.h>

#include <algorithm>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "support/ByteBuilder.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

using E = CArchiveException;

// Heap a load may hold: 64 bytes per file byte, plus the buffer, a string chunk and the first objects.
int64_t HeapLimit(size_t fileSize) { return 64 * static_cast<int64_t>(fileSize) + 256 * 1024; }

std::vector<uint8_t> Fill(size_t n, uint8_t byte = 0) { return std::vector<uint8_t>(n, byte); }

// The units of an empty module, `n` empty list blocks, and a level record with no members.
ByteBuilder Units() { return ByteBuilder().Str("").Str(""); }
ByteBuilder Lists(ByteBuilder b, int n) { return n == 0 ? b : Lists(std::move(b.I32(0)), n - 1); }
ByteBuilder Level(ByteBuilder b, const std::string& name) {
  return Lists(b.I32(1).Str(name).F64(3.0).F64(0.0), 8);
}

// The test building cut to its first storey: every kind of record, small enough to cut at every byte.
std::vector<uint8_t> CompactArchive() {
  std::unique_ptr<CBuildingModule> model = BuildTestBuilding();
  CBMLevelList* levels = model->get_pMgrGeometry()->get_pLevelList();
  while (levels->GetCount() > 2) levels->RemoveAt(levels->GetCount());
  return StoreObject(*model);
}

// Every prefix throws; what some of their loads left (no topology) stays writable.
TEST(ArchiveTruncation, EveryPrefixOfASavedArchiveFailsWithEndOfFileAndLeavesAWritableModel) {
  TempDir folder;
  const std::vector<uint8_t> full = CompactArchive();
  ASSERT_GT(full.size(), 2000u);
  // A cut inside a class name (fewer bytes than its length says) is an unknown class.
  std::vector<bool> insideName(full.size() + 1, false);
  for (size_t i = 0; i + 7 < full.size(); ++i) {
    const size_t length = full[i + 2];
    if (full[i] != 1 || full[i + 1] != 0 || full[i + 3] != 0 || length < 3 || i + 4 + length > full.size() ||
        std::string(full.begin() + i + 4, full.begin() + i + 7) != "CBM")
      continue;
    for (size_t k = i + 4; k < i + 4 + length; ++k) insideName[k] = true;
  }
  ASSERT_NE(std::count(insideName.begin(), insideName.end(), true), 0);
  const std::string path = folder.File("prefix.bma");
  MessageCapture messages;
  for (size_t length = 0; length < full.size(); ++length) {
    WriteBytes(path, full, length);
    CBuildingModule module;
    const LoadOutcome outcome = LoadArchive(module, path);
    ASSERT_TRUE(outcome.threw) << "prefix of " << length << " bytes loaded";
    ASSERT_EQ(outcome.cause, insideName[length] ? E::badClass : E::endOfFile) << "prefix of " << length;
    if (length % 97 == 0) ExpectWritable(module, folder);
  }
  EXPECT_EQ(messages.count(), 0u);
  WriteBytes(path, full);
  CBuildingModule module;
  EXPECT_TRUE(LoadArchive(module, path).result);
}

struct MalformedArchive {
  const char* what;
  ByteBuilder bytes;
  int cause;  // the CArchiveException cause, or -1 for a load that succeeds
};

std::vector<MalformedArchive> MalformedArchives() {
  const auto level1 = [] { return Lists(Units(), 9).I32(1).Class("CBMLevel"); };
  const auto joint = [](ByteBuilder& b) { b.I32(1).Str("J").Str("").I32(0).Str("J"); };
  // A level's joint load list naming levels: nested records must not recurse through foreign classes.
  ByteBuilder jointLoadsNamingLevels = level1().I32(1).Str("L1").F64(3.0).F64(0.0).I32(1).Class("CBMJoint");
  joint(jointLoadsNamingLevels);
  jointLoadsNamingLevels = Level(jointLoadsNamingLevels.I32(1).Class("CBMLevel"), "L2").Raw(Fill(200));
  // 100 joints announced, 10 there: the count passes the size check.
  ByteBuilder shortJointList = level1().I32(1).Str("L1").F64(3.0).F64(0.0).I32(100).Class("CBMJoint");
  for (int i = 0; i < 10; ++i) {
    joint(shortJointList);
    shortJointList.I32(0).I32(0);
  }
  // Many minimal levels: a valid archive, the densest objects per byte.
  ByteBuilder levels = Lists(Units(), 9).I32(5000).Class("CBMLevel");
  for (int i = 0; i < 5000; ++i) levels = Level(std::move(levels), "L" + std::to_string(i));
  const uint16_t moduleSchema = static_cast<uint16_t>(RUNTIME_CLASS(CBuildingModule)->m_wSchema);
  return {
      {"empty file", ByteBuilder(), E::endOfFile},
      {"units only", Units(), E::endOfFile},
      {"count 2^31-1, 64 bytes", Units().I32(0x7FFFFFFF).Class("CBMDiaphragm").Raw(Fill(64)), E::endOfFile},
      {"count equal to bytes left", Units().I32(1000).Class("CBMDiaphragm").Raw(Fill(1000)), E::endOfFile},
      {"string of 4 GiB", ByteBuilder().U8(0xFF).U16(0xFFFF).I32(-1).Raw(Fill(16, 'A')), E::endOfFile},
      {"wide string of 2^31 units",
       ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).I32(0x7FFFFFFF).Raw(Fill(64, 'A')),
       E::endOfFile},
      {"wide marker as a length",
       ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).Raw(Fill(8)),
       E::endOfFile},
      {"class name of 65535 bytes", Units().I32(1).U16(1).U16(0xFFFF).Raw(Fill(100, 'C')), E::badClass},
      {"unknown class", Units().I32(1).Class("CBMNoSuchClass").Raw(Fill(64)), E::badClass},
      {"wrong schema", Units().I32(1).Class("CBMDiaphragm", 2).Raw(Fill(64)), E::badSchema},
      {"level list naming areas", Lists(Units(), 9).I32(1).Class("CBMArea").Raw(Fill(64)), E::badClass},
      {"diaphragm list holding lists", Units().I32(1).Class("CBMComponentList").Raw(Fill(64)), E::badClass},
      {"diaphragm list holding a module", Units().I32(1).Class("CBuildingModule", moduleSchema).Raw(Fill(64)),
       E::badClass},
      {"diaphragms naming reader blocks", Units().I32(1).Class("ZComItemList").Raw(Fill(64)), E::badClass},
      {"load case list naming levels", Lists(Level(level1(), "L1"), 1).I32(1).Class("CBMLevel").Raw(Fill(64)),
       E::badClass},
      {"joint loads naming levels", jointLoadsNamingLevels, E::badClass},
      {"joint list shorter than its count", shortJointList.Raw(Fill(40)), E::endOfFile},
      {"joint records of 0x01 bytes",
       level1().I32(1).Str("L1").F64(3.0).F64(0.0).I32(500).Class("CBMJoint").Raw(Fill(500, 0x01)),
       E::badClass},
      {"negative counts: empty lists", Lists(Units().I32(-5), 11), -1},
      {"5000 empty levels", Lists(levels, 2), -1},
      {"bytes after the last list", Lists(Units(), 12).Raw(Fill(1000, 0xEE)), -1},
      {"the test building, whole", ByteBuilder().Raw(StoreObject(*BuildTestBuilding())), -1},
  };
}

TEST(MalformedArchive, EndsWithTheDocumentedOutcomeWithinBoundedMemory) {
  TempDir folder;
  const std::string path = folder.File("malformed.bma");
  MessageCapture messages;
  for (const MalformedArchive& c : MalformedArchives()) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, c.bytes.bytes());
    CBuildingModule module;
    AllocationScope scope;
    const LoadOutcome outcome = LoadArchive(module, path);
    const int64_t held = std::max(scope.PeakBytes(), static_cast<int64_t>(scope.LargestRequest()));
    EXPECT_LE(held, HeapLimit(c.bytes.bytes().size())) << c.bytes.bytes().size() << " bytes";
    EXPECT_EQ(outcome.cause, c.cause);  // -1: nothing thrown
    EXPECT_EQ(outcome.result, c.cause < 0);
    ExpectWritable(module, folder);
  }
  EXPECT_EQ(messages.count(), 0u);
}

TEST(MalformedArchive, SingleByteCorruptionsNeverBreakTheLoader) {
  TempDir folder;  // a byte set to a telling value: the load succeeds or throws, in bounded memory
  const std::vector<uint8_t> full = CompactArchive();
  const std::string path = folder.File("corrupt.bma");
  MessageCapture messages;
  for (size_t at = 0; at < full.size(); at += 7) {
    for (uint8_t v : {0x00, 0x7F, 0xFF}) {
      if (full[at] == v) continue;
      std::vector<uint8_t> bytes = full;
      bytes[at] = v;
      WriteBytes(path, bytes);
      CBuildingModule module;
      AllocationScope scope;
      const LoadOutcome outcome = LoadArchive(module, path);
      ASSERT_TRUE(outcome.threw || outcome.result) << "byte " << at;
      ASSERT_LE(scope.PeakBytes(), HeapLimit(bytes.size())) << "byte " << at;
    }
  }
  EXPECT_EQ(messages.count(), 0u);
}

}  // namespace
}  // namespace bm::test
