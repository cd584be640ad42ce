// Joints, their restraints and springs, and the joint list.
#pragma once

#include "../../loads/BMResult.h"
#include "../BMComponentList.h"
#include "../LazyList.h"

class CBMPoint;
class CBMLevelDiaphragm;
class CBMLink;
class CBMJointLoad;

// Support conditions of a joint: six flags (UX, UY, UZ, RX, RY, RZ),
// 1 restrained, 0 free.
class CBMJointRestraint : public CBMComponent {
  BM_DECLARE_SERIAL(CBMJointRestraint)

 public:
  CBMJointRestraint() = default;
  ~CBMJointRestraint() override = default;

  // Legacy: the setter counts from 1 (1 to 6), the getter from 0 (0 to 5).
  // Positions outside the range are ignored / read as 0.
  void set_bU(int i, int v);
  int get_bU(int i) const;

  // The restraint words of the text file (defined by the writer).
  CString GetETABSString();

  // Restraint record: the six flags, then one reserved word (written 0,
  // skipped on reading); no component part.
  void Serialize(CArchive& ar) override;

 private:
  int bU[6] = {0, 0, 0, 0, 0, 0};
};

// Point springs of a joint: six values, one per degree of freedom. Not
// archived.
class CBMJointSpring : public CBMComponent {
  BM_DECLARE_SERIAL(CBMJointSpring)

 public:
  CBMJointSpring() = default;
  ~CBMJointSpring() override = default;

  // Legacy: the setter counts from 1 (1 to 6), the getter from 0 (0 to 5).
  // Positions outside the range are ignored / read as 0.0.
  void set_dU(int i, double v);
  double get_dU(int i) const;

  // Archives nothing, not even the component part.
  void Serialize(CArchive& ar) override;

 private:
  double dU[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};

// Placeholders without data; they report CBMComponent's run-time class and
// archive nothing. Nothing in the library creates them.
class CBMJointMass : public CBMComponent {
 public:
  void Serialize(CArchive& ar) override;
};

class CBMJointPannelZone : public CBMComponent {
 public:
  void Serialize(CArchive& ar) override;
};

// A plan point on one level. Owns its restraint, spring, joint loads and
// displacement records; refers to (never deletes) its point, its level
// diaphragm, its link and the members that meet at it.
class CBMJoint : public CBMComponent {
  BM_DECLARE_SERIAL(CBMJoint)

 public:
  // Empty lists and names, null pointers, HasRestraint 0, type BM_JOINT.
  CBMJoint();
  ~CBMJoint() override;

  CBMPoint* get_pPoint() const { return pPoint; }
  // Stores p (not owned) and copies its name into PointName. Decision: null
  // is accepted and empties PointName.
  void set_pPoint(CBMPoint* p);
  CBMLevelDiaphragm* get_pDiaphragm() const { return pDiaphragm; }
  // Stores d (not owned) and copies its name into DiaphragmName. Decision:
  // null is accepted and empties DiaphragmName.
  void set_pDiaphragm(CBMLevelDiaphragm* d);
  const CString& get_PointName() const { return PointName; }
  const CString& get_DiaphragmName() const { return DiaphragmName; }

  // Plan X and Y of the joint's point; 0.0 when the joint has no point.
  double Get_pX() const;
  double Get_pY() const;

  CBMJointRestraint* get_pRestraint() const { return rare_ ? rare_->restraint.get() : nullptr; }
  // A new restraint with all flags 0, owned by the joint; HasRestraint 1.
  // Decision: an earlier restraint is deleted (it was owned here).
  CBMJointRestraint* CreateJointRestraint();
  // Takes ownership of r (deleting an earlier, different restraint) and sets
  // HasRestraint to 1. Decision: null removes the restraint (HasRestraint 0),
  // so the record never announces a restraint it cannot write.
  void set_pRestraint(CBMJointRestraint* r);
  int get_HasRestraint() const { return get_pRestraint() ? 1 : 0; }

  CBMJointSpring* get_pJointSpring() const { return rare_ ? rare_->spring.get() : nullptr; }
  // A new spring with all values 0.0, owned by the joint. Decision: an
  // earlier spring is deleted.
  CBMJointSpring* CreateJointSpring();

  CBMLink* get_pLink() const { return rare_ ? rare_->link : nullptr; }
  void set_pLink(CBMLink* link);

  // The members (beams, columns, braces, walls, slabs) that meet here; the
  // list refers to them and never deletes them.
  CBMComponentList& get_theConnectList() { return theConnectList; }
  // Appends e unless the very same object is already listed. Legacy: the
  // list's Add sets e's Id to its position in this joint's list.
  void AddConnectedElement(CBMComponent* e);

  // The joint's loads, created when first asked for; JointLoads() reads
  // them without creating the list (most joints have none).
  CBMComponentList* get_JointLoadList() { return JointLoadList.get(); }
  const CBMComponentList& JointLoads() const { return JointLoadList.view(); }
  CBMComponentList* get_pJointDisplacementList() { return rare().displacements.get(); }

  // A new CBMJointLoad appended to the joint's loads, with Lc, FX, FY, FZ,
  // sType, MX, MY, MZ set from the arguments.
  void AddJointLoad(CString lc, CString type, double fx, double fy, double fz, double mx, double my,
                    double mz);
  // Adds the six values to the first load of case `lc` (its type kept), or
  // calls AddJointLoad when the joint has no load of that case.
  void TranferJointLoadFromWall(CString lc, CString type, double fx, double fy, double fz, double mx,
                                double my, double mz);
  // A new CBMJointDisplacement of case `lc` with the six values, appended.
  void AddDisplacement(CString lc, double ux, double uy, double uz, double rx, double ry, double rz);

  // Same name, same level-diaphragm name when both have one, and (when both
  // have a restraint) same restraint name.
  bool IsSameOf(CBMJoint* other);

  // The joint's assignment and load texts (defined by the writer).
  CString GetETABSString();
  CString GetLoadEtabsString(CString levelName);

  // Joint record: component part, DiaphragmName, HasRestraint, PointName,
  // the restraint record when HasRestraint is set, the load list block and
  // the displacement list block.
  void Serialize(CArchive& ar) override;

 private:
  // What few joints have, kept out of line and made when first set: a
  // restraint, a spring, a link, analysis displacements.
  struct Rare {
    bm::LazyResultList<&CBMJointDisplacement::CreateInstance> displacements;
    std::unique_ptr<CBMJointRestraint> restraint;
    std::unique_ptr<CBMJointSpring> spring;
    CBMLink* link = nullptr;
  };
  Rare& rare();

  // What a member placed on the joint reads (the point and its name, the
  // list of members) follows the component's fields, so that a joint
  // met again when the cache no longer holds it is reached in fewer lines.
  CString PointName;
  CBMPoint* pPoint = nullptr;
  CBMComponentList theConnectList;
  std::unique_ptr<Rare> rare_;
  CString DiaphragmName;
  CBMLevelDiaphragm* pDiaphragm = nullptr;
  bm::LazyList<&bm::Holds<CBMJointLoad>> JointLoadList;
};

// The joints of one level; deletes them when destroyed.
class CBMJointList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMJointList)

 public:
  CBMJointList() = default;
  // Deletes every member.
  ~CBMJointList() override { DeleteAll(); }
  // The first CBMJoint named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMJoint* AddJoint(CString& name) { return FindOrCreate<CBMJoint>(name); }
  // AddJoint for a caller that has just found no joint named `name` (ItemAs):
  // the new joint, without a second look.
  CBMJoint* AddNewJoint(CString& name) { return CreateNamed<CBMJoint>(name); }
  // True when some member is the same as j by CBMJoint::IsSameOf.
  bool IsExist(CBMJoint* j) const;
};
