// Malformed text model files: reading returns false or gives a partial
// model, never crashes, and holds heap in proportion to the file; the model
// read can always be written as text and archive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "support/MessageCapture.h"

namespace bm::test {
namespace {

// Reading a text file holds at most this many heap bytes per file byte
// (every line is kept as tokens until the adapter goes, and a short line
// can make a model object), plus a fixed allowance.
constexpr int64_t kHeapPerTextByte = 256;
constexpr int64_t kFixedAllowance = 256 * 1024;

const std::string kHeader = "$ File saved by hand\n\n";

struct TextCase {
  const char* what;
  std::string text;
  bool opens;  // whether ReadFile returns true
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  out.reserve(s.size() * static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::vector<TextCase> TextCases() {
  std::vector<TextCase> cases;
  cases.push_back({"empty file", "", false});
  cases.push_back({"one data line", "PROGRAM \"ETABS\"", false});
  cases.push_back({"header only", kHeader, false});
  cases.push_back({"comments only", "$ a\n! b\n$ c\n", false});
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  cases.push_back({"every byte value", kHeader + Repeat(allBytes, 16), true});
  cases.push_back({"NUL bytes inside lines", kHeader + std::string("STORY \"A\0B\" HEIGHT 3\n", 22), true});
  cases.push_back(
      {"one token of 1 MiB", kHeader + "POINT \"" + std::string(1 << 20, 'X') + "\" 1 2\n", true});
  cases.push_back({"100000 empty lines", kHeader + "UNITS KN M\n" + std::string(100000, '\n'), true});
  cases.push_back({"a line of 50000 tokens", kHeader + "STORY" + Repeat(" 1", 50000) + "\n", true});
  cases.push_back({"100000 one-token lines", kHeader + Repeat("X\n", 100000), true});
  cases.push_back({"numbers beyond double",
                   kHeader + "STORY \"S\" HEIGHT 1e999999\nSTORY \"B\" ELEV -1e999999\n"
                             "POINT \"P\" 1e-999999 0x1p99999\nPOINT \"Q\" nan inf\n",
                   true});
  cases.push_back({"expressions everywhere",
                   kHeader + "STORY \"S\" HEIGHT 1/0\nSTORY \"B\" ELEV 0/0\n"
                             "POINT \"P\" 2P2000 -2P0.5\n",
                   true});
  cases.push_back({"references to nothing",
                   kHeader + "LINE \"B\" BEAM \"P1\" \"P2\" 0\n"
                             "AREA \"A\" FLOOR 2147483647 \"P1\"\n"
                             "AREA \"A2\" FLOOR -5 \"P1\"\n"
                             "LINEASSIGN \"B\" \"S\" SECTION \"X\"\n"
                             "POINTLOAD \"P\" \"S\" LC \"L\" FX 1\n"
                             "COMBO \"C\" LOADCASE \"NONE\" SF 1\n",
                   true});
  cases.push_back(
      {"many storeys and points",
       kHeader + Repeat("STORY \"S\" HEIGHT 1\n", 2000) + "\n" + Repeat("POINT \"P\" 1 2\n", 2000), true});
  // Bare carriage returns do not end lines: one empty line, so no data line.
  cases.push_back({"carriage returns only", kHeader + std::string(10000, '\r'), false});
  cases.push_back(
      {"carriage returns in data lines", kHeader + "UNITS\rKN\rM\r\n" + std::string(1000, '\r'), true});
  return cases;
}

TEST(MalformedText, ReadsOrRefusesWithinBoundedMemoryAndStaysWritable) {
  TempDir folder;
  const std::string path = folder.File("input.e2k");
  MessageCapture messages;
  for (const TextCase& c : TextCases()) {
    SCOPED_TRACE(c.what);
    WriteBytes(path, std::vector<uint8_t>(c.text.begin(), c.text.end()));
    CBuildingModule module;
    bool opened = false;
    int64_t peak = 0;
    {
      AllocationScope scope;
      ZAdapterEtabs8 adapter;
      adapter.SetBuildingModule(&module);
      CString p(path);
      opened = adapter.ReadFile(p);
      peak = scope.PeakBytes();
    }
    EXPECT_EQ(opened, c.opens);
    EXPECT_LE(peak, kHeapPerTextByte * static_cast<int64_t>(c.text.size()) + kFixedAllowance)
        << c.text.size() << " bytes";
    ExpectWritable(module, folder);
  }
}

TEST(MalformedText, RefusedFilesLeaveTheModelUnchanged) {
  TempDir folder;
  CBuildingModule module;
  const std::vector<uint8_t> before = ArchiveOf(module, folder);
  MessageCapture messages;
  {
    ZAdapterEtabs8 adapter;
    CString missing(folder.File("missing.e2k"));
    EXPECT_FALSE(adapter.ReadFile(missing));  // no module set
    adapter.SetBuildingModule(&module);
    EXPECT_FALSE(adapter.ReadFile(missing));
    CString folderPath(folder.path().string());
    EXPECT_FALSE(adapter.ReadFile(folderPath));
  }
  EXPECT_EQ(ArchiveOf(module, folder), before);
  EXPECT_EQ(messages.count(), 0u);
}

TEST(MalformedText, EveryPrefixOfAWrittenFileReadsOrRefuses) {
  // A file cut anywhere (a write that stopped, a copy that broke off) reads
  // as the blocks before the cut or is refused; the result stays writable.
  TempDir folder;
  const std::string text =
      kHeader +
      "PROGRAM \"ETABS\" VERSION \"8.48\"\n\nUNITS \"KN\" \"M\"\n\n"
      "STORY \"S1\" HEIGHT 3\nSTORY \"BASE\" ELEV 0\n\n"
      "MATERIAL \"C\" M 2.4 W 23.5 TYPE \"ISOTROPIC\" E 2.5e7 U 0.2 A 1e-5\n"
      "MATERIAL \"C\" DESIGNTYPE \"CONCRETE\" FY 4e5 FC 3e4 FYS 4e5\n\n"
      "FRAMESECTION \"B\" MATERIAL \"C\" SHAPE \"Rectangular\" D 0.5 B 0.3\n\n"
      "POINT \"P1\" 0 0\nPOINT \"P2\" 6 0\n\n"
      "LINE \"B1\" BEAM \"P1\" \"P2\" 0\nLINE \"C1\" COLUMN \"P1\" \"P1\" 1\n\n"
      "POINTASSIGN \"P1\" \"BASE\" RESTRAINT \"UX UY UZ RX RY RZ\"\n\n"
      "LINEASSIGN \"B1\" \"S1\" SECTION \"B\"\nLINEASSIGN \"C1\" \"S1\" SECTION \"B\"\n\n"
      "LOADCASE \"DEAD\" TYPE \"DEAD\" SELFWEIGHT 1\n\n"
      "LINELOAD \"B1\" \"S1\" TYPE \"UNIFF\" DIR \"GRAV\" LC \"DEAD\" FVAL 5\n\n"
      "COMBO \"C1\" TYPE \"ADD\"\nCOMBO \"C1\" LOADCASE \"DEAD\" SF 1.2\n";
  const std::string path = folder.File("prefix.e2k");
  MessageCapture messages;
  for (size_t length = 0; length <= text.size(); ++length) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length)));
    CBuildingModule module;
    {
      ZAdapterEtabs8 adapter;
      adapter.SetBuildingModule(&module);
      CString p(path);
      (void)adapter.ReadFile(p);
    }
    ASSERT_EQ(module.GenerateETABS8TxtFile(CString(folder.File("out.e2k"))), 1) << length;
    ASSERT_TRUE(module.ReadSaveFile(CString(folder.File("out.bma")), 0)) << length;
  }
}

}  // namespace
}  // namespace bm::test
