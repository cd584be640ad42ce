// The whole file: golden files, block order, storeys, units, file errors.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "etabs_writer/E2kWriter.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLineElement.h"
#include "platform/Exceptions.h"
#include "properties/BMFrameSection.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"
#include "writer/WriterTestUtil.h"

namespace bm::test {
namespace {

std::string WriteToTemp(CBuildingModule& module, int* result = nullptr) {
  TempDir dir;
  const std::string path = dir.File("model.e2k");
  const int r = module.GenerateETABS8TxtFile(path.c_str());
  if (result) *result = r;
  return ReadWrittenText(path);
}

size_t CountOf(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(WriterFile, EmptyModuleMatchesGolden) {
  CBuildingModule module;
  MessageCapture messages;
  int result = 0;
  const std::string text = WriteToTemp(module, &result);
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(MatchesGolden(text, "empty_module.e2k"));
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_EQ(module.GetLastWriteReport().Total(), 0);
}

TEST(WriterFile, TestBuildingMatchesGolden) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  MessageCapture messages;
  int result = 0;
  const std::string text = WriteToTemp(*module, &result);
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(MatchesGolden(text, "test_building.e2k"));
  EXPECT_EQ(messages.count(), 0u);
  EXPECT_EQ(module->GetLastWriteReport().Total(), 0);
  EXPECT_EQ(module->GetLastWriteReport().lineElementsWithoutSection, 0);
}

TEST(WriterFile, InMemoryTextEqualsFileAndIsIndependentOfChunkSize) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  const std::string fromFile = WriteToTemp(*module);
  EXPECT_EQ(GenerateETABS8Text(*module), fromFile);
  // Tiny chunks: the pieces still join into the same text.
  std::string joined;
  size_t pieces = 0;
  E2kWriter writer(
      *module,
      [&](const std::string& chunk) {
        joined += chunk;
        ++pieces;
      },
      64);
  writer.Write();
  EXPECT_EQ(joined, fromFile);
  EXPECT_GT(pieces, 10u);
}

// A level whose name is stored as given (set_Name would upper-case it).
class RawNamedLevel : public CBMLevel {
 public:
  explicit RawNamedLevel(const char* name) { Name = name; }
};

TEST(WriterFile, StoreysFromTopWithElevationOnlyForBase) {
  CBuildingModule module;
  CBMMgrGeometry* geo = module.get_pMgrGeometry();
  geo->AddLevel("BASE", 0.0, 1.25);
  geo->AddLevel("STORY1", 3.5, 0.0);
  geo->AddLevel("STORY2", 4.0, 0.0);
  // Another letter case is not the base: written with its height.
  RawNamedLevel* other = new RawNamedLevel("Base");
  other->set_Height(2.0);
  other->set_EleHeight(9.0);
  geo->get_pLevelList()->Add(other);
  const std::string text = GenerateETABS8Text(module);
  const std::string expected =
      "$STORIES--IN SEQUENCE FROM TOP\n"
      " STORY \"Base\"  HEIGHT 2.000000 \n"
      " STORY \"STORY2\"  HEIGHT 4.000000 \n"
      " STORY \"STORY1\"  HEIGHT 3.500000 \n"
      " STORY \"BASE\"  ELEV 1.250000 \n"
      "\n"
      "$ DIAPHRAGM NAMES\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text.substr(0, 600);
}

TEST(WriterFile, UnitsAreWrittenAsSet) {
  CBuildingModule module;
  module.SetUnits("KIP", "IN");
  EXPECT_NE(GenerateETABS8Text(module).find("$CONTROLS \n UNITS \"KIP\" \"IN\"\nTITLE1  \"ttl\"\n"),
            std::string::npos);
  module.SetUnits("kn", "");
  EXPECT_NE(GenerateETABS8Text(module).find(" UNITS \"kn\" \"\"\n"), std::string::npos);
}

TEST(WriterFile, FileEndsWithoutLineEnd) {
  CBuildingModule module;
  const std::string text = WriteToTemp(module);
  const std::string tail = "\n END\n$End of Model file!";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(WriterFile, UncreatablePathGivesZeroWithoutMessage) {
  CBuildingModule module;
  MessageCapture messages;
  TempDir dir;
  EXPECT_EQ(module.GenerateETABS8TxtFile(dir.File("no/such/folder/model.e2k").c_str()), 0);
  EXPECT_EQ(module.GenerateETABS8TxtFile(""), 0);
  EXPECT_EQ(messages.count(), 0u);
}

TEST(WriterFile, WriteFailureGivesMessageAndZero) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full not available";
  // Whether the failure shows while a chunk is written or when the file is
  // closed, the result is the message and 0.
  std::unique_ptr<CBuildingModule> building = BuildTestBuilding();
  CBuildingModule empty;
  for (CBuildingModule* m : {building.get(), &empty}) {
    MessageCapture messages;
    EXPECT_EQ(m->GenerateETABS8TxtFile("/dev/full"), 0);
    ASSERT_EQ(messages.count(), 1u);
    EXPECT_EQ(messages.messages()[0], "Wrong in generating BuildingModel!");
  }
}

TEST(WriterFile, SinkErrorStopsWritingAndPassesOn) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  std::string received;
  int calls = 0;
  E2kWriter writer(
      *module,
      [&](const std::string& chunk) {
        if (++calls == 2) throw CFileException(CFileException::diskFull);
        received += chunk;
      },
      1024);
  EXPECT_THROW(writer.Write(), CFileException);
  EXPECT_EQ(calls, 2);
  EXPECT_GE(received.size(), 1024u);
  EXPECT_EQ(received, ReadFile(GoldenPath("test_building.e2k")).substr(0, received.size()));
}

TEST(WriterFile, ExistingFileIsReplaced) {
  TempDir dir;
  const std::string path = dir.File("model.e2k");
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string junk(100000, 'x');
    std::fwrite(junk.data(), 1, junk.size(), f);
    std::fclose(f);
  }
  CBuildingModule module;
  EXPECT_EQ(module.GenerateETABS8TxtFile(path.c_str()), 1);
  EXPECT_EQ(ReadWrittenText(path), ReadFile(GoldenPath("empty_module.e2k")));
}

// The legacy framework wrote the text model in text mode: each line ends in
// CR LF on Windows and in LF elsewhere.
TEST(WriterFile, LinesEndInCrLfOnWindowsOnly) {
  TempDir dir;
  const std::string path = dir.File("model.e2k");
  CBuildingModule module;
  ASSERT_EQ(module.GenerateETABS8TxtFile(path.c_str()), 1);
  std::string expected;
  for (char c : ReadFile(GoldenPath("empty_module.e2k"))) {
#ifdef _WIN32
    if (c == '\n') expected += '\r';
#endif
    expected += c;
  }
  EXPECT_GT(CountOf(expected, "\n"), 10u);
  EXPECT_EQ(ReadFile(path), expected);
}

TEST(WriterFile, NumbersIgnoreTheProcessLocale) {
  // The last one is the Windows C runtime's name.
  const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "German_Germany.1252"};
  const char* set = nullptr;
  for (const char* l : locales) {
    if ((set = std::setlocale(LC_ALL, l))) break;
  }
  if (!set) GTEST_SKIP() << "no comma-decimal locale installed";
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  const std::string text = GenerateETABS8Text(*module);
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(MatchesGolden(text, "test_building.e2k"));
}

TEST(WriterFile, ColumnsAndBracesFollowAllBeamsAndSectionlessMembersAreSkipped) {
  std::unique_ptr<CBuildingModule> module = BuildTestBuilding();
  CBMLevel* story1 = static_cast<CBMLevel*>(module->get_pMgrGeometry()->get_pLevelList()->GetItem(2));
  // A beam without a section on STORY1: no LINEASSIGN line.
  CString name("BX");
  CBMBeam* bare = story1->get_theCBMBeamList()->AddBeam(name);
  bare->set_pLine(static_cast<CBMLineElement*>(story1->get_theCBMBeamList()->GetItem(1))->get_pLine());
  WriteReport report;
  const std::string text = GenerateETABS8Text(*module, &report);
  EXPECT_EQ(text.find(" LINEASSIGN  \"BX\""), std::string::npos);
  EXPECT_EQ(report.lineElementsWithoutSection, 1);
  EXPECT_EQ(report.Total(), 0);
  // Order inside the block: last beam of the top storey before the first
  // column of the first storey, last column before the first brace.
  const size_t lastBeam = text.find(" LINEASSIGN  \"B24\"  \"STORY3\"");
  const size_t firstColumn = text.find(" LINEASSIGN  \"C1\"  \"STORY1\"");
  const size_t lastColumn = text.find(" LINEASSIGN  \"C16\"  \"STORY3\"");
  const size_t firstBrace = text.find(" LINEASSIGN  \"BR2\"  \"STORY1\"");
  const size_t secondBrace = text.find(" LINEASSIGN  \"BR1\"  \"STORY2\"");
  ASSERT_NE(lastBeam, std::string::npos);
  EXPECT_LT(lastBeam, firstColumn);
  EXPECT_LT(firstColumn, lastColumn);
  EXPECT_LT(lastColumn, firstBrace);
  EXPECT_LT(firstBrace, secondBrace);
  EXPECT_EQ(CountOf(text, " LINEASSIGN  "), 3u * (24 + 16) + 2);
}

}  // namespace
}  // namespace bm::test
