// Round trips with the writer: the test building written, read and written
// again keeps its structure, and a second read and write gives the same text.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "reader/AdapterTestUtil.h"
#include "support/TestBuilding.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Lines of `text` that start with `prefix` and contain `part`.
int CountLines(const std::string& text, const std::string& prefix, const std::string& part = "") {
  int n = 0;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string line = text.substr(begin, end - begin);
    if (line.rfind(prefix, 0) == 0 && line.find(part) != std::string::npos) ++n;
    begin = end;
  }
  return n;
}

std::unique_ptr<CBuildingModule> ReadBack(const std::string& path, bm::ReadReport* report = nullptr) {
  auto module = std::make_unique<CBuildingModule>();
  ZAdapterEtabs8 adapter;
  adapter.SetBuildingModule(module.get());
  CString p = path.c_str();
  EXPECT_TRUE(adapter.ReadFile(p));
  if (report) *report = adapter.GetReadReport();
  return module;
}

int MemberCount(CBuildingModule& module, CBMComponentList* (*list)(CBMLevel*)) {
  int n = 0;
  CBMLevelList* levels = module.get_pMgrGeometry()->get_pLevelList();
  for (int i = 1; i <= levels->GetCount(); ++i)
    n += list(static_cast<CBMLevel*>(levels->GetItem(i)))->GetCount();
  return n;
}

CBMComponentList* Beams(CBMLevel* l) { return l->get_theCBMBeamList(); }
CBMComponentList* Columns(CBMLevel* l) { return l->get_theCBMColumnList(); }
CBMComponentList* Braces(CBMLevel* l) { return l->get_theCBMBraceList(); }
CBMComponentList* Walls(CBMLevel* l) { return l->get_theCBMWallList(); }
CBMComponentList* Slabs(CBMLevel* l) { return l->get_theCBMSlabList(); }
CBMComponentList* Joints(CBMLevel* l) { return l->get_theCBMJointList(); }

TEST(ReaderRoundTrip, TestBuildingKeepsItsStructureAndReachesAFixpoint) {
  std::unique_ptr<CBuildingModule> original = bm::test::BuildTestBuilding();
  bm::test::TempDir dir;
  const std::string first = dir.File("first.e2k");
  ASSERT_EQ(original->GenerateETABS8TxtFile(first.c_str()), 1);

  bm::ReadReport report;
  std::unique_ptr<CBuildingModule> read = ReadBack(first, &report);
  CBMMgrGeometry* a = original->get_pMgrGeometry();
  CBMMgrGeometry* b = read->get_pMgrGeometry();
  EXPECT_EQ(b->get_pLevelList()->GetCount(), a->get_pLevelList()->GetCount());
  EXPECT_EQ(b->get_pPointList()->GetCount(), a->get_pPointList()->GetCount());
  EXPECT_EQ(b->get_pLineList()->GetCount(), a->get_pLineList()->GetCount());
  EXPECT_EQ(b->get_pAreaList()->GetCount(), a->get_pAreaList()->GetCount());
  EXPECT_EQ(b->get_pMaterialList()->GetCount(), a->get_pMaterialList()->GetCount());
  EXPECT_EQ(b->get_pFrameSectionList()->GetCount(), a->get_pFrameSectionList()->GetCount());
  EXPECT_EQ(b->get_pWallSlabDeckSectionList()->GetCount(), a->get_pWallSlabDeckSectionList()->GetCount());
  EXPECT_EQ(b->get_pDiaphragmList()->GetCount(), a->get_pDiaphragmList()->GetCount());
  EXPECT_EQ(b->GetLoadCaseList()->GetCount(), a->GetLoadCaseList()->GetCount());
  for (auto list : {Beams, Columns, Braces, Walls, Slabs, Joints}) {
    EXPECT_EQ(MemberCount(*read, list), MemberCount(*original, list));
  }
  EXPECT_EQ(read->get_pUnitSystem()->get_csForceUnit(), "KN");
  // Assignments and member loads are taken whole: nothing of them is
  // reported. (Of the load cases, the WIND "USER" heading line is.)
  for (const char* keyword :
       {"POINTASSIGN", "LINEASSIGN", "AREAASSIGN", "POINTLOAD", "LINELOAD", "AREALOAD"}) {
    EXPECT_EQ(report.GetKeyword(keyword), 0) << keyword;
  }

  // The second text is the first, byte for byte: area loads and
  // concentrated (POINTF) line loads included.
  const std::string second = dir.File("second.e2k");
  ASSERT_EQ(read->GenerateETABS8TxtFile(second.c_str()), 1);
  const std::string firstText = Slurp(first);
  EXPECT_GT(CountLines(firstText, " AREALOAD "), 0);
  EXPECT_GT(CountLines(firstText, " LINELOAD ", "\"POINTF\""), 0);
  EXPECT_EQ(firstText, Slurp(second));
  std::unique_ptr<CBuildingModule> again = ReadBack(second);
  const std::string third = dir.File("third.e2k");
  ASSERT_EQ(again->GenerateETABS8TxtFile(third.c_str()), 1);
  EXPECT_EQ(Slurp(second), Slurp(third));
}

}  // namespace
