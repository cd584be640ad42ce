// Helpers of the reader's handler tests: read a text into a new module and
// find what the handlers made.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/Files.h"

namespace bm::test {

// A module filled by reading `body` after the written header lines.
struct ReadModel {
  std::unique_ptr<CBuildingModule> module = std::make_unique<CBuildingModule>();
  ZAdapterEtabs8 adapter;
  bool ok = false;

  CBMMgrGeometry* geo() { return module->get_pMgrGeometry(); }
  const ReadReport& report() const { return adapter.GetReadReport(); }

  CBMLevel* Level(const char* name) {
    return dynamic_cast<CBMLevel*>(geo()->get_pLevelList()->GetItem(CString(name)));
  }
  CBMLevel* LevelAt(int i) { return dynamic_cast<CBMLevel*>(geo()->get_pLevelList()->GetItem(i)); }
  CBMPoint* Point(const char* name) {
    return dynamic_cast<CBMPoint*>(geo()->get_pPointList()->GetItem(CString(name)));
  }
  CBMLine* Line(const char* name) {
    return dynamic_cast<CBMLine*>(geo()->get_pLineList()->GetItem(CString(name)));
  }
  CBMArea* Area(const char* name) {
    return dynamic_cast<CBMArea*>(geo()->get_pAreaList()->GetItem(CString(name)));
  }
  CBMJoint* Joint(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? dynamic_cast<CBMJoint*>(l->get_theCBMJointList()->GetItem(CString(name))) : nullptr;
  }
  template <typename T>
  T* Member(CBMComponentList* list, const char* name) {
    return list ? dynamic_cast<T*>(list->GetItem(CString(name))) : nullptr;
  }
  CBMBeam* Beam(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? Member<CBMBeam>(l->get_theCBMBeamList(), name) : nullptr;
  }
  CBMColumn* Column(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? Member<CBMColumn>(l->get_theCBMColumnList(), name) : nullptr;
  }
  CBMBrace* Brace(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? Member<CBMBrace>(l->get_theCBMBraceList(), name) : nullptr;
  }
  CBMSlab* Slab(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? Member<CBMSlab>(l->get_theCBMSlabList(), name) : nullptr;
  }
  CBMWall* Wall(const char* level, const char* name) {
    CBMLevel* l = Level(level);
    return l ? Member<CBMWall>(l->get_theCBMWallList(), name) : nullptr;
  }
};

// The written header: a saved-by comment and an empty line.
inline std::string WithHeader(const std::string& body) { return "$  File saved by Vorlan \n\n" + body; }

// Reads WithHeader(body) into `model` (its module may already hold data).
inline void ReadInto(ReadModel& model, const std::string& body) {
  TempDir dir;
  CString path = dir.Write("model.e2k", WithHeader(body)).c_str();
  model.adapter.SetBuildingModule(model.module.get());
  model.ok = model.adapter.ReadFile(path);
}

inline std::unique_ptr<ReadModel> Read(const std::string& body) {
  auto model = std::make_unique<ReadModel>();
  ReadInto(*model, body);
  EXPECT_TRUE(model->ok);
  return model;
}

// `body` after a later file's PROGRAM line of `version` and its UNITS line.
inline std::string Later(const std::string& body, const char* version = "20.2.0",
                         const char* units = "\"KN\"  \"M\"  \"C\"") {
  return std::string("$ PROGRAM INFORMATION\n  PROGRAM  \"ETABS\"  VERSION \"") + version +
         "\"\n\n  UNITS  " + units + "\n\n" + body;
}

// Reads `body` as the file's own model (no processing passes) into `model`.
inline std::unique_ptr<ReadModel> ReadOwn(const std::string& body,
                                          std::unique_ptr<ReadModel> model = std::make_unique<ReadModel>()) {
  model->adapter.SetProcessGeometry(false);
  ReadInto(*model, body);
  EXPECT_TRUE(model->ok);
  return model;
}

// Reads the file at `path` (no header added) as the file's own model.
inline std::unique_ptr<ReadModel> ReadPath(const std::string& path) {
  auto model = std::make_unique<ReadModel>();
  model->adapter.SetBuildingModule(model->module.get());
  model->adapter.SetProcessGeometry(false);
  CString p = path.c_str();
  model->ok = model->adapter.ReadFile(p);
  EXPECT_TRUE(model->ok) << path;
  return model;
}

// Writes `model` as version 8 text to `path` and reads that back.
inline std::unique_ptr<ReadModel> ThroughVersion8(ReadModel& model, const std::string& path) {
  EXPECT_EQ(model.module->GenerateETABS8TxtFile(path.c_str()), 1);
  return ReadPath(path);
}

// Storeys BASE (elevation 0), STORY1 and STORY2 (height 3) and plan points
// 1 (0,0), 2 (6,0), 3 (6,5), 4 (0,5), as a prefix for assignment tests.
inline std::string Frame() {
  return " STORY \"STORY2\"  HEIGHT 3.000000 \n"
         " STORY \"STORY1\"  HEIGHT 3.200000 \n"
         " STORY \"BASE\"  ELEV 0.000000 \n\n"
         "POINT \"1\"  0 0 \nPOINT \"2\"  6 0 \nPOINT \"3\"  6 5 \nPOINT \"4\"  0 5 \n\n";
}

// Storeys, points 1 to 4, a beam, a column and a brace line, a slab and a
// wall, placed on STORY1 by a version 8 file.
inline std::string Version8Frame() {
  return Frame() +
         " MATERIAL \"S\" M 1\n\nFRAMESECTION  \"W\"  MATERIAL \"S\"  SHAPE \"Circle\" D 1\n\n"
         " SHELLPROP \"SL\" PROPTYPE \"SLAB\"\n SHELLPROP \"WL\" PROPTYPE \"WALL\"\n\n"
         " LINE  \"B1\"  BEAM  \"1\"  \"2\"  0\n LINE  \"C1\"  COLUMN  \"3\"  \"3\"  1\n"
         " LINE  \"BR\"  BRACE  \"1\"  \"3\"  1\n\nAREA \"F1\"  FLOOR  4 \"1\" \"2\" \"3\" \"4\" 0 0 0 0\n"
         "AREA \"W1\"  PANEL  4 \"1\" \"2\" \"2\" \"1\" 1 1 0 0\n\n"
         " POINTASSIGN  \"1\"  \"STORY1\" RESTRAINT \"UX\"\n\n LINEASSIGN  \"B1\"  \"STORY1\" SECTION \"W\"  "
         "ANG 0\n"
         " LINEASSIGN  \"C1\"  \"STORY1\" SECTION \"W\"  ANG 0\n\n"
         " AREAASSIGN    \"F1\"  \"STORY1\"  SECTION \"SL\"  OBJMESHTYPE \"DEFAULT\"\n"
         " AREAASSIGN    \"W1\"  \"STORY1\"  SECTION \"WL\"  OBJMESHTYPE \"DEFAULT\"\n\n";
}

}  // namespace bm::test
