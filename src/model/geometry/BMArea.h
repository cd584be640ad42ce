// Plan areas and the area list.
#pragma once

#include "../../platform/Array.h"
#include "../BMComponentList.h"
#include "GeometryIndex.h"

class CBMPoint;

// A plan polygon of points with a type word ("PANEL", "FLOOR", "RAMP", ...)
// and one status number per corner. The corner points are referred to,
// never deleted.
class CBMArea : public CBMComponent {
  BM_DECLARE_SERIAL(CBMArea)

 public:
  CBMArea();
  ~CBMArea() override;

  // Appends p to the corners and sets PointCount to the new size. Legacy:
  // the list's Add sets p's Id to its position among the corners. A null p
  // is ignored.
  void AddPoint(CBMPoint* p);
  // PointCount: the number of corners (as loaded, until the points are
  // attached again).
  int GetCount() const { return PointCount; }
  // Corner i, 1-based; null outside 1 to the number of attached points.
  CBMPoint* GetPoint(int i) const;
  // The attached corner points (references only). Read-only: corners are
  // added with AddPoint, which keeps PointCount and the area indexes right.
  const CBMComponentList* get_PointList() const { return &thePointList; }

  // Appends t to the corner statuses.
  void AddPointType(int t);
  // Legacy: status of corner i counted from 1; 0 outside the array.
  int GetPointStatus(int i) const;
  // Legacy: entry i of PointId counted from 0; nothing fills the array, so
  // this returns 0.
  int GetPointID(int i) const;
  // Entry i of the corner names read from the archive, counted from 0;
  // empty outside the array.
  CString GetPointName(int i) const;
  // Number of corner names read from the archive.
  int GetPointNameCount() const { return PointNames.GetSize(); }

  void SetAreaType(CString type);
  CString GetAreaType() const { return AreaType; }
  const CString& areaType() const { return AreaType; }

  // The area's connectivity line of the text file (defined by the writer).
  CString GetETABSString();

  // Area record: component part, PointCount, AreaType, then per corner its
  // status (int) and its point's current name. Loading fills the statuses
  // and PointNames; the corner points are attached by the topology rebuild.
  void Serialize(CArchive& ar) override;

 private:
  friend class CBMAreaList;
  // Called before the corners, their count or the type change.
  void NoteKeyEdit() const;

  int PointCount = 0;
  CString AreaType;
  CBMComponentList thePointList;
  CIntArray PointStatus;
  CIntArray PointId;
  CStringArray PointNames;
  // Set once an area list's corner index holds the area; changing its
  // corners or type then makes those indexes rebuild.
  mutable bool indexed_ = false;
};

// The model-wide plan areas; deletes them when destroyed.
class CBMAreaList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMAreaList)

 public:
  CBMAreaList() = default;
  // Deletes every member.
  ~CBMAreaList() override { DeleteAll(); }
  // The first CBMArea named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMArea* AddArea(CString& name) { return FindOrCreate<CBMArea>(name); }
  // The first area whose type is not "RAMP", whose PointCount equals the
  // count of pts and whose corner i is the very same object as pts item i
  // for every i (same start, same direction); null if none or pts is null.
  CBMArea* FindAreaByPoints(CBMComponentList* pts) const;
  // The same for areas whose type is "RAMP". Both look-ups are answered
  // from a hash of the corner sequence in average constant time (for a
  // bounded number of corners).
  CBMArea* FindRampAreaByPoints(CBMComponentList* pts) const;

 private:
  CBMArea* FindBySequence(const CBMComponentList* pts, bool ramp) const;

  mutable std::unique_ptr<bm::GeometryIndex> index_;
};
