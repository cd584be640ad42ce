// Plan lines and the line list.
#pragma once

#include "../BMComponentList.h"
#include "GeometryIndex.h"

class CBMPoint;

// A plan connection between two points, with the member kind as text
// ("BEAM", "COLUMN", "BRACE") and the number of storeys it passes. The
// points are referred to, never deleted.
class CBMLine : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLine)

 public:
  CBMLine();
  // As the default, then stores the two points and their current Ids.
  CBMLine(CBMPoint* p1, CBMPoint* p2);
  ~CBMLine() override;

  // Stores both points and their current Ids (0 for a null point).
  void set_pPoint(CBMPoint* p1, CBMPoint* p2);
  CBMPoint* get_pP1() const { return pP1; }
  CBMPoint* get_pP2() const { return pP2; }
  int get_P1Id() const { return P1Id; }
  int get_P2Id() const { return P2Id; }
  // Point names as last stored or loaded; the topology rebuild uses them.
  const CString& get_P1Name() const { return P1Name; }
  const CString& get_P2Name() const { return P2Name; }

  void SetType(CString type);
  CString GetType() const { return Type; }
  int GetPassStory() const { return PassStory; }
  void SetPassStoryNum(int n) { PassStory = n; }
  int IsP1SameLevel() const { return m_IsP1SameLevel; }
  // Stores 0 or 1 and returns the stored value.
  int SetIsP1SameLevel(bool same);

  // Plan distance between the end points (Z not used); 0.0 when a point is
  // missing.
  double get_Length() const;

  // The line's connectivity line of the text file (defined by the writer).
  CString GetETABSString();

  // Line record: P1Name and P2Name are first refreshed from the points that
  // are set; then component part, IsP1SameLevel, Type, P1Name, P2Name,
  // PassStory. Point ids and pointers are not archived.
  void Serialize(CArchive& ar) override;

 private:
  friend class CBMLineList;
  // Called before the points or the type change.
  void NoteKeyEdit() const;

  int m_IsP1SameLevel = 1;  // the field IsP1SameLevel
  CString Type;
  int PassStory = 0;
  int P1Id = 0;
  int P2Id = 0;
  CString P1Name;
  CString P2Name;
  CBMPoint* pP2 = nullptr;
  CBMPoint* pP1 = nullptr;
  // Set once a line list's point-pair index holds the line; changing its
  // points or type then makes those indexes rebuild.
  mutable bool indexed_ = false;
};

// The model-wide plan lines; deletes them when destroyed.
class CBMLineList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLineList)

 public:
  CBMLineList() = default;
  // Deletes every member.
  ~CBMLineList() override { DeleteAll(); }
  // The first CBMLine named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMLine* AddLine(CString& name) { return FindOrCreate<CBMLine>(name); }
  // Always a new line from p1 to p2 (no look-up by name), named with
  // set_Name (upper-cases the caller's string) and appended.
  CBMLine* AddLine(CString& name, CBMPoint* p1, CBMPoint* p2);
  // The first line whose Type is not "BRACE" and whose end points are p1
  // and p2 in either order (pointer identity); null if none.
  CBMLine* FindLineByPoint(CBMPoint* p1, CBMPoint* p2) const;
  // The first line whose Type is "BRACE" with those end points; null if none.
  // Both look-ups are answered from a hash of the point pair in average
  // constant time.
  CBMLine* FindBraceLineByPoint(CBMPoint* p1, CBMPoint* p2) const;

 private:
  CBMLine* FindByPoints(CBMPoint* p1, CBMPoint* p2, bool brace) const;

  mutable std::unique_ptr<bm::GeometryIndex> index_;
};
