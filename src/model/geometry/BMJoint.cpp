// Joints, their restraints and springs, and the joint list.
#include "model/geometry/BMJoint.h"

#include <memory>

#include "loads/BMMemberLoad.h"
#include "loads/BMResult.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMPoint.h"
#include "platform/Transfer.h"

// ---------------------------------------------------------------------------
// CBMJointRestraint

BM_IMPLEMENT_SERIAL(CBMJointRestraint, CBMComponent, 1)

void CBMJointRestraint::set_bU(int i, int v) {
  if (i < 1 || i > 6) return;
  bU[i - 1] = v;
}

int CBMJointRestraint::get_bU(int i) const {
  if (i < 0 || i > 5) return 0;
  return bU[i];
}

void CBMJointRestraint::Serialize(CArchive& ar) {
  // Decision: the reserved seventh word is written as 0 and ignored when read.
  bm::Transfer(ar, bU, bm::Reserved<int32_t>{0});
}

// ---------------------------------------------------------------------------
// CBMJointSpring, CBMJointMass, CBMJointPannelZone

BM_IMPLEMENT_SERIAL(CBMJointSpring, CBMComponent, 1)

void CBMJointSpring::set_dU(int i, double v) {
  if (i < 1 || i > 6) return;
  dU[i - 1] = v;
}

double CBMJointSpring::get_dU(int i) const {
  if (i < 0 || i > 5) return 0.0;
  return dU[i];
}

void CBMJointSpring::Serialize(CArchive& /*ar*/) {}
void CBMJointMass::Serialize(CArchive& /*ar*/) {}
void CBMJointPannelZone::Serialize(CArchive& /*ar*/) {}

// ---------------------------------------------------------------------------
// CBMJoint

BM_IMPLEMENT_SERIAL(CBMJoint, CBMComponent, 1)

CBMJoint::CBMJoint() { ObjectType = BM_JOINT; }

CBMJoint::~CBMJoint() {
  JointLoadList.DeleteAll();
  // The restraint, spring and displacements go with rare_; theConnectList,
  // the point, the diaphragm and the link are not owned.
}

CBMJoint::Rare& CBMJoint::rare() {
  if (!rare_) rare_ = std::make_unique<Rare>();
  return *rare_;
}

void CBMJoint::set_pLink(CBMLink* link) {
  if (link || rare_) rare().link = link;
}

void CBMJoint::set_pPoint(CBMPoint* p) {
  // A joint is often given the point it already has (shared by several
  // members, or again after a load): no copy of the name then.
  if (p == pPoint && (p ? PointName == p->name() : PointName.IsEmpty())) return;
  pPoint = p;
  PointName = p ? p->get_Name() : CString();
}

void CBMJoint::set_pDiaphragm(CBMLevelDiaphragm* d) {
  pDiaphragm = d;
  DiaphragmName = d ? d->get_Name() : CString();
}

double CBMJoint::Get_pX() const { return pPoint ? pPoint->get_X() : 0.0; }
double CBMJoint::Get_pY() const { return pPoint ? pPoint->get_Y() : 0.0; }

CBMJointRestraint* CBMJoint::CreateJointRestraint() {
  Rare& r = rare();
  r.restraint = std::make_unique<CBMJointRestraint>();
  return r.restraint.get();
}

void CBMJoint::set_pRestraint(CBMJointRestraint* r) {
  if (r == get_pRestraint()) return;  // the joint's own (or none again): kept
  std::unique_ptr<CBMJointRestraint> taken(r);
  rare().restraint = std::move(taken);
}

CBMJointSpring* CBMJoint::CreateJointSpring() {
  Rare& r = rare();
  r.spring = std::make_unique<CBMJointSpring>();
  return r.spring.get();
}

void CBMJoint::AddConnectedElement(CBMComponent* e) {
  if (!e) return;
  for (const CBMComponent& member : theConnectList.Members<CBMComponent>()) {
    if (&member == e) return;
  }
  theConnectList.Add(e);
}

void CBMJoint::AddJointLoad(CString lc, CString type, double fx, double fy, double fz, double mx, double my,
                            double mz) {
  CBMJointLoad* load = JointLoadList.Adopt(std::make_unique<CBMJointLoad>());
  load->set_Lc(lc);
  load->set_FX(fx);
  load->set_FY(fy);
  load->set_FZ(fz);
  load->set_sType(type);
  load->set_MX(mx);
  load->set_MY(my);
  load->set_MZ(mz);
}

void CBMJoint::TranferJointLoadFromWall(CString lc, CString type, double fx, double fy, double fz, double mx,
                                        double my, double mz) {
  for (CBMJointLoad& load : JointLoadList.view().Members<CBMJointLoad>()) {
    if (load.get_Lc() != lc) continue;
    load.set_FX(load.get_FX() + fx);
    load.set_FY(load.get_FY() + fy);
    load.set_FZ(load.get_FZ() + fz);
    load.set_MX(load.get_MX() + mx);
    load.set_MY(load.get_MY() + my);
    load.set_MZ(load.get_MZ() + mz);
    return;
  }
  AddJointLoad(lc, type, fx, fy, fz, mx, my, mz);
}

void CBMJoint::AddDisplacement(CString lc, double ux, double uy, double uz, double rx, double ry, double rz) {
  auto d = std::make_unique<CBMJointDisplacement>();
  d->SetDisplacement(lc, ux, uy, uz, rx, ry, rz);
  rare().displacements.Adopt(std::move(d));
}

bool CBMJoint::IsSameOf(CBMJoint* other) {
  if (!other) return false;
  if (Name != other->Name) return false;
  if (pDiaphragm && other->pDiaphragm && pDiaphragm->name() != other->pDiaphragm->name()) return false;
  const CBMJointRestraint* mine = get_pRestraint();
  const CBMJointRestraint* theirs = other->get_pRestraint();
  if (!mine || !theirs) return true;
  return mine->name() == theirs->name();
}

void CBMJoint::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  const int hasRestraint = get_HasRestraint();
  int loadedFlag = 0;
  bm::Transfer(ar, DiaphragmName, bm::Split<int>{hasRestraint, loadedFlag}, PointName);
  // The restraint record follows a set flag; loading creates the restraint.
  if (ar.IsStoring()) {
    if (hasRestraint) get_pRestraint()->Serialize(ar);
  } else if (loadedFlag) {
    CreateJointRestraint()->Serialize(ar);
  }
  bm::Transfer(ar, JointLoadList);
  // The displacements, made only when the archive has some.
  bm::TransferLazy(
      ar, rare_ ? &rare_->displacements : nullptr, [this]() -> auto& { return rare().displacements; });
}

// ---------------------------------------------------------------------------
// CBMJointList

BM_IMPLEMENT_SERIAL(CBMJointList, CBMComponentList, 1)

bool CBMJointList::IsExist(CBMJoint* j) const { return HasSameOf(j); }
