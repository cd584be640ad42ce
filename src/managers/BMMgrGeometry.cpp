// CBMMgrGeometry: adding levels, members, materials, sections and supports.
// The processing passes are in GeometryProcessing.cpp.
#include "managers/BMMgrGeometry.h"

#include <memory>

#include "model/geometry/BMArea.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"
#include "platform/MessageBox.h"
#include "properties/BMFrameSection.h"
#include "properties/BMMaterial.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

// Finds or makes the joint of `level` that stands for `point`, points it at
// the point and lists `element` among its connected members (once).
CBMJoint* ConnectJoint(CBMLevel* level, CBMPoint* point, CBMComponent* element) {
  CString name = point->get_Name();
  CBMJoint* joint = level->get_theCBMJointList()->AddJoint(name);
  joint->set_pPoint(point);
  if (element) joint->AddConnectedElement(element);
  return joint;
}

// Sets a member onto its plan line or area with its section.
void Place(CBMLineElement* member, CBMLine* line, CBMFrameSection* section) {
  member->set_pLine(line);
  member->set_pFrameSection(section);
}
void Place(CBMShellElement* member, CBMArea* area, CBMWallSlabDeckSection* section) {
  member->set_pArea(area);
  member->set_pShellSection(section);
}

// The member of a level's `list` that bears the name of `where` (its plan
// line or area), found or made by `add`, placed on `where` with `section`
// (null when no section has that name).
template <typename List, typename Member, typename Where, typename Section>
Member* MemberOn(List* list, Member* (List::*add)(CString&), Where* where, Section* section) {
  CString whereName = where->get_Name();
  Member* member = (list->*add)(whereName);
  Place(member, where, section);
  return member;
}

// The plan point at (x, y): the first point within the merge tolerance, or a
// new point named with the first free number from count + 1 upward.
// Decision: the legacy took count + 1 even when a point elsewhere already bore
// that name and returned that point, so the new position was lost and, the
// count no longer growing, every later new position fell onto it as well.
CBMPoint* PointAt(CBMPointList* points, double x, double y) {
  if (CBMPoint* near = points->FindPointByCoors(x, y)) return near;
  CString name;
  for (int number = points->GetCount() + 1;; ++number) {
    name.Format("%i", number);
    if (!points->GetItem(name)) break;
  }
  return points->AddPoint(name, x, y);
}

}  // namespace

CBMLevel* CBMMgrGeometry::FindLevel(const CString& name) const {
  if (!pLevelList) return nullptr;
  return pLevelList->ItemAs<CBMLevel>(name);
}

CBMLevel* CBMMgrGeometry::StartAdd(CString& name, CString& level, CString& section) const {
  if (!pContainer) return nullptr;  // not attached to a model
  name.MakeUpper();
  level.MakeUpper();
  section.MakeUpper();
  // Decision: an unknown level makes nothing.
  return FindLevel(level);
}

CBMLine* CBMMgrGeometry::AddTypedLine(CString& name, CBMPoint* p1, CBMPoint* p2, const char* type, int span) {
  CBMLine* line = pLineList->AddLine(name, p1, p2);
  line->SetType(type);
  line->SetPassStoryNum(span);
  return line;
}

CBMArea* CBMMgrGeometry::FindOrAddArea(CString& name, CBMComponentList& sequence, const int* pointTypes,
                                       const char* type) {
  CBMArea* area = pAreaList->FindAreaByPoints(&sequence);
  if (!area) {
    // Decision: corners that match no area make a new area even when one of
    // that name exists; the legacy appended the corners to the area found by
    // name, merging walls and slabs of one name into a single area.
    auto made = std::make_unique<CBMArea>();
    made->set_Name(name);
    area = pAreaList->Adopt(std::move(made));
    for (int i = 1; i <= sequence.GetCount(); ++i) {
      area->AddPoint(sequence.ItemAs<CBMPoint>(i));
      area->AddPointType(pointTypes ? pointTypes[i - 1] : 0);
    }
    area->SetAreaType(type);
  }
  // The sequence only lends the points: emptying it keeps them alive.
  sequence.RemoveAll();
  return area;
}

CBMLevel* CBMMgrGeometry::AddLevel(CString name, double height, double elevation) {
  if (!pContainer) return nullptr;  // not attached to a model
  name.MakeUpper();
  auto level = std::make_unique<CBMLevel>();
  level->set_Name(name);
  level->set_Height(height);
  level->set_EleHeight(elevation);
  // Legacy: no check for an existing level of that name.
  return pLevelList->Adopt(std::move(level));
}

CBMColumn* CBMMgrGeometry::AddColumn(CString name, double x, double y, CString level, CString section) {
  CBMLevel* pLevel = StartAdd(name, level, section);
  if (!pLevel) return nullptr;

  // A point made for a column bears the column's name. Legacy: an existing
  // point of that name is returned whatever its position.
  CBMPoint* point = pPointList->FindPointByCoors(x, y);
  if (!point) point = pPointList->AddPoint(name, x, y);

  CBMLine* line = pLineList->FindLineByPoint(point, point);
  if (!line) line = AddTypedLine(name, point, point, "COLUMN", 1);

  CBMColumn* column = MemberOn(pLevel->get_theCBMColumnList(), &CBMColumnList::AddColumn, line,
                               pFrameSectionList->GetFrameSection(section));
  ConnectJoint(pLevel, point, column);
  return column;
}

CBMBeam* CBMMgrGeometry::AddBeam(CString name, double x1, double y1, double x2, double y2, CString level,
                                 CString section) {
  CBMLevel* pLevel = StartAdd(name, level, section);
  if (!pLevel) return nullptr;

  CBMPoint* p1 = PointAt(pPointList, x1, y1);
  CBMPoint* p2 = PointAt(pPointList, x2, y2);

  CBMLine* line = pLineList->FindLineByPoint(p1, p2);
  if (!line) line = AddTypedLine(name, p1, p2, "BEAM", 0);

  CBMBeam* beam = MemberOn(pLevel->get_theCBMBeamList(), &CBMBeamList::AddBeam, line,
                           pFrameSectionList->GetFrameSection(section));
  ConnectJoint(pLevel, p1, beam);
  ConnectJoint(pLevel, p2, beam);
  return beam;
}

CBMBrace* CBMMgrGeometry::AddBrace(CString name, double x1, double y1, double x2, double y2, CString level,
                                   CString bottomLevel, CString section) {
  // Decision: both levels must exist; otherwise nothing is made.
  CBMLevel* pLevel = StartAdd(name, level, section);
  if (!pLevel) return nullptr;
  bottomLevel.MakeUpper();
  CBMLevel* pBottom = FindLevel(bottomLevel);
  if (!pBottom) return nullptr;

  CBMPoint* p1 = PointAt(pPointList, x1, y1);
  CBMPoint* p2 = PointAt(pPointList, x2, y2);
  CBMLine* found = pLineList->FindLineByPoint(p1, p2);  // never a brace line

  const int span = pLevel->get_Id() - pBottom->get_Id();
  if (span < 0) AfxMessageBox("Inversed level when adding brace!");

  CBMLine* line = found;
  if (!line || line->get_pP1() != p1 || line->GetPassStory() != span) {
    line = AddTypedLine(name, p1, p2, "BRACE", span);
  }

  return MemberOn(pLevel->get_theCBMBraceList(), &CBMBraceList::AddBrace, line,
                  pFrameSectionList->GetFrameSection(section));
}

CBMWall* CBMMgrGeometry::AddWall(CString name, double x1, double y1, double x2, double y2, CString level,
                                 CString section) {
  CBMLevel* pLevel = StartAdd(name, level, section);
  if (!pLevel) return nullptr;

  CBMPoint* p1 = PointAt(pPointList, x1, y1);
  CBMPoint* p2 = PointAt(pPointList, x2, y2);

  // The sequence only lends the points; FindOrAddArea empties it and keeps
  // them alive. Legacy: adding to it renumbers the points' ids, as adding
  // them to an area does.
  CBMComponentList sequence;
  sequence.Add(p1);
  sequence.Add(p2);
  sequence.Add(p2);
  sequence.Add(p1);
  static const int kPanelPointTypes[] = {1, 1, 0, 0};
  CBMArea* area = FindOrAddArea(name, sequence, kPanelPointTypes, "PANEL");

  CBMWall* wall = MemberOn(pLevel->get_theCBMWallList(), &CBMWallList::AddWall, area,
                           pWallSlabDeckSectionList->ItemAs<CBMWallSlabDeckSection>(section));
  ConnectJoint(pLevel, p1, wall);
  ConnectJoint(pLevel, p2, wall);
  return wall;
}

CBMSlab* CBMMgrGeometry::AddSlab(CString name, int n, double* x, double* y, CString level, CString section) {
  // Decision: a slab without vertices is refused (the legacy made an empty
  // "FLOOR" area and a slab on it).
  if (n <= 0 || !x || !y) return nullptr;
  CBMLevel* pLevel = StartAdd(name, level, section);
  if (!pLevel) return nullptr;

  CBMComponentList sequence;
  for (int i = 0; i < n; ++i) sequence.Add(PointAt(pPointList, x[i], y[i]));
  CBMArea* area = FindOrAddArea(name, sequence, nullptr, "FLOOR");

  CBMSlab* slab = MemberOn(pLevel->get_theCBMSlabList(), &CBMSlabList::AddSlab, area,
                           pWallSlabDeckSectionList->ItemAs<CBMWallSlabDeckSection>(section));
  for (int k = 1; k <= slab->get_VertexCount(); ++k) {
    if (CBMPoint* vertex = slab->get_pPoint(k)) ConnectJoint(pLevel, vertex, slab);
  }
  return slab;
}

CBMMaterial* CBMMgrGeometry::AddMaterial(CString name, double M, double W, CString designType, double E,
                                         double U, double A) {
  if (!pContainer) return nullptr;  // not attached to a model
  name.MakeUpper();
  designType.MakeUpper();
  CBMMaterial* material = pMaterialList->AddMaterial(name, M, W, "ISOTROPIC", E, U, A);
  material->set_DesignType(designType);
  if (designType == "STEEL") {
    material->set_FY(248211.3);
    material->set_FU(399896.0);
    material->set_Price(1.0);
  } else if (designType == "CONCRETE") {
    material->set_FY(413685.5);
    material->set_FC(27579.0);
    material->set_FYS(413685.5);
  }
  return material;
}

CBMFrameSection* CBMMgrGeometry::AddFrameSection(CString name, CString shape, CString material) {
  if (!pContainer) return nullptr;  // not attached to a model
  name.MakeUpper();
  shape.MakeUpper();
  material.MakeUpper();
  CBMFrameSection* frameSection = pFrameSectionList->AddFrameSection(name, shape);
  frameSection->set_pMaterial(pMaterialList->GetMaterial(material));
  return frameSection;
}

namespace {

CBMWallSlabDeckSection* AddShellSection(CBMWallSlabDeckSectionList* list, CBMMaterialList* materials,
                                        CString name, CString material, double thickness,
                                        const char* propType) {
  name.MakeUpper();
  material.MakeUpper();
  CBMWallSlabDeckSection* section = list->AddSection();
  section->set_Name(name);
  section->set_pMaterial(materials->GetMaterial(material));
  CString shellType = "SHELL";
  CString plateType = "THIN";
  CString prop = propType;
  section->set_ShellType(shellType);
  section->set_PlateType(plateType);
  section->set_PropType(prop);
  section->set_TB(thickness);
  section->set_TM(thickness);
  return section;
}

}  // namespace

CBMWallSlabDeckSection* CBMMgrGeometry::AddWallSection(CString name, CString material, double thickness) {
  if (!pContainer) return nullptr;  // not attached to a model
  return AddShellSection(pWallSlabDeckSectionList, pMaterialList, name, material, thickness, "WALL");
}

CBMWallSlabDeckSection* CBMMgrGeometry::AddSlabSection(CString name, CString material, double thickness) {
  if (!pContainer) return nullptr;  // not attached to a model
  return AddShellSection(pWallSlabDeckSectionList, pMaterialList, name, material, thickness, "SLAB");
}

CBMJoint* CBMMgrGeometry::RestrainJoint(CBMLevel* level, CBMPoint* point, const int flags[6]) {
  CBMJoint* joint = ConnectJoint(level, point, nullptr);
  // An existing restraint is kept as it is: the flags of this call are ignored.
  if (!joint->get_pRestraint()) {
    CBMJointRestraint* restraint = joint->CreateJointRestraint();
    for (int i = 0; i < 6; ++i) restraint->set_bU(i + 1, flags[i]);
  }
  return joint;
}

CBMJoint* CBMMgrGeometry::AddJointRestrain(CString& level, double x, double y, int U1, int U2, int U3, int R1,
                                           int R2, int R3) {
  if (!pContainer) return nullptr;  // not attached to a model
  // Legacy: the level name is used as given, not upper-cased.
  CBMLevel* pLevel = FindLevel(level);
  if (!pLevel) return nullptr;
  CBMPoint* point = pPointList->FindPointByCoors(x, y);
  if (!point) return nullptr;
  const int flags[6] = {U1, U2, U3, R1, R2, R3};
  return RestrainJoint(pLevel, point, flags);
}

CBMJoint* CBMMgrGeometry::AddJointRestrain(CString& level, CString& pointName, int U1, int U2, int U3, int R1,
                                           int R2, int R3) {
  if (!pContainer) return nullptr;  // not attached to a model
  CBMLevel* pLevel = FindLevel(level);
  if (!pLevel) return nullptr;
  CBMPoint* point = pPointList->ItemAs<CBMPoint>(pointName);
  if (!point) return nullptr;
  const int flags[6] = {U1, U2, U3, R1, R2, R3};
  return RestrainJoint(pLevel, point, flags);
}
