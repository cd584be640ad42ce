// Pier and spandrel labels and their list.
#pragma once

#include "../model/BMComponentList.h"

// A pier (IsSpan 0) or spandrel (IsSpan 1) label that walls point to.
class CBMPierSpandrel : public CBMComponent {
  BM_DECLARE_SERIAL(CBMPierSpandrel)

 public:
  // A pier (IsSpan false).
  CBMPierSpandrel();
  ~CBMPierSpandrel() override;

  // 1 for a spandrel, 0 for a pier.
  int IsSpandrel() const { return IsSpan; }
  // Stores 1 for true, 0 for false.
  void set_IsSpan(bool isSpan) { IsSpan = isSpan ? 1 : 0; }

  // The label's PIERNAME or SPANDRELNAME line of the text model file
  // (defined with the writer).
  CString GetETABSString();

  // Component part, then IsSpan as a 4-byte int.
  void Serialize(CArchive& ar) override;

 protected:
  int IsSpan = 0;
};

// The model's pier and spandrel labels; owns them and deletes them when
// destroyed.
class CBMPierSpandrelList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMPierSpandrelList)

 public:
  CBMPierSpandrelList() = default;
  // Deletes every member.
  ~CBMPierSpandrelList() override { DeleteAll(); }

  // The label named exactly `name` if there is one, returned unchanged (its
  // IsSpan is not updated); otherwise a new label named `name` (set_Name
  // upper-cases the caller's string) with IsSpan = isSpandrel, appended.
  CBMPierSpandrel* AddPierSpandrel(bool isSpandrel, CString& name);
};
