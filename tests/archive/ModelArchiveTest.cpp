// The building model archive: whole-model layout, round trips through files,
// the rebuild of links after loading, and failures.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/MessageCapture.h"
#include "support/TestBuilding.h"

namespace {

using bm::test::ByteBuilder;
namespace fs = std::filesystem;

class ModelArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("bm_archive_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  CString Path(const char* name) const { return CString((dir_ / name).string()); }
  static std::vector<uint8_t> Bytes(const CString& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const CString& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  fs::path dir_;
};

CBMLevel* AddLevel(CBuildingModule& module, const char* name) {
  auto* level = new CBMLevel;
  level->set_Name(name);
  module.get_pMgrGeometry()->get_pLevelList()->Add(level);
  return level;
}

CBMPoint* AddPoint(CBuildingModule& module, const char* name, double x, double y) {
  CString n(name);
  return module.get_pMgrGeometry()->get_pPointList()->AddPoint(n, x, y);
}

CBMJoint* AddJoint(CBMLevel* level, CBMPoint* point) {
  CString name = point->get_Name();
  CBMJoint* joint = level->get_theCBMJointList()->AddJoint(name);
  joint->set_pPoint(point);
  return joint;
}

TEST_F(ModelArchive, OneLevelWithOneColumnHasTheNestedLayout) {
  CBuildingModule module;
  module.SetUnits("KN", "M");
  CBMLevel* level = AddLevel(module, "STORY1");
  level->set_Height(3.0);
  level->set_EleHeight(4.0);
  CString columnName("C1");
  CBMColumn* column = level->get_theCBMColumnList()->AddColumn(columnName);

  ByteBuilder expected;
  expected.Str("KN").Str("M");
  for (int list = 1; list <= 9; ++list) expected.I32(0);
  expected.I32(1).Class("CBMLevel").I32(1).Str("STORY1").F64(4.0).F64(3.0);
  expected.I32(0);                                                         // joints
  expected.I32(0);                                                         // beams
  expected.I32(1).Class("CBMColumn").Raw(bm::test::StoreObject(*column));  // columns
  for (int block = 0; block < 5; ++block) expected.I32(0);  // braces, slabs, walls, drifts, shears
  expected.I32(0).I32(0);                                   // load cases, combinations
  EXPECT_EQ(bm::test::StoreObject(module), expected.bytes());
}

TEST_F(ModelArchive, LoadingRebuildsJointsDiaphragmsAndConnections) {
  const CString path = Path("two-joints.bma");
  {
    CBuildingModule module;
    CBMLevel* level = AddLevel(module, "L1");
    CBMJoint* a = AddJoint(level, AddPoint(module, "1", 0, 0));
    CBMJoint* b = AddJoint(level, AddPoint(module, "2", 4, 0));
    CString dname("D1");
    CBMLevelDiaphragm* d = level->get_theCBMLevelDiaphragmList()->AddDiaphragm(dname);
    d->AddJoint(a);
    d->AddJoint(b);
    a->set_pDiaphragm(d);
    b->set_pDiaphragm(d);
    CString beamName("B1");
    CBMBeam* beam = level->get_theCBMBeamList()->AddBeam(beamName);
    beam->Set_pJoint(a, b);
    ASSERT_TRUE(module.ReadSaveFile(path, 0));
  }
  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile(path, 1));
  auto* level = static_cast<CBMLevel*>(loaded.get_pMgrGeometry()->get_pLevelList()->GetItem(1));
  ASSERT_NE(level, nullptr);
  CBMLevelDiaphragmList* diaphragms = level->get_theCBMLevelDiaphragmList();
  ASSERT_EQ(diaphragms->GetCount(), 1);
  auto* d = static_cast<CBMLevelDiaphragm*>(diaphragms->GetItem(1));
  auto* a = static_cast<CBMJoint*>(level->get_theCBMJointList()->GetItem(1));
  auto* b = static_cast<CBMJoint*>(level->get_theCBMJointList()->GetItem(2));
  auto* beam = static_cast<CBMBeam*>(level->get_theCBMBeamList()->GetItem(1));
  ASSERT_TRUE(a && b && beam);
  EXPECT_EQ(a->get_pDiaphragm(), d);
  EXPECT_EQ(b->get_pDiaphragm(), d);
  EXPECT_EQ(a->get_pPoint(), loaded.get_pMgrGeometry()->get_pPointList()->GetItem(1));
  EXPECT_EQ(beam->get_pJointI(), a);
  EXPECT_EQ(beam->get_pJointJ(), b);
  ASSERT_EQ(a->get_theConnectList().GetCount(), 1);
  EXPECT_EQ(a->get_theConnectList().GetItem(1), beam);
  EXPECT_EQ(b->get_theConnectList().GetItem(1), beam);
  EXPECT_EQ(loaded.get_pMgrGeometry()->GetNearLevelDiaphragm(CString("L1"), 1, 1), d);
  EXPECT_DOUBLE_EQ(d->Get_CX(), 2.0);
}

TEST_F(ModelArchive, SlabCornersBecomeJointsAndUnknownReferencesStayNull) {
  const CString path = Path("slab.bma");
  {
    CBuildingModule module;
    CBMLevel* level = AddLevel(module, "L1");
    CBMPoint* p[4] = {AddPoint(module, "1", 0, 0), AddPoint(module, "2", 1, 0), AddPoint(module, "3", 1, 1),
                      AddPoint(module, "4", 0, 1)};
    CString areaName("S1");
    CBMArea* area = module.get_pMgrGeometry()->get_pAreaList()->AddArea(areaName);
    for (CBMPoint* point : p) area->AddPoint(point);
    CString slabName("S1");
    level->get_theCBMSlabList()->AddSlab(slabName);
    AddJoint(level, p[0]);  // one corner joint exists already
    // A line whose second point is not in the point list.
    CBMPoint stray(9, 9, 0, false);
    stray.set_Name("GHOST");
    CString lineName("L1");
    CBMLine* line = module.get_pMgrGeometry()->get_pLineList()->AddLine(lineName);
    line->set_pPoint(p[0], &stray);
    CString sectionName("NOMAT");
    module.get_pMgrGeometry()->get_pFrameSectionList()->AddFrameSection(sectionName, CString("RECTANGULAR"));
    ASSERT_TRUE(module.ReadSaveFile(path, 0));
  }
  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile(path, 1));
  auto* level = static_cast<CBMLevel*>(loaded.get_pMgrGeometry()->get_pLevelList()->GetItem(1));
  auto* slab = static_cast<CBMSlab*>(level->get_theCBMSlabList()->GetItem(1));
  ASSERT_NE(slab->get_pArea(), nullptr);
  EXPECT_EQ(slab->get_VertexCount(), 4);
  CBMJointList* joints = level->get_theCBMJointList();
  ASSERT_EQ(joints->GetCount(), 4);
  for (int i = 1; i <= 4; ++i) {
    auto* joint = static_cast<CBMJoint*>(joints->GetItem(i));
    EXPECT_NE(joint->get_pPoint(), nullptr);
    ASSERT_EQ(joint->get_theConnectList().GetCount(), 1);
    EXPECT_EQ(joint->get_theConnectList().GetItem(1), slab);
  }
  auto* line = static_cast<CBMLine*>(loaded.get_pMgrGeometry()->get_pLineList()->GetItem(1));
  EXPECT_NE(line->get_pP1(), nullptr);
  EXPECT_EQ(line->get_pP2(), nullptr);
  EXPECT_EQ(line->get_P2Name(), "GHOST");
  auto* section =
      static_cast<CBMFrameSection*>(loaded.get_pMgrGeometry()->get_pFrameSectionList()->GetItem(1));
  EXPECT_EQ(section->get_pMaterial(), nullptr);
}

TEST_F(ModelArchive, UnresolvedReferenceIdsSurviveALoadAndSave) {
  const CString first = Path("dangling.bma"), second = Path("again.bma");
  // Objects outside the model's lists give the saved elements ids that point
  // past the lists (3 frame sections, no line, no shell section).
  CBMLine strayLine;
  strayLine.set_Id(99);
  CBMFrameSection straySection;
  straySection.set_Id(77);
  CBMWallSlabDeckSection strayShell;
  strayShell.set_Id(55);
  {
    CBuildingModule module;
    CBMLevel* level = AddLevel(module, "L1");
    for (const char* name : {"F1", "F2", "F3"}) {
      CString n(name);
      module.get_pMgrGeometry()->get_pFrameSectionList()->AddFrameSection(n, CString("RECTANGULAR"));
    }
    CString beamName("B1");
    CBMBeam* beam = level->get_theCBMBeamList()->AddBeam(beamName);
    beam->set_pLine(&strayLine);
    beam->set_pFrameSection(&straySection);
    CString slabName("S1");
    level->get_theCBMSlabList()->AddSlab(slabName)->set_pShellSection(&strayShell);
    ASSERT_TRUE(module.ReadSaveFile(first, 0));
  }
  CBuildingModule loaded;
  ASSERT_TRUE(loaded.ReadSaveFile(first, 1));
  auto* level = static_cast<CBMLevel*>(loaded.get_pMgrGeometry()->get_pLevelList()->GetItem(1));
  auto* beam = static_cast<CBMBeam*>(level->get_theCBMBeamList()->GetItem(1));
  EXPECT_EQ(beam->get_pLine(), nullptr);
  EXPECT_EQ(beam->get_LineId(), 99);
  EXPECT_EQ(beam->get_FrameSectionId(), 77);
  EXPECT_EQ(static_cast<CBMSlab*>(level->get_theCBMSlabList()->GetItem(1))->get_ShellSectionId(), 55);
  ASSERT_TRUE(loaded.ReadSaveFile(second, 0));
  EXPECT_EQ(Bytes(second), Bytes(first));
}

TEST_F(ModelArchive, TestBuildingReachesAFixpointAndKeepsItsLinks) {
  auto original = bm::test::BuildTestBuilding();
  const CString first = Path("a.bma"), second = Path("b.bma"), third = Path("c.bma");
  ASSERT_TRUE(original->ReadSaveFile(first, 0));
  CBuildingModule once;
  ASSERT_TRUE(once.ReadSaveFile(first, 1));
  ASSERT_TRUE(once.ReadSaveFile(second, 0));
  CBuildingModule twice;
  ASSERT_TRUE(twice.ReadSaveFile(second, 1));
  ASSERT_TRUE(twice.ReadSaveFile(third, 0));
  // The first file may differ: a member added to a joint's connection list
  // carries its position there as its id (the managers connect before the
  // save); after loading, ids are positions and the rebuild connects the same
  // way every time.
  EXPECT_EQ(Bytes(second), Bytes(third));

  CBMMgrGeometry* a = original->get_pMgrGeometry();
  CBMMgrGeometry* b = twice.get_pMgrGeometry();
  ASSERT_EQ(a->get_pLevelList()->GetCount(), b->get_pLevelList()->GetCount());
  EXPECT_EQ(a->get_pPointList()->GetCount(), b->get_pPointList()->GetCount());
  EXPECT_EQ(a->get_pLineList()->GetCount(), b->get_pLineList()->GetCount());
  EXPECT_EQ(a->get_pAreaList()->GetCount(), b->get_pAreaList()->GetCount());
  for (int l = 1; l <= b->get_pLevelList()->GetCount(); ++l) {
    auto* la = static_cast<CBMLevel*>(a->get_pLevelList()->GetItem(l));
    auto* lb = static_cast<CBMLevel*>(b->get_pLevelList()->GetItem(l));
    EXPECT_EQ(la->name(), lb->name());
    EXPECT_EQ(la->get_theCBMJointList()->GetCount(), lb->get_theCBMJointList()->GetCount());
    EXPECT_EQ(la->get_theCBMLevelDiaphragmList()->GetCount(), lb->get_theCBMLevelDiaphragmList()->GetCount());
    for (int i = 1; i <= lb->get_theCBMBeamList()->GetCount(); ++i) {
      auto* beam = static_cast<CBMBeam*>(lb->get_theCBMBeamList()->GetItem(i));
      EXPECT_EQ(beam->get_Id(), i);
      ASSERT_NE(beam->get_pLine(), nullptr);
      ASSERT_NE(beam->get_pFrameSection(), nullptr);
      EXPECT_NE(beam->get_pFrameSection()->get_pMaterial(), nullptr);
      // The managers leave end joints unset; the rebuild keeps it so.
      EXPECT_EQ(beam->get_pJointI(), nullptr);
    }
    for (int i = 1; i <= lb->get_theCBMWallList()->GetCount(); ++i) {
      auto* wall = static_cast<CBMWall*>(lb->get_theCBMWallList()->GetItem(i));
      EXPECT_NE(wall->get_pArea(), nullptr);
      EXPECT_NE(wall->get_pShellSection(), nullptr);
      auto* wa = static_cast<CBMWall*>(la->get_theCBMWallList()->GetItem(i));
      EXPECT_EQ(wall->get_pPierSpandrel() != nullptr, wa->get_pPierSpandrel() != nullptr);
    }
    for (int i = 1; i <= lb->get_theCBMSlabList()->GetCount(); ++i) {
      auto* slab = static_cast<CBMSlab*>(lb->get_theCBMSlabList()->GetItem(i));
      auto* sa = static_cast<CBMSlab*>(la->get_theCBMSlabList()->GetItem(i));
      EXPECT_EQ(slab->GetDiaphram() != nullptr, sa->GetDiaphram() != nullptr);
    }
  }
}

TEST_F(ModelArchive, EveryTruncationFailsCleanly) {
  auto model = bm::test::BuildTestBuilding();
  const CString full = Path("full.bma");
  ASSERT_TRUE(model->ReadSaveFile(full, 0));
  const std::vector<uint8_t> bytes = Bytes(full);
  ASSERT_GT(bytes.size(), 100u);
  const CString cut = Path("cut.bma");
  // Every prefix up to 600 bytes, then every 37th: each load ends in endOfFile
  // (badClass when the cut falls inside a class record, whose name is then
  // unknown) and leaves a module that is destroyed cleanly.
  for (size_t n = 0; n < bytes.size(); n += (n < 600 ? 1 : 37)) {
    WriteBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)));
    CBuildingModule module;
    try {
      module.ReadSaveFile(cut, 1);
      ADD_FAILURE() << "prefix of " << n << " bytes loaded";
    } catch (const CArchiveException& e) {
      ASSERT_TRUE(e.m_cause == CArchiveException::endOfFile || e.m_cause == CArchiveException::badClass)
          << n << " cause " << e.m_cause;
    }
  }
}

TEST_F(ModelArchive, CorruptedRecordsRaiseTheirCauses) {
  CBuildingModule module;
  module.SetUnits("KN", "M");
  AddLevel(module, "L1");
  const std::vector<uint8_t> good = bm::test::StoreObject(module);
  // Offsets in the good archive: units (2 + 1 + 1 + 1), nine empty counts,
  // then the level list count and its class record.
  const size_t levelCount = 5 + 9 * 4;
  const size_t schema = levelCount + 4;
  const size_t nameStart = schema + 4;
  struct Case {
    const char* what;
    size_t offset;
    std::vector<uint8_t> replacement;
    int cause;
  };
  const Case cases[] = {
      {"class name", nameStart + 3, {'X'}, CArchiveException::badClass},
      {"schema", schema, {2, 0}, CArchiveException::badSchema},
      {"count", levelCount, {0xFF, 0xFF, 0xFF, 0x7F}, CArchiveException::endOfFile},
      {"string length", 0, {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F}, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bad = good;
    if (c.offset == 0) {
      bad.insert(bad.begin(), c.replacement.begin(), c.replacement.end());
    } else {
      std::copy(c.replacement.begin(), c.replacement.end(), bad.begin() + static_cast<long>(c.offset));
    }
    const CString path = Path("bad.bma");
    WriteBytes(path, bad);
    CBuildingModule loaded;
    try {
      loaded.ReadSaveFile(path, 1);
      ADD_FAILURE() << c.what;
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause) << c.what;
    }
  }
}

TEST_F(ModelArchive, FilesThatCannotBeOpenedGiveFalseWithoutAMessage) {
  bm::test::MessageCapture capture;
  CBuildingModule module;
  EXPECT_FALSE(module.ReadSaveFile(Path("missing.bma"), 1));
  EXPECT_FALSE(module.ReadSaveFile(Path("no/such/folder/x.bma"), 0));
  EXPECT_EQ(capture.count(), 0u);
}

TEST_F(ModelArchive, FullDeviceGivesTheMessageAndFalse) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  bm::test::MessageCapture capture;
  auto model = bm::test::BuildTestBuilding();
  const auto before = bm::test::StoreObject(*model);
  EXPECT_FALSE(model->ReadSaveFile(CString("/dev/full"), 0));
  ASSERT_EQ(capture.count(), 1u);
  EXPECT_EQ(capture.messages()[0], "Wrong in save/read CBuildingModel!");
  EXPECT_EQ(bm::test::StoreObject(*model), before);
}

}  // namespace
