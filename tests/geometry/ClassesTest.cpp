// Run-time classes of the geometry: registration, dynamic creation, and the
// classes that report their base's class.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(GeometryClasses, RegisteredClassesCreateThemselves) {
  const char* names[] = {"CBMLevel",
                         "CBMLevelList",
                         "CBMGrid",
                         "CBMGridList",
                         "CBMPoint",
                         "CBMPointList",
                         "CBMJoint",
                         "CBMJointList",
                         "CBMJointRestraint",
                         "CBMJointSpring",
                         "CBMLine",
                         "CBMLineList",
                         "CBMLineElement",
                         "CBMBeam",
                         "CBMColumn",
                         "CBMBrace",
                         "CBMLineRelease",
                         "CBMBeamList",
                         "CBMColumnList",
                         "CBMBraceList",
                         "CBMArea",
                         "CBMAreaList",
                         "CBMShellElement",
                         "CBMSlab",
                         "CBMWall",
                         "CBMSlabList",
                         "CBMWallList",
                         "CBMDiaphragm",
                         "CBMLevelDiaphragm",
                         "CBMDiaphragmList",
                         "CBMLevelDiaphragmList"};
  for (const char* name : names) {
    const CRuntimeClass* cls = CRuntimeClass::FromName(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(cls->m_wSchema, 1u) << name;
    std::unique_ptr<CObject> object(cls->CreateObject());
    ASSERT_NE(object, nullptr) << name;
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, name);
  }
}

TEST(GeometryClasses, LegacyClassRecordsAndObjectTypes) {
  // Legacy: the level's class names CObject as its base.
  CBMLevel level;
  EXPECT_FALSE(level.IsKindOf(RUNTIME_CLASS(CBMComponent)));
  CBMSlab slab;
  EXPECT_TRUE(slab.IsKindOf(RUNTIME_CLASS(CBMShellElement)));

  CBMRigidZone zone;
  CBMJointMass mass;
  CBMJointPannelZone panel;
  CBMAreaMass areaMass;
  CBMAreaModifier modifier;
  CBMAreaSpring spring;
  CBMLevelDiaphragmModes modes;
  for (const CObject* o :
       std::initializer_list<const CObject*>{&zone, &mass, &panel, &areaMass, &modifier, &spring, &modes}) {
    EXPECT_STREQ(o->GetRuntimeClass()->m_lpszClassName, "CBMComponent");
  }

  EXPECT_EQ(CBMBeam().get_ObjectType(), BM_BEAM);
  EXPECT_EQ(CBMColumn().get_ObjectType(), BM_COLUMN);
  EXPECT_EQ(CBMBrace().get_ObjectType(), BM_BRACE);
  EXPECT_EQ(CBMWall().get_ObjectType(), BM_WALL);
  EXPECT_EQ(CBMLineElement().get_ObjectType(), BM_NONE);

  CBMGridList grids;
  EXPECT_EQ(grids.get_CoordSystem(), "GLOBAL");
  EXPECT_EQ(grids.get_GridType(), "CARTESIAN");
  EXPECT_EQ(grids.get_BubbleSize(), 1.2);
  grids.Add(new CBMGrid);
  grids.DeleteAll();  // as the container does; the destructor then frees nothing twice
  grids.Add(new CBMGrid);
}

TEST(GeometryClasses, EmptyRecordsWriteNothing) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CBMJointSpring().Serialize(ar);
    CBMRigidZone().Serialize(ar);
    CBMAreaMass().Serialize(ar);
    CBMJointMass().Serialize(ar);
    ar.Close();
  }
  EXPECT_TRUE(file.Data().empty());
}

}  // namespace
