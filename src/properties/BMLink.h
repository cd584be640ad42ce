// Link properties and the link list.
#pragma once

#include "../model/BMComponentList.h"

// A link property: a type word, six degree-of-freedom flags and 21 numbers
// that only the archive reads and writes. The fields are public: the text
// file reader sets LinkType and the flags directly (the class has no
// accessors).
class CBMLink : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLink)

 public:
  // Empty LinkType, every number and flag 0.
  CBMLink();
  ~CBMLink() override;

  // The link's LINKPROP lines of the text model file (defined with the
  // writer).
  CString GetETABSString();

  // Component part; DofR1, DofR2, DofR3, DofU1, DofU2, DofU3 (4-byte ints);
  // eighteen doubles B9 B2 B10 B3 B12 B4 B1 A1 B8 A6 A7 A8 B13 B6 A3 A4 A5
  // B11; LinkType; three doubles A2 B5 B7 (Ak is ParamA[k-1], Bk ParamB[k-1]).
  void Serialize(CArchive& ar) override;

  CString LinkType;
  // Archived link values numbered 1 to 8: value k sits at ParamA[k - 1].
  double ParamA[8] = {};
  // Degree of freedom active (0 or 1).
  int DofU1 = 0;
  int DofU2 = 0;
  int DofU3 = 0;
  int DofR1 = 0;
  int DofR2 = 0;
  int DofR3 = 0;
  // Archived link values numbered 1 to 13: value k sits at ParamB[k - 1].
  double ParamB[13] = {};
};

// The model's link properties; owns them and deletes them when destroyed.
class CBMLinkList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLinkList)

 public:
  CBMLinkList() = default;
  // Deletes every member.
  ~CBMLinkList() override { DeleteAll(); }

  // Appends a new link named `name` (set_Name upper-cases the caller's
  // string) and returns it. No duplicate check.
  CBMLink* AddLink(CString& name);
};
