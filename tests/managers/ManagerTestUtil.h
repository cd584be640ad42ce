// Small look-up helpers shared by the manager tests.
#pragma once

#include <gtest/gtest.h>

#include "loads/BMLoadCase.h"
#include "loads/BMMemberLoad.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMPoint.h"
#include "properties/BMPierSpandrel.h"

namespace bm::test {

template <typename T>
T* ItemAt(CBMComponentList* list, int i) {
  return static_cast<T*>(list->GetItem(i));
}

template <typename T>
T* ItemNamed(CBMComponentList* list, const char* name) {
  return static_cast<T*>(list->GetItem(CString(name)));
}

inline CBMLevel* LevelNamed(CBuildingModule& m, const char* name) {
  return ItemNamed<CBMLevel>(m.get_pMgrGeometry()->get_pLevelList(), name);
}

inline CBMJoint* JointNamed(CBMLevel* level, const char* name) {
  return ItemNamed<CBMJoint>(level->get_theCBMJointList(), name);
}

// The first joint load of case `lc` on `joint`; null when there is none.
inline CBMJointLoad* JointLoadOf(CBMJoint* joint, const char* lc) {
  CBMComponentList* loads = joint->get_JointLoadList();
  for (int i = 1; i <= loads->GetCount(); ++i) {
    auto* load = ItemAt<CBMJointLoad>(loads, i);
    if (load->get_Lc() == lc) return load;
  }
  return nullptr;
}

// Whether `joint` lists exactly the object `element` (by identity).
inline int ConnectionCount(CBMJoint* joint, const CBMComponent* element) {
  CBMComponentList& list = joint->get_theConnectList();
  int n = 0;
  for (int i = 1; i <= list.GetCount(); ++i) n += list.GetItem(i) == element ? 1 : 0;
  return n;
}

// A module with levels BASE (0), then storeys of the given heights named
// STORY1, STORY2, ...
inline std::unique_ptr<CBuildingModule> ModuleWithLevels(std::initializer_list<double> heights) {
  auto m = std::make_unique<CBuildingModule>();
  CBMMgrGeometry* g = m->get_pMgrGeometry();
  g->AddLevel("BASE", 0.0, 0.0);
  int k = 1;
  for (double h : heights) g->AddLevel(CString("STORY" + std::to_string(k++)), h, 0.0);
  return m;
}

}  // namespace bm::test
