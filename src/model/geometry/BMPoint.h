// Plan points and the point list.
#pragma once

#include <cstdint>
#include <vector>

#include "../BMComponentList.h"
#include "GeometryIndex.h"

// A location in plan, shared by every storey. A joint (CBMJoint) is this
// point on one level and bears the point's name.
class CBMPoint : public CBMComponent {
  BM_DECLARE_SERIAL(CBMPoint)

 public:
  // All coordinates 0.0, not mid-level, no joint-id array.
  CBMPoint();
  CBMPoint(double x, double y, double z, bool isMidLevel);
  ~CBMPoint() override;

  // X and Y are set only through the constructors.
  double get_X() const { return X; }
  double get_Y() const { return Y; }
  double get_Z() const { return Z; }
  void set_Z(double z) { Z = z; }
  // Non-zero for a point that lies between levels (written with its Z).
  int get_IsMidLevel() const { return IsMidLevel; }
  void set_IsMidLevel(bool midLevel) { IsMidLevel = midLevel ? 1 : 0; }

  // Replaces any previous joint-id array by n entries, all 0 (none when n
  // is not positive).
  void InitFloorJointId(int n);
  // Entry `level`, 1-based (1 to n). Positions outside the array are ignored
  // by the setter and read as 0 by the getter.
  void SetFloorJointId(int level, long id);
  long GetFloorJointId(int level) const;

  // The point's coordinate line of the text file (defined by the writer).
  CString GetETABSString();

  // Point record: component part, X, Y, Z (doubles), IsMidLevel (int). The
  // joint-id array is not archived.
  void Serialize(CArchive& ar) override;

 private:
  friend class CBMPointList;
  std::vector<int32_t> FloorJointId;
  double X = 0.0;
  double Y = 0.0;
  int IsMidLevel = 0;
  double Z = 0.0;
  // Set once a point list's position index holds the point; loading new
  // coordinates into it then makes those indexes rebuild.
  mutable bool indexed_ = false;
};

namespace bm {
// Distance in plan (X, Y) from `a` to `b`; 0 when either is null.
double PlanDistance(const CBMPoint* a, const CBMPoint* b);
}  // namespace bm

// The model-wide plan points; deletes them when destroyed.
class CBMPointList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMPointList)

 public:
  CBMPointList() = default;
  // Deletes every member.
  ~CBMPointList() override { DeleteAll(); }

  // Find-or-create by name: the first point named `name` unchanged (whatever
  // its coordinates), or a new point (x, y, Z 0, not mid-level) named with
  // set_Name (upper-cases the caller's string) and appended.
  CBMPoint* AddPoint(CString& name, double x, double y);
  // Find-or-create by position: the first point, in list order, closer than
  // 0.0001 in plan; otherwise AddPoint(name, x, y) with the name "%i" of
  // GetCount() + 1 (which returns an existing point of that name as it is).
  CBMPoint* AddPoint(double x, double y);
  // The first point, in list order, whose plan distance from (x, y) is less
  // than 0.0001; null if none (always for a non-finite x or y). Answered
  // from a grid of cells in average constant time.
  CBMPoint* FindPointByCoors(double x, double y) const;
  // Does nothing; returns 0.
  int Removal();

 private:
  mutable std::unique_ptr<bm::GeometryIndex> index_;
};
