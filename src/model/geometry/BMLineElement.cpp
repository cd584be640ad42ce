// Line elements (beams, columns, braces), releases and their lists.
#include "model/geometry/BMLineElement.h"

#include <cmath>
#include <memory>

#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMPoint.h"
#include "platform/Transfer.h"
#include "properties/BMFrameSection.h"

// ---------------------------------------------------------------------------
// CBMLineRelease

BM_IMPLEMENT_SERIAL(CBMLineRelease, CBMComponent, 1)

int CBMLineRelease::get_bRelease(int i) const {
  if (i < 0 || i > 11) return 0;
  return bRelease[i];
}

void CBMLineRelease::set_bRelease(int i, bool v) {
  if (i < 1 || i > 12) return;
  bRelease[i - 1] = v ? 1 : 0;
}

double CBMLineRelease::get_dParFix(int i) const {
  if (i < 0 || i > 11) return 0.0;
  return dParFix[i];
}

void CBMLineRelease::set_dParFix(int i, double v) {
  if (i < 0 || i > 11) return;
  dParFix[i] = v;
}

void CBMLineRelease::SetReleaseInform(int a, int b, int c, int d) {
  // Legacy: a zero `a` leaves entry 5 as it was, while b, c and d are stored
  // whatever their value.
  if (a) bRelease[5] = 1;
  bRelease[4] = b;
  bRelease[11] = c;
  bRelease[10] = d;
}

void CBMLineRelease::Serialize(CArchive& ar) {
  for (int i = 0; i < 12; ++i) bm::Transfer(ar, bRelease[i], dParFix[i]);
}

// ---------------------------------------------------------------------------
// CBMRigidZone

void CBMRigidZone::Serialize(CArchive& /*ar*/) {}

// ---------------------------------------------------------------------------
// CBMLineElement

BM_IMPLEMENT_SERIAL(CBMLineElement, CBMComponent, 1)

CBMLineElement::CBMLineElement() = default;

CBMLineElement::~CBMLineElement() {
  LineLoadList.DeleteAll();
  // The release, rigid zone and forces go with rare_; the line, section,
  // joints and link are not owned.
}

CBMLineElement::Rare& CBMLineElement::rare() {
  if (!rare_) rare_ = std::make_unique<Rare>();
  return *rare_;
}

void CBMLineElement::set_pLink(CBMLink* link) {
  if (link || rare_) rare().link = link;
}

double CBMLineElement::get_Distance() { return bm::PlanDistance(GetP1(), GetP2()); }

void CBMLineElement::set_pLine(CBMLine* l) {
  pLine = l;
  LineId = l ? l->get_Id() : -1;
}

void CBMLineElement::set_pFrameSection(CBMFrameSection* s) {
  pFrameSection = s;
  FrameSectionId = s ? s->get_Id() : -1;
}

void CBMLineElement::Set_pJoint(CBMJoint* i, CBMJoint* j) {
  pJointI = i;
  pJointJ = j;
  if (i) JointIId = i->get_Id();
  if (j) JointJId = j->get_Id();
}

CBMPoint* CBMLineElement::GetP1() const { return pLine ? pLine->get_pP1() : nullptr; }
CBMPoint* CBMLineElement::GetP2() const { return pLine ? pLine->get_pP2() : nullptr; }
CString CBMLineElement::GetType() const { return pLine ? pLine->GetType() : CString(); }
int CBMLineElement::GetPassStoryNum() const { return pLine ? pLine->GetPassStory() : 0; }

void CBMLineElement::set_dZoneReductionFactor(double f) {
  Rare& r = rare();
  r.zoneReductionFactor = f;
  r.hasZoneReductionFactor = 1;
}

CBMLink* CBMLineElement::CreateLink() { return nullptr; }

CBMLineRelease* CBMLineElement::CreateRelease() {
  Rare& r = rare();
  r.release = std::make_unique<CBMLineRelease>();
  return r.release.get();
}

void CBMLineElement::SetReleaseInform(int a, int b, int c, int d) {
  CreateRelease()->SetReleaseInform(a, b, c, d);
}

CBMRigidZone* CBMLineElement::CreateRigidZone() {
  Rare& r = rare();
  r.rigidZone = std::make_unique<CBMRigidZone>();
  return r.rigidZone.get();
}

namespace bm {
// Shared by CBMLineElement::AddLineLoad and CBMWall::AddLineLoad.
CBMLineLoad* AppendLineLoad(CBMComponentList& list, CString lc, CString type, CString dir, double rStart,
                            double vStart, double rEnd, double vEnd) {
  CBMLineLoad* load = list.Adopt(std::make_unique<CBMLineLoad>());
  load->set_Lc(std::move(lc));
  load->set_sDir(std::move(dir));
  const bool uniform = type == "UNIFF";
  load->set_sType(std::move(type));
  load->set_RStart(rStart);
  load->set_REnd(rEnd);
  load->set_VStart(vStart);
  load->set_VEnd(vEnd);
  if (uniform) load->set_UniformV(vStart);
  return load;
}
}  // namespace bm

CBMLineLoad* CBMLineElement::AddLineLoad(CString lc, CString type, CString dir, double rStart, double vStart,
                                         double rEnd, double vEnd) {
  return bm::AppendLineLoad(*LineLoadList.get(), std::move(lc), std::move(type), std::move(dir), rStart,
                            vStart, rEnd, vEnd);
}

void CBMLineElement::AddForce(CString lc, double location, double f1, double f2, double f3, double f4,
                              double f5, double f6) {
  auto forces = std::make_unique<CBMLineEleIntForces>();
  forces->SetForces(lc, location, f1, f2, f3, f4, f5, f6);
  rare().forces.Adopt(std::move(forces));
}

namespace {
// Two referenced objects have the same name; a missing object matches only a
// missing one.
bool SameName(const CBMComponent* a, const CBMComponent* b) {
  if (!a || !b) return a == b;
  return a->name() == b->name();
}
}  // namespace

bool CBMLineElement::IsSameOf(CBMLineElement* other) {
  if (!other) return false;
  if (!SameName(pFrameSection, other->pFrameSection)) return false;
  if (!SameName(pLine, other->pLine)) return false;
  return std::fabs(Angle - other->Angle) <= 0.00001;
}

void CBMLineElement::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  if (ar.IsStoring()) {
    // The stored ids are those of the attached objects.
    if (pFrameSection) FrameSectionId = pFrameSection->get_Id();
    if (pLine) LineId = pLine->get_Id();
  }
  const int released = IsRelease();
  int loadedFlag = 0;
  bm::Transfer(ar, Angle, MaxSpc, MinSpc, FrameSectionId, LineId, JointIId, JointJId,
               bm::Split<int>{released, loadedFlag});
  // The release record follows a set flag; loading creates the release.
  if (ar.IsStoring()) {
    if (released) get_pLineRelease()->Serialize(ar);
  } else if (loadedFlag) {
    CreateRelease()->Serialize(ar);
  }
  bm::Transfer(ar, LineLoadList);
  // The forces, made only when the archive has some.
  bm::TransferLazy(
      ar, rare_ ? &rare_->forces : nullptr, [this]() -> auto& { return rare().forces; });
}

// ---------------------------------------------------------------------------
// Beams, columns, braces and their lists

BM_IMPLEMENT_SERIAL(CBMBeam, CBMLineElement, 1)

CBMBeam::CBMBeam() { ObjectType = BM_BEAM; }
CBMBeam::~CBMBeam() = default;

BM_IMPLEMENT_SERIAL(CBMColumn, CBMLineElement, 1)

CBMColumn::CBMColumn() { ObjectType = BM_COLUMN; }
CBMColumn::~CBMColumn() = default;

BM_IMPLEMENT_SERIAL(CBMBrace, CBMLineElement, 1)

CBMBrace::CBMBrace() { ObjectType = BM_BRACE; }
CBMBrace::~CBMBrace() = default;

BM_IMPLEMENT_SERIAL(CBMBeamList, CBMComponentList, 1)
bool CBMBeamList::IsExist(CBMLineElement* e) const { return HasSameOf(e); }

BM_IMPLEMENT_SERIAL(CBMColumnList, CBMComponentList, 1)
bool CBMColumnList::IsExist(CBMLineElement* e) const { return HasSameOf(e); }

BM_IMPLEMENT_SERIAL(CBMBraceList, CBMComponentList, 1)
bool CBMBraceList::IsExist(CBMLineElement* e) const { return HasSameOf(e); }
