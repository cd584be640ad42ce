// Line elements (beams, columns, braces), releases and their lists.
#pragma once

#include "../../loads/BMResult.h"
#include "../BMComponentList.h"
#include "../LazyList.h"

class CBMPoint;
class CBMLine;
class CBMJoint;
class CBMFrameSection;
class CBMLink;
class CBMLineLoad;

// End releases of a line element: twelve flags and twelve partial fixity
// values. Entries 0 to 5 belong to the first end, 6 to 11 to the second, in
// the order P, V2, V3, T, M2, M3.
class CBMLineRelease : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLineRelease)

 public:
  CBMLineRelease() = default;
  ~CBMLineRelease() override = default;

  // Legacy: the getter counts from 0 (0 to 11), the setter from 1 (1 to 12).
  // Positions outside the range are read as 0 / ignored.
  int get_bRelease(int i) const;
  void set_bRelease(int i, bool v);
  // Counted from 0 (0 to 11); outside the range read as 0.0 / ignored.
  double get_dParFix(int i) const;
  void set_dParFix(int i, double v);

  // A non-zero a sets entry 5 (a zero a leaves it); b goes to entry 4, c to
  // entry 11, d to entry 10.
  void SetReleaseInform(int a, int b, int c, int d);
  int IsReleaseIx() const { return bRelease[5]; }
  int IsReleaseIy() const { return bRelease[4]; }
  int IsReleaseJx() const { return bRelease[11]; }
  int IsReleaseJy() const { return bRelease[10]; }

  // Release texts of the text file (defined by the writer).
  CString GetParFix();
  CString GetRleaseString();

  // Release record: for i = 0 to 11, bRelease[i] (int) then dParFix[i]
  // (double); no component part.
  void Serialize(CArchive& ar) override;

 private:
  int bRelease[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  double dParFix[12] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};

// Rigid end zones; reports CBMComponent's run-time class and archives
// nothing.
class CBMRigidZone : public CBMComponent {
 public:
  double get_LenghthI() const { return LenghthI; }
  void set_LenghthI(double v) { LenghthI = v; }
  double get_LenghthJ() const { return LenghthJ; }
  void set_LenghthJ(double v) { LenghthJ = v; }
  double get_RZFactor() const { return RZFactor; }
  void set_RZFactor(double v) { RZFactor = v; }
  // Text of the rigid zone (defined by the writer; empty).
  CString GetRigidZoneString();
  void Serialize(CArchive& ar) override;

 private:
  double LenghthI = 0.0;
  double LenghthJ = 0.0;
  double RZFactor = 0.0;
};

// Placeholders without data; nothing creates them.
class CBMHinge {
 public:
  CBMHinge() = default;
  CBMHinge(const CBMHinge&) {}
  CBMHinge& operator=(const CBMHinge&) { return *this; }
  virtual ~CBMHinge() = default;
};

class CBMLineSpring {
 public:
  CBMLineSpring() = default;
  CBMLineSpring(const CBMLineSpring&) {}
  CBMLineSpring& operator=(const CBMLineSpring&) { return *this; }
  virtual ~CBMLineSpring() = default;
};

class CBMLineMass {
 public:
  CBMLineMass() = default;
  CBMLineMass(const CBMLineMass&) {}
  CBMLineMass& operator=(const CBMLineMass&) { return *this; }
  virtual ~CBMLineMass() = default;
};

// A beam, column or brace of one level. Owns its release, rigid zone, line
// loads and force records; refers to (never deletes) its line, section,
// joints and link.
class CBMLineElement : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLineElement)

 public:
  CBMLineElement();
  ~CBMLineElement() override;

  // Line element record: component part, Angle, MaxSpc, MinSpc,
  // FrameSectionId and LineId (refreshed from the section and line when
  // set), JointIId, JointJId, IsRelease, the release record when released,
  // the line-load block and the force block.
  void Serialize(CArchive& ar) override;
  // Plan distance between GetP1() and GetP2(); 0.0 when one is missing.
  virtual double get_Distance();

  CBMLine* get_pLine() const { return pLine; }
  // Stores l and its current Id in LineId. Decision: null is accepted and
  // sets LineId to -1 (no line).
  void set_pLine(CBMLine* l);
  CBMFrameSection* get_pFrameSection() const { return pFrameSection; }
  // Stores s and its current Id in FrameSectionId. Decision: null is
  // accepted and sets FrameSectionId to -1.
  void set_pFrameSection(CBMFrameSection* s);
  // Stores both joints; each non-null joint's current Id goes to JointIId /
  // JointJId (a null joint leaves the old id).
  void Set_pJoint(CBMJoint* i, CBMJoint* j);
  CBMJoint* get_pJointI() const { return pJointI; }
  CBMJoint* get_pJointJ() const { return pJointJ; }
  int get_LineId() const { return LineId; }
  int get_FrameSectionId() const { return FrameSectionId; }
  int get_JointIId() const { return JointIId; }
  int get_JointJId() const { return JointJId; }

  // End points of the line; null without a line.
  CBMPoint* GetP1() const;
  CBMPoint* GetP2() const;
  // The line's Type (empty without a line).
  CString GetType() const;
  // The line's PassStory (0 without a line).
  int GetPassStoryNum() const;

  double get_Angle() const { return Angle; }
  void set_Angle(double a) { Angle = a; }
  double get_MaxSpc() const { return MaxSpc; }
  void set_MaxSpc(double v) { MaxSpc = v; }
  double get_MinSpc() const { return MinSpc; }
  void set_MinSpc(double v) { MinSpc = v; }
  // Stores f and sets HasZoneReductionFactor to 1.
  void set_dZoneReductionFactor(double f);
  double get_dZoneReductionFactor() const { return rare_ ? rare_->zoneReductionFactor : 0.0; }
  int get_HasZoneReductionFactor() const { return rare_ ? rare_->hasZoneReductionFactor : 0; }

  CBMLink* get_pLink() const { return rare_ ? rare_->link : nullptr; }
  void set_pLink(CBMLink* link);
  // Creates nothing; returns null.
  CBMLink* CreateLink();

  CBMLineRelease* get_pLineRelease() const { return rare_ ? rare_->release.get() : nullptr; }
  // A new release (all zero) owned by the element; IsRelease 1. Decision: an
  // earlier release is deleted.
  CBMLineRelease* CreateRelease();
  int IsRelease() const { return get_pLineRelease() ? 1 : 0; }
  // CreateRelease(), then the new release's SetReleaseInform(a, b, c, d).
  void SetReleaseInform(int a, int b, int c, int d);

  CBMRigidZone* get_pRigidZone() const { return rare_ ? rare_->rigidZone.get() : nullptr; }
  // A new rigid zone owned by the element. Decision: an earlier one is
  // deleted.
  CBMRigidZone* CreateRigidZone();

  // The element's loads, created when first asked for; LineLoads() reads
  // them without creating the list (most columns and braces have none).
  CBMComponentList* Get_LineLoadList() { return LineLoadList.get(); }
  const CBMComponentList& LineLoads() const { return LineLoadList.view(); }
  CBMComponentList* get_ForceList() { return rare().forces.get(); }
  // A new CBMLineLoad appended to the element's loads with Lc, sDir, sType,
  // RStart, REnd, VStart, VEnd set; a type of exactly "UNIFF" also sets
  // UniformV to vStart. Returns the load (owned by the element).
  CBMLineLoad* AddLineLoad(CString lc, CString type, CString dir, double rStart, double vStart, double rEnd,
                           double vEnd);
  // A new CBMLineEleIntForces of case `lc` at `location` with six forces,
  // appended to the force list.
  void AddForce(CString lc, double location, double f1, double f2, double f3, double f4, double f5,
                double f6);

  // Same section name, same line name and angles within 0.00001.
  bool IsSameOf(CBMLineElement* other);

  // The element's assignment and load texts (defined by the writer).
  CString GetETABSString();
  CString GetLoadEtabsString(CString levelName);

 private:
  // What few elements have, kept out of line and made when first set, so
  // that each of a million members carries one pointer for it: a link, a
  // release, a rigid zone, a zone reduction factor, analysis forces.
  struct Rare {
    bm::LazyResultList<&CBMLineEleIntForces::CreateInstance> forces;
    CBMLink* link = nullptr;
    std::unique_ptr<CBMLineRelease> release;
    std::unique_ptr<CBMRigidZone> rigidZone;
    int hasZoneReductionFactor = 0;
    double zoneReductionFactor = 0.0;
  };
  Rare& rare();

  CBMLine* pLine = nullptr;
  CBMFrameSection* pFrameSection = nullptr;
  CBMJoint* pJointI = nullptr;
  CBMJoint* pJointJ = nullptr;
  std::unique_ptr<Rare> rare_;
  int FrameSectionId = -1;
  int JointIId = -1;
  int JointJId = -1;
  int LineId = -1;
  bm::LazyList<&bm::Holds<CBMLineLoad>> LineLoadList;
  double Angle = 0.0;
  double MaxSpc = 24.0;
  double MinSpc = 3.0;
};

class CBMBeam : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMBeam)

 public:
  CBMBeam();
  ~CBMBeam() override;
};

class CBMColumn : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMColumn)

 public:
  CBMColumn();
  ~CBMColumn() override;
};

class CBMBrace : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMBrace)

 public:
  CBMBrace();
  ~CBMBrace() override;
};

class CBMBeamList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMBeamList)

 public:
  CBMBeamList() = default;
  // Deletes every member.
  ~CBMBeamList() override { DeleteAll(); }
  // The first CBMBeam named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMBeam* AddBeam(CString& name) { return FindOrCreate<CBMBeam>(name); }
  // True when some member is the same as e by CBMLineElement::IsSameOf.
  bool IsExist(CBMLineElement* e) const;
};

class CBMColumnList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMColumnList)

 public:
  CBMColumnList() = default;
  // Deletes every member.
  ~CBMColumnList() override { DeleteAll(); }
  // The first CBMColumn named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMColumn* AddColumn(CString& name) { return FindOrCreate<CBMColumn>(name); }
  // True when some member is the same as e by CBMLineElement::IsSameOf.
  bool IsExist(CBMLineElement* e) const;
};

class CBMBraceList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMBraceList)

 public:
  CBMBraceList() = default;
  // Deletes every member.
  ~CBMBraceList() override { DeleteAll(); }
  // The first CBMBrace named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMBrace* AddBrace(CString& name) { return FindOrCreate<CBMBrace>(name); }
  // True when some member is the same as e by CBMLineElement::IsSameOf.
  bool IsExist(CBMLineElement* e) const;
};

namespace bm {
// Appends a new line load to `list` (which owns it) as CBMLineElement::
// AddLineLoad describes; shared with CBMWall::AddLineLoad.
CBMLineLoad* AppendLineLoad(CBMComponentList& list, CString lc, CString type, CString dir, double rStart,
                            double vStart, double rEnd, double vEnd);
}  // namespace bm
