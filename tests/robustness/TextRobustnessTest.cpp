// Malformed text files: read false or partly, in heap proportional to the file; the model stays writable.
#include <gtest/gtest.h>

#include <tuple>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "support/MessageCapture.h"

namespace bm::test {
namespace {

const std::string kHeader = "$ File saved by hand\n\n";

std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0) out += s;
  return out;
}

bool Read(CBuildingModule& module, const std::string& path) {
  ZAdapterEtabs8 adapter;
  adapter.SetBuildingModule(&module);
  CString p(path);
  return adapter.ReadFile(p);
}

TEST(MalformedText, ReadsOrRefusesWithinBoundedMemoryAndStaysWritable) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const std::tuple<const char*, std::string, bool> cases[] = {
      // ReadFile's result last
      {"empty file", "", false},
      {"one data line", "PROGRAM \"ETABS\"", false},
      {"header only", kHeader, false},
      {"comments only", "$ a\n! b\n$ c\n", false},
      {"every byte value", kHeader + Repeat(allBytes, 16), true},
      {"NUL bytes inside lines", kHeader + std::string("STORY \"A\0B\" HEIGHT 3\n", 22), true},
      {"one token of 1 MiB", kHeader + "POINT \"" + std::string(1 << 20, 'X') + "\" 1 2\n", true},
      {"100000 empty lines", kHeader + "UNITS KN M\n" + std::string(100000, '\n'), true},
      {"a line of 50000 tokens", kHeader + "STORY" + Repeat(" 1", 50000) + "\n", true},
      {"100000 one-token lines", kHeader + Repeat("X\n", 100000), true},
      {"numbers beyond double", kHeader + R"(STORY "S" HEIGHT 1e999999
STORY "B" ELEV -1e999999
POINT "P" 1e-999999 0x1p99999
POINT "Q" nan inf
)",
       true},
      {"expressions everywhere", kHeader + R"(STORY "S" HEIGHT 1/0
STORY "B" ELEV 0/0
POINT "P" 2P2000 -2P0.5
)",
       true},
      {"references to nothing", kHeader + R"(LINE "B" BEAM "P1" "P2" 0
AREA "A" FLOOR 2147483647 "P1"
AREA "A2" FLOOR -5 "P1"
LINEASSIGN "B" "S" SECTION "X"
POINTLOAD "P" "S" LC "L" FX 1
COMBO "C" LOADCASE "NONE" SF 1
)",
       true},
      {"many storeys and points",
       kHeader + Repeat("STORY \"S\" HEIGHT 1\n", 2000) + "\n" + Repeat("POINT \"P\" 1 2\n", 2000), true},
      {"carriage returns only", kHeader + std::string(10000, '\r'), false},
      {"carriage returns in data lines", kHeader + "UNITS\rKN\rM\r\n" + std::string(1000, '\r'), true},
  };
  TempDir folder;
  const std::string path = folder.File("input.e2k");
  MessageCapture messages;
  for (const auto& [what, text, opens] : cases) {
    SCOPED_TRACE(what);
    WriteFile(path, text);
    CBuildingModule module;
    AllocationScope scope;
    EXPECT_EQ(Read(module, path), opens);
    // Lines stay as tokens until the adapter goes; a short line can make an object: 256 bytes per byte.
    EXPECT_LE(scope.PeakBytes(), 256 * static_cast<int64_t>(text.size()) + 256 * 1024) << text.size();
    ExpectWritable(module, folder);
  }
}

TEST(MalformedText, WithoutAModuleOrAReadableFileReadingIsRefusedAndChangesNothing) {
  TempDir folder;
  CBuildingModule module;
  MessageCapture messages;
  // Without a module there is nothing to fill: even a good file is refused.
  const std::string good = folder.Write("good.e2k", kHeader + "UNITS KN M\n");
  ZAdapterEtabs8 noModule;
  CString path(good);
  EXPECT_FALSE(noModule.ReadFile(path));
  EXPECT_TRUE(Read(*std::make_unique<CBuildingModule>(), good));
  EXPECT_FALSE(Read(module, folder.File("missing.e2k")));
  EXPECT_FALSE(Read(module, folder.path().string()));
  EXPECT_EQ(StoreObject(module), StoreObject(*std::make_unique<CBuildingModule>()));
  EXPECT_EQ(messages.count(), 0u);
}

// A file cut anywhere reads as the blocks before the cut or is refused; the result stays writable.
TEST(MalformedText, EveryPrefixOfAWrittenFileReadsOrRefuses) {
  const std::string text = kHeader + R"(PROGRAM "ETABS" VERSION "8.48"
UNITS "KN" "M"
STORY "S1" HEIGHT 3
STORY "BASE" ELEV 0
MATERIAL "C" M 2.4 W 23.5 TYPE "ISOTROPIC" E 2.5e7 U 0.2 A 1e-5
MATERIAL "C" DESIGNTYPE "CONCRETE" FY 4e5 FC 3e4 FYS 4e5
FRAMESECTION "B" MATERIAL "C" SHAPE "Rectangular" D 0.5 B 0.3
POINT "P1" 0 0
POINT "P2" 6 0
LINE "B1" BEAM "P1" "P2" 0
LINE "C1" COLUMN "P1" "P1" 1
POINTASSIGN "P1" "BASE" RESTRAINT "UX UY UZ RX RY RZ"
LINEASSIGN "B1" "S1" SECTION "B"
LINEASSIGN "C1" "S1" SECTION "B"
LOADCASE "DEAD" TYPE "DEAD" SELFWEIGHT 1
LINELOAD "B1" "S1" TYPE "UNIFF" DIR "GRAV" LC "DEAD" FVAL 5
COMBO "C1" TYPE "ADD"
COMBO "C1" LOADCASE "DEAD" SF 1.2)";
  TempDir folder;
  const std::string path = folder.File("prefix.e2k");
  MessageCapture messages;
  for (size_t length = 0; length <= text.size(); ++length) {
    WriteFile(path, text.substr(0, length));
    CBuildingModule module;
    Read(module, path);
    ASSERT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("out.e2k"))), 1) << length;
    ASSERT_TRUE(module.ReadSaveFile(CString(folder.File("out.bma")), 0)) << length;
  }
}

}  // namespace
}  // namespace bm::test
