// Model-wide and per-level diaphragms and their lists.
#pragma once

#include "../../platform/Array.h"
#include "../BMComponentList.h"

class CBMJoint;

// A model-wide diaphragm definition with a running centre: the average of
// the plan points added to it.
class CBMDiaphragm : public CBMComponent {
  BM_DECLARE_SERIAL(CBMDiaphragm)

 public:
  // Centre, sums and count all zero.
  CBMDiaphragm();
  ~CBMDiaphragm() override;

  double Get_CX() const { return CX; }
  double Get_CY() const { return CY; }
  double Get_SumX() const { return SumX; }
  double Get_SumY() const { return SumY; }
  int GetAssociatedPointAcount() const { return AssociatedPointCount; }
  // Raises the count, adds (x, y) to the sums and sets the centre to the
  // sums divided by the new count.
  void AddPointForDiaCenter(double x, double y);
  // Raises the count by 1 without touching sums or centre.
  void CountIncrease() { ++AssociatedPointCount; }

  // The diaphragm's definition line of the text file (defined by the writer).
  CString GetETABSString();

  // Diaphragm record: component part, CX, CY, SumX, SumY, count.
  void Serialize(CArchive& ar) override;

 private:
  double CX = 0.0;
  double CY = 0.0;
  int AssociatedPointCount = 0;
  double SumX = 0.0;
  double SumY = 0.0;
};

// One modal result of a level diaphragm. Reports CBMComponent's run-time
// class; hosts read the values they stored.
class CBMLevelDiaphragmModes : public CBMComponent {
 public:
  int ModeIndex = 0;
  double ModeResults[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};

// The joints of one storey that a diaphragm constrains, with their plan
// centre and the modal results. Refers to its joints (never deletes them)
// and owns its mode records.
class CBMLevelDiaphragm : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLevelDiaphragm)

 public:
  // All zero, empty lists.
  CBMLevelDiaphragm();
  ~CBMLevelDiaphragm() override;

  double Get_CX() const { return CX; }
  double Get_CY() const { return CY; }
  double Get_SumX() const { return SumX; }
  double Get_SumY() const { return SumY; }
  int GetCenterPointCount() const { return CenterPointCount; }
  // Sets the centre directly; sums and counts are untouched.
  void SetDiaphragmCenter(double x, double y) {
    CX = x;
    CY = y;
  }
  // Appends j to the joints without changing j's Id, then adds the plan
  // position of j's point to the centre. A joint without a point is added
  // and leaves the centre unchanged; a null j is ignored.
  void AddJoint(CBMJoint* j);
  // Number of joints in the joint list.
  int GetJointAmount() const { return theJointList.GetCount(); }
  // Joint i, 1-based; null outside the list.
  CBMJoint* GetJointByIndex(int i) const;
  // Raises JointAmount (the archived count) by 1.
  void CountIncrease() { ++JointAmount; }
  int get_JointAmount() const { return JointAmount; }
  // Joint ids read from this object's own record.
  int ArchiveJointAmount() const { return ArchiveJointIds.GetSize(); }
  // Entry i, 1-based; 0 outside the array.
  int ArchiveJointId(int i) const;

  // A new mode record holding `mode` and the six values, appended.
  void AddModeResult(int mode, double v1, double v2, double v3, double v4, double v5, double v6);
  int GetModeNumber() const { return theModeList.GetCount(); }
  // Mode record i, 1-based; null outside the list.
  CBMLevelDiaphragmModes* GetMode(int i) const;

  // Level diaphragm record (not part of the building model archive):
  // component part, CX, CY, SumX, SumY, the joint count (JointAmount, first
  // set to the number of joints when storing) and each joint's current Id.
  // Loading reads the ids into ArchiveJointIds.
  void Serialize(CArchive& ar) override;

 private:
  void AddPointForDiaCenter(double x, double y);

  double CX = 0.0;
  double CY = 0.0;
  int CenterPointCount = 0;
  int JointAmount = 0;
  double SumX = 0.0;
  double SumY = 0.0;
  CIntArray ArchiveJointIds;
  CBMComponentList theJointList;
  CBMComponentList theModeList;
};

class CBMDiaphragmList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMDiaphragmList)

 public:
  CBMDiaphragmList() = default;
  // Deletes every member.
  ~CBMDiaphragmList() override { DeleteAll(); }
  // The first CBMDiaphragm named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMDiaphragm* AddDiaphragm(CString& name) { return FindOrCreate<CBMDiaphragm>(name); }
};

class CBMLevelDiaphragmList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLevelDiaphragmList)

 public:
  CBMLevelDiaphragmList() = default;
  // Deletes nothing: the owner of the list calls DeleteAll.
  ~CBMLevelDiaphragmList() override = default;
  // The first CBMLevelDiaphragm named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMLevelDiaphragm* AddDiaphragm(CString& name) { return FindOrCreate<CBMLevelDiaphragm>(name); }
};
