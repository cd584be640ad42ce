// Shell elements (slabs, walls) and their lists.
#include "model/geometry/BMShellElement.h"

#include <memory>

#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "platform/Transfer.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

void CBMAreaMass::Serialize(CArchive& /*ar*/) {}
void CBMAreaModifier::Serialize(CArchive& /*ar*/) {}
void CBMAreaSpring::Serialize(CArchive& /*ar*/) {}

namespace {
// Two referenced objects have the same name; a missing object matches only a
// missing one.
bool SameName(const CBMComponent* a, const CBMComponent* b) {
  if (!a || !b) return a == b;
  return a->name() == b->name();
}
}  // namespace

// ---------------------------------------------------------------------------
// CBMShellElement

BM_IMPLEMENT_SERIAL(CBMShellElement, CBMComponent, 1)

CBMShellElement::CBMShellElement() = default;

CBMShellElement::~CBMShellElement() {
  delete pAreaModifier;
  delete pAreaSpring;
  delete pAreaMass;
  SlabLoadList.DeleteAll();
  // The area and the section are not owned.
}

CBMComponentList* CBMShellElement::get_SlabLoadList() { return SlabLoadList.get(); }

void CBMShellElement::set_pShellSection(CBMWallSlabDeckSection* s) {
  pShellSection = s;
  ShellSectionId = s ? s->get_Id() : -1;
}

int CBMShellElement::get_VertexCount() const { return pArea ? pArea->GetCount() : 0; }

CBMPoint* CBMShellElement::get_pPoint(int i) const { return pArea ? pArea->GetPoint(i) : nullptr; }

CString CBMShellElement::GetType() const { return pArea ? pArea->GetAreaType() : CString(); }

CBMAreaLoad* CBMShellElement::AddAreaLoad(CString lc, CString type, CString dir, double value) {
  CBMAreaLoad* load = SlabLoadList.Adopt(std::make_unique<CBMAreaLoad>());
  load->set_Lc(std::move(lc));
  load->set_sDir(std::move(dir));
  load->set_sType(std::move(type));
  load->set_Value(value);
  return load;
}

bool CBMShellElement::IsSameOf(CBMShellElement* other) {
  if (!other) return false;
  return SameName(pShellSection, other->pShellSection) && SameName(pArea, other->pArea);
}

void CBMShellElement::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, ShellSectionId, reservedDouble_, MeshOption, reservedInt_, SlabLoadList);
}

// ---------------------------------------------------------------------------
// CBMSlab

BM_IMPLEMENT_SERIAL(CBMSlab, CBMShellElement, 1)

CBMSlab::CBMSlab() { ObjectType = BM_SLAB; }
CBMSlab::~CBMSlab() = default;

void CBMSlab::SetDiaphragm(CBMDiaphragm* d) {
  pDiaphragm = d;
  DiaphragmName = d ? d->get_Name() : CString();
}

void CBMSlab::Serialize(CArchive& ar) {
  CBMShellElement::Serialize(ar);
  // The stored diaphragm name is that of the attached diaphragm.
  if (ar.IsStoring() && pDiaphragm) DiaphragmName = pDiaphragm->get_Name();
  bm::Transfer(ar, DiaphragmName);
}

// ---------------------------------------------------------------------------
// CBMWall

BM_IMPLEMENT_SERIAL(CBMWall, CBMShellElement, 1)

CBMWall::CBMWall() { ObjectType = BM_WALL; }

CBMWall::~CBMWall() {
  LineLoadList.DeleteAll();
  ForceList.DeleteAll();
}

void CBMWall::set_pPierSpandrel(CBMPierSpandrel* p) {
  pPierSpandrel = p;
  PierName = p ? p->get_Name() : CString();
}

CBMPoint* CBMWall::GetP1() const { return get_pPoint(1); }
CBMPoint* CBMWall::GetP2() const { return get_pPoint(2); }

double CBMWall::get_Distance() const { return bm::PlanDistance(GetP1(), GetP2()); }

double CBMWall::GetThichness() const {
  const CBMWallSlabDeckSection* section = get_pShellSection();
  return section ? section->get_TB() : 0.0;
}

CBMLineLoad* CBMWall::AddLineLoad(CString lc, CString type, CString dir, double rStart, double vStart,
                                  double rEnd, double vEnd) {
  return bm::AppendLineLoad(*LineLoadList.get(), std::move(lc), std::move(type), std::move(dir), rStart,
                            vStart, rEnd, vEnd);
}

CBMLineLoad* CBMWall::GetLineLoadItem(int i) const { return LineLoadList.view().ItemAs<CBMLineLoad>(i); }

void CBMWall::AddForce(CString lc, double location, double f1, double f2, double f3, double f4, double f5,
                       double f6) {
  auto forces = std::make_unique<CBMShellEleIntForces>();
  forces->SetForces(lc, location, f1, f2, f3, f4, f5, f6);
  ForceList.Adopt(std::move(forces));
}

void CBMWall::Serialize(CArchive& ar) {
  CBMShellElement::Serialize(ar);
  // The stored pier name is that of the attached pier.
  if (ar.IsStoring() && pPierSpandrel) PierName = pPierSpandrel->get_Name();
  bm::Transfer(ar, reservedString_, PierName, ForceList);
}

// ---------------------------------------------------------------------------
// Slab and wall lists

BM_IMPLEMENT_SERIAL(CBMSlabList, CBMComponentList, 1)
bool CBMSlabList::IsExist(CBMShellElement* s) const { return HasSameOf(s); }

BM_IMPLEMENT_SERIAL(CBMWallList, CBMComponentList, 1)
bool CBMWallList::IsExist(CBMShellElement* s) const { return HasSameOf(s); }

CBMWall* CBMWallList::GetItemByPierName(CString& name) const {
  for (CBMWall& wall : Members<CBMWall>()) {
    if (wall.get_PierName().CompareNoCase(name) == 0) return &wall;
  }
  return nullptr;
}
