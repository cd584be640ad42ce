// Rebuilding the links between objects after an archive was loaded: the
// archive stores references as names and ids, never as pointers, and leaves
// out the level diaphragms, the joints' connection lists and the vertex
// joints of slabs and walls.
#include "model/BuildingModule.h"

namespace {

// The member at 1-based position `id` of `list`; null for -1 or any id
// outside 1 to the count.
template <typename T>
T* ById(const CBMComponentList* list, int id) {
  return static_cast<T*>(list->GetItem(id));
}

template <typename T>
T* ByName(const CBMComponentList* list, const CString& name) {
  return static_cast<T*>(list->GetItem(name));
}

template <typename Section>
void AttachMaterials(CBMComponentList* sections, const CBMMaterialList* materials) {
  for (int i = 1; i <= sections->GetCount(); ++i) {
    auto* section = static_cast<Section*>(sections->GetItem(i));
    if (!section || section->get_MaterialName().IsEmpty()) continue;
    // Decision: a name that matches no material leaves the pointer null
    // (set_pMaterial(null) keeps the stored name for a later write).
    section->set_pMaterial(ByName<CBMMaterial>(materials, section->get_MaterialName()));
  }
}

// Links each line element of `elements` to its line, section and end joints,
// and lists it at those joints.
void LinkLineElements(CBMComponentList* elements, CBMJointList* joints, const CBMLineList* lines,
                      const CBMFrameSectionList* sections) {
  for (int i = 1; i <= elements->GetCount(); ++i) {
    auto* element = static_cast<CBMLineElement*>(elements->GetItem(i));
    if (!element) continue;
    const int lineId = element->get_LineId();
    const int sectionId = element->get_FrameSectionId();
    CBMJoint* jointI = ById<CBMJoint>(joints, element->get_JointIId());
    CBMJoint* jointJ = ById<CBMJoint>(joints, element->get_JointJId());
    // Decision: an id that matches no line or section leaves the pointer null
    // and keeps the stored id, so saving again writes it back unchanged (the
    // joint ids are kept the same way by Set_pJoint).
    if (auto* line = ById<CBMLine>(lines, lineId)) element->set_pLine(line);
    if (auto* section = ById<CBMFrameSection>(sections, sectionId)) element->set_pFrameSection(section);
    element->Set_pJoint(jointI, jointJ);
    if (jointI) jointI->AddConnectedElement(element);
    if (jointJ) jointJ->AddConnectedElement(element);
  }
}

// Section, area and vertex joints of a slab or wall; the vertex joints are
// created in the level when missing and list the element.
void LinkShellElement(CBMShellElement* shell, CBMJointList* joints, const CBMAreaList* areas,
                      const CBMWallSlabDeckSectionList* sections) {
  // Decision: an unknown section id is kept for a later save (see
  // LinkLineElements).
  if (auto* section = ById<CBMWallSlabDeckSection>(sections, shell->get_ShellSectionId())) {
    shell->set_pShellSection(section);
  }
  if (!shell->name().IsEmpty()) shell->set_pArea(ByName<CBMArea>(areas, shell->name()));
  CBMArea* area = shell->get_pArea();
  const int vertices = shell->get_VertexCount();
  for (int k = 1; k <= vertices && area; ++k) {
    CBMPoint* point = area->GetPoint(k);
    if (!point) continue;
    CString name = point->get_Name();
    CBMJoint* joint = joints->AddJoint(name);
    joint->set_pPoint(point);
    joint->AddConnectedElement(shell);
  }
}

}  // namespace

void CBuildingModule::CreateTopologyForReading() {
  CBMMgrGeometry* mgr = get_pMgrGeometry();
  CBMPointList* points = mgr->get_pPointList();
  CBMLineList* lines = mgr->get_pLineList();
  CBMAreaList* areas = mgr->get_pAreaList();
  CBMFrameSectionList* frameSections = mgr->get_pFrameSectionList();
  CBMWallSlabDeckSectionList* shellSections = mgr->get_pWallSlabDeckSectionList();
  CBMDiaphragmList* diaphragms = mgr->get_pDiaphragmList();
  CBMPierSpandrelList* piers = mgr->get_pPierSpandrelList();
  CBMLevelList* levels = mgr->get_pLevelList();

  // 1 and 2: materials of frame sections and of wall/slab/deck sections.
  AttachMaterials<CBMFrameSection>(frameSections, mgr->get_pMaterialList());
  AttachMaterials<CBMWallSlabDeckSection>(shellSections, mgr->get_pMaterialList());

  // 3: line end points (also refreshes the stored point ids).
  for (int i = 1; i <= lines->GetCount(); ++i) {
    auto* line = static_cast<CBMLine*>(lines->GetItem(i));
    if (!line) continue;
    line->set_pPoint(ByName<CBMPoint>(points, line->get_P1Name()), ByName<CBMPoint>(points, line->get_P2Name()));
  }

  // 4: area corners, by the stored names; unknown names are skipped.
  for (int i = 1; i <= areas->GetCount(); ++i) {
    auto* area = static_cast<CBMArea*>(areas->GetItem(i));
    if (!area) continue;
    const int stored = area->GetPointNameCount();
    for (int k = 0; k < stored; ++k) {
      if (CBMPoint* point = ByName<CBMPoint>(points, area->GetPointName(k))) area->AddPoint(point);
    }
  }

  // 5: each level's joints, line elements, slabs and walls.
  for (int l = 1; l <= levels->GetCount(); ++l) {
    auto* level = static_cast<CBMLevel*>(levels->GetItem(l));
    if (!level) continue;
    CBMJointList* joints = level->get_theCBMJointList();
    CBMLevelDiaphragmList* levelDiaphragms = level->get_theCBMLevelDiaphragmList();
    for (int j = 1; j <= joints->GetCount(); ++j) {
      auto* joint = static_cast<CBMJoint*>(joints->GetItem(j));
      if (!joint) continue;
      if (CBMPoint* point = ByName<CBMPoint>(points, joint->get_PointName())) joint->set_pPoint(point);
      if (!joint->get_DiaphragmName().IsEmpty()) {
        CString name = joint->get_DiaphragmName();
        CBMLevelDiaphragm* diaphragm = levelDiaphragms->AddDiaphragm(name);
        diaphragm->AddJoint(joint);
        joint->set_pDiaphragm(diaphragm);
      }
    }
    LinkLineElements(level->get_theCBMBeamList(), joints, lines, frameSections);
    LinkLineElements(level->get_theCBMColumnList(), joints, lines, frameSections);
    LinkLineElements(level->get_theCBMBraceList(), joints, lines, frameSections);

    CBMSlabList* slabs = level->get_theCBMSlabList();
    for (int s = 1; s <= slabs->GetCount(); ++s) {
      auto* slab = static_cast<CBMSlab*>(slabs->GetItem(s));
      if (!slab) continue;
      // Decision: an unknown diaphragm or pier name leaves the pointer null
      // and keeps the stored name, so saving again does not lose it.
      if (!slab->get_DiaphragmName().IsEmpty()) {
        if (auto* d = ByName<CBMDiaphragm>(diaphragms, slab->get_DiaphragmName())) slab->SetDiaphragm(d);
      }
      LinkShellElement(slab, joints, areas, shellSections);
    }
    CBMWallList* walls = level->get_theCBMWallList();
    for (int w = 1; w <= walls->GetCount(); ++w) {
      auto* wall = static_cast<CBMWall*>(walls->GetItem(w));
      if (!wall) continue;
      if (!wall->get_PierName().IsEmpty()) {
        if (auto* p = ByName<CBMPierSpandrel>(piers, wall->get_PierName())) wall->set_pPierSpandrel(p);
      }
      LinkShellElement(wall, joints, areas, shellSections);
    }
  }
}
