// Truncated, corrupt and absurd archives: every load ends with
// CArchiveException or the documented result, never with a crash, a leak or
// an allocation out of proportion to the file; what was loaded can still be
// written and the module destroyed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "support/ByteBuilder.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace bm::test {
namespace {

// Loading an archive holds at most this many heap bytes per file byte, plus
// a fixed allowance (the file buffer, one string chunk, the first objects).
constexpr int64_t kHeapPerArchiveByte = 64;
constexpr int64_t kFixedAllowance = 256 * 1024;

int64_t HeapLimit(size_t fileSize) {
  return kHeapPerArchiveByte * static_cast<int64_t>(fileSize) + kFixedAllowance;
}

// The unit system record of an empty module: two empty strings.
ByteBuilder Units() { return std::move(ByteBuilder().Str("").Str("")); }

// `n` empty list blocks.
ByteBuilder& EmptyLists(ByteBuilder& b, int n) {
  for (int i = 0; i < n; ++i) b.I32(0);
  return b;
}

// A level record with no members: id, name, two doubles, eight empty lists.
ByteBuilder& EmptyLevel(ByteBuilder& b, const std::string& name) {
  b.I32(1).Str(name).F64(3.0).F64(0.0);
  return EmptyLists(b, 8);
}

std::vector<uint8_t> Filler(size_t n, uint8_t byte = 0) { return std::vector<uint8_t>(n, byte); }

// The test building cut to its base and first storey: every kind of record,
// in an archive small enough to cut at every byte.
std::vector<uint8_t> CompactArchive(const TempDir& folder) {
  std::unique_ptr<CBuildingModule> model = BuildTestBuilding();
  CBMLevelList* levels = model->get_pMgrGeometry()->get_pLevelList();
  while (levels->GetCount() > 2) levels->RemoveAt(levels->GetCount());
  return ArchiveOf(*model, folder);
}

// Positions (begin, end) of the class names in `bytes`: a cut inside a class
// name leaves fewer name bytes than its length says, which the archive
// reports as an unknown class.
std::vector<std::pair<size_t, size_t>> ClassNameSpans(const std::vector<uint8_t>& bytes) {
  std::vector<std::pair<size_t, size_t>> spans;
  for (size_t i = 0; i + 7 < bytes.size(); ++i) {
    if (bytes[i] != 1 || bytes[i + 1] != 0 || bytes[i + 3] != 0) continue;
    const size_t length = bytes[i + 2];
    if (length < 3 || i + 4 + length > bytes.size()) continue;
    if (bytes[i + 4] != 'C' || bytes[i + 5] != 'B' || bytes[i + 6] != 'M') continue;
    spans.emplace_back(i + 4, i + 4 + length);
  }
  return spans;
}

TEST(ArchiveTruncation, EveryPrefixOfASavedArchiveFailsWithEndOfFile) {
  TempDir folder;
  const std::vector<uint8_t> full = CompactArchive(folder);
  ASSERT_GT(full.size(), 2000u);
  const auto spans = ClassNameSpans(full);
  ASSERT_FALSE(spans.empty());
  const std::string path = folder.File("prefix.bma");
  MessageCapture messages;
  for (size_t length = 0; length < full.size(); ++length) {
    WriteBytes(path, full, length);
    bool insideName = false;
    for (const auto& span : spans) insideName |= length >= span.first && length < span.second;
    CBuildingModule module;
    const LoadOutcome outcome = LoadArchive(module, path);
    ASSERT_TRUE(outcome.threw) << "prefix of " << length << " bytes loaded";
    ASSERT_EQ(outcome.cause, insideName ? CArchiveException::badClass : CArchiveException::endOfFile)
        << "prefix of " << length << " bytes";
  }
  EXPECT_EQ(messages.count(), 0u);
  // The whole archive loads.
  WriteBytes(path, full);
  CBuildingModule module;
  EXPECT_TRUE(LoadArchive(module, path).result);
}

TEST(ArchiveTruncation, PartialModelsOfPrefixesStayWritable) {
  // A sample of cut points across the whole archive: what each load left in
  // the lists (no topology) is written as text and archive and loads again.
  TempDir folder;
  std::unique_ptr<CBuildingModule> model = BuildTestBuilding();
  const std::vector<uint8_t> full = ArchiveOf(*model, folder);
  const std::string path = folder.File("prefix.bma");
  MessageCapture messages;
  for (size_t length = 0; length < full.size(); length += 331) {
    WriteBytes(path, full, length);
    CBuildingModule module;
    ASSERT_TRUE(LoadArchive(module, path).threw);
    ExpectWritable(module, folder);
  }
}

struct MalformedArchive {
  const char* what;
  std::vector<uint8_t> bytes;
  int cause;  // the expected CArchiveException cause, or -1 for a load that succeeds
};

std::vector<MalformedArchive> MalformedArchives() {
  std::vector<MalformedArchive> cases;
  auto add = [&cases](const char* what, const ByteBuilder& b, int cause) {
    cases.push_back({what, b.bytes(), cause});
  };
  using E = CArchiveException;

  add("empty file", ByteBuilder(), E::endOfFile);
  add("units only", Units(), E::endOfFile);
  {
    ByteBuilder b = Units();
    b.I32(0x7FFFFFFF).Class("CBMDiaphragm").Raw(Filler(64));
    add("list count of 2^31-1 over 64 bytes", b, E::endOfFile);
  }
  {
    ByteBuilder b = Units();
    b.I32(1000).Class("CBMDiaphragm").Raw(Filler(1000));
    add("list count equal to the bytes left", b, E::endOfFile);
  }
  {
    ByteBuilder b;
    b.U8(0xFF).U16(0xFFFF).I32(-1).Raw(Filler(16, 'A'));
    add("string of 4 GiB", b, E::endOfFile);
  }
  {
    ByteBuilder b;
    b.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).I32(0x7FFFFFFF).Raw(Filler(64, 'A'));
    add("wide string of 2^31 units", b, E::endOfFile);
  }
  {
    ByteBuilder b;
    b.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).Raw(Filler(8));
    add("wide string marker in place of a length", b, E::endOfFile);
  }
  {
    ByteBuilder b = Units();
    b.I32(1).U16(1).U16(0xFFFF).Raw(Filler(100, 'C'));
    add("class name of 65535 bytes", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(1).Class("CBMNoSuchClass").Raw(Filler(64));
    add("unknown class", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(1).Class("CBMDiaphragm", 2).Raw(Filler(64));
    add("wrong schema", b, E::badSchema);
  }
  {
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(1).Class("CBMArea").Raw(Filler(64));
    add("level list naming areas", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(1).Class("CBMComponentList").Raw(Filler(64));
    add("diaphragm list holding lists", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(1)
        .Class("CBuildingModule", static_cast<uint16_t>(RUNTIME_CLASS(CBuildingModule)->m_wSchema))
        .Raw(Filler(64));
    add("diaphragm list holding a module", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(1).Class("ZComItemList").Raw(Filler(64));
    add("diaphragm list holding reader blocks", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(1).Class("CBMLevel");
    EmptyLevel(b, "L1");
    EmptyLists(b, 1).I32(1).Class("CBMLevel").Raw(Filler(64));
    add("load case list naming levels", b, E::badClass);
  }
  {
    // A level whose joint list names joints, whose load list names levels:
    // nested records must not recurse through foreign classes.
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(1).Class("CBMLevel");
    b.I32(1).Str("L1").F64(3.0).F64(0.0).I32(1).Class("CBMJoint");
    b.I32(1).Str("J").Str("").I32(0).Str("J").I32(1).Class("CBMLevel");
    EmptyLevel(b, "L2");
    b.Raw(Filler(200));
    add("joint loads naming levels", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(1).Class("CBMLevel");
    // 100 joints announced, 10 there: the count passes the size check.
    b.I32(1).Str("L1").F64(3.0).F64(0.0).I32(100).Class("CBMJoint");
    for (int i = 0; i < 10; ++i) b.I32(1).Str("J").Str("").I32(0).Str("J").I32(0).I32(0);
    b.Raw(Filler(40));
    add("joint list shorter than its count", b, E::endOfFile);
  }
  {
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(1).Class("CBMLevel");
    b.I32(1).Str("L1").F64(3.0).F64(0.0).I32(500).Class("CBMJoint").Raw(Filler(500, 0x01));
    add("joint records of 0x01 bytes", b, E::badClass);
  }
  {
    ByteBuilder b = Units();
    b.I32(-5);
    EmptyLists(b, 11);
    add("negative counts read as empty lists", b, -1);
  }
  {
    // Many minimal levels: a valid archive, the densest objects per byte.
    ByteBuilder b = Units();
    EmptyLists(b, 9).I32(5000).Class("CBMLevel");
    for (int i = 0; i < 5000; ++i) EmptyLevel(b, "L" + std::to_string(i));
    EmptyLists(b, 2);
    add("5000 empty levels", b, -1);
  }
  {
    ByteBuilder b = Units();
    EmptyLists(b, 12);
    b.Raw(Filler(1000, 0xEE));
    add("trailing bytes after the last list", b, -1);
  }
  return cases;
}

TEST(MalformedArchive, EndsWithTheDocumentedOutcomeWithinBoundedMemory) {
  TempDir folder;
  const std::string path = folder.File("malformed.bma");
  MessageCapture messages;
  for (const MalformedArchive& c : MalformedArchives()) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, c.bytes);
    CBuildingModule module;
    LoadOutcome outcome;
    int64_t peak = 0;
    size_t largest = 0;
    {
      AllocationScope scope;
      outcome = LoadArchive(module, path);
      peak = scope.PeakBytes();
      largest = scope.LargestRequest();
    }
    if (c.cause < 0) {
      EXPECT_FALSE(outcome.threw) << "cause " << outcome.cause;
      EXPECT_TRUE(outcome.result);
    } else {
      EXPECT_TRUE(outcome.threw);
      EXPECT_EQ(outcome.cause, c.cause);
    }
    EXPECT_LE(peak, HeapLimit(c.bytes.size())) << c.bytes.size() << " bytes";
    EXPECT_LE(static_cast<int64_t>(largest), HeapLimit(c.bytes.size()));
    ExpectWritable(module, folder);
  }
  EXPECT_EQ(messages.count(), 0u);
}

TEST(MalformedArchive, SingleByteCorruptionsNeverBreakTheLoader) {
  // Bytes of a saved model set to a few telling values: each load either
  // succeeds or throws CArchiveException, within bounded memory.
  TempDir folder;
  const std::vector<uint8_t> full = CompactArchive(folder);
  const std::string path = folder.File("corrupt.bma");
  MessageCapture messages;
  const uint8_t values[] = {0x00, 0x7F, 0xFF};
  for (size_t at = 0; at < full.size(); at += 7) {
    for (uint8_t v : values) {
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

TEST(MalformedArchive, HeapOfAValidModelIsWithinTheSameBound) {
  TempDir folder;
  std::unique_ptr<CBuildingModule> model = BuildTestBuilding();
  const std::vector<uint8_t> full = ArchiveOf(*model, folder);
  CBuildingModule module;
  AllocationScope scope;
  ASSERT_TRUE(LoadArchive(module, folder.File("snapshot.bma")).result);
  EXPECT_LE(scope.PeakBytes(), HeapLimit(full.size()));
}

}  // namespace
}  // namespace bm::test
