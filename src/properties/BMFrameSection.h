// Frame sections and the frame-section list.
#pragma once

#include "../model/BMComponentList.h"

class CBMMaterial;

// The cross-section of a line member: a shape word, a material and twenty
// dimension slots (ParamItems, 0-based). Which slots a shape uses:
//   "RECTANGULAR" 0 D, 1 B; "CIRCLE" 0 D; "PIPE" 0 D, 1 T;
//   "TEE", "ANGLE", "CHANNEL", "I/WIDE FLANGE", "BOX/TUBE" 0 D, 1 B, 2 TF, 3 TW;
//   "GENERAL" 0 D, 1 B, 2 AREA, 3 TORSION, 4 I33, 5 I22, 6 AS2, 7 AS3,
//             8 S33, 9 S22, 10 Z33, 11 Z22, 12 R33, 13 R22;
//   "AutoSelectList" none.
// Slots 14 to 19 are carried and archived only. Shape words are compared
// exactly (case-sensitive).
class CBMFrameSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMFrameSection)

 public:
  static constexpr int kParamCount = 20;

  // Null material, all slots 0, empty shape and material name.
  CBMFrameSection();
  ~CBMFrameSection() override;

  CString& get_Shape() { return Shape; }
  const CString& get_Shape() const { return Shape; }
  void set_Shape(const CString& shape) { Shape = shape; }

  // The material; not owned.
  CBMMaterial* get_pMaterial() const { return pMaterial; }
  // Stores `p` and copies its name into MaterialName. A null `p` clears the
  // pointer and leaves MaterialName as it was.
  void set_pMaterial(CBMMaterial* p);
  // The material's name as last copied by set_pMaterial or loaded from an
  // archive; the topology rebuild looks the material up by it.
  const CString& get_MaterialName() const { return MaterialName; }

  // Slot i, 0 to 19. Decision: a slot outside 0 to 19 reads as 0 and writes
  // are ignored, so that a caller (or a file line with too many values)
  // cannot write past the array.
  double get_ParamItems(int i) const;
  void set_ParamItems(int i, double v);

  double GetD() const { return ParamItems[0]; }
  void SetD(double v) { ParamItems[0] = v; }
  double GetB() const { return ParamItems[1]; }
  void SetB(double v) { ParamItems[1] = v; }
  double GetTf() const { return ParamItems[2]; }
  void SetTf(double v) { ParamItems[2] = v; }
  double GetT() const { return ParamItems[3]; }
  void SetT(double v) { ParamItems[3] = v; }

  // The section's FRAMESECTION line of the text model file (defined with the
  // writer).
  CString GetETABSString();

  // Component part, the twenty slots in index order (8-byte doubles), Shape,
  // MaterialName. The material pointer is not stored.
  void Serialize(CArchive& ar) override;

 protected:
  CBMMaterial* pMaterial = nullptr;
  double ParamItems[kParamCount] = {};
  CString Shape;
  CString MaterialName;
};

// The model's frame sections; owns them and deletes them when destroyed.
class CBMFrameSectionList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMFrameSectionList)

 public:
  CBMFrameSectionList() = default;
  // Deletes every member.
  ~CBMFrameSectionList() override { DeleteAll(); }

  // Appends a new section named `name` (set_Name upper-cases the caller's
  // string) with shape word `Shape` and returns it. No duplicate check; the
  // caller sets the material afterwards.
  CBMFrameSection* AddFrameSection(CString& name, const CString& Shape);
  // The first section named exactly `name`, or null.
  CBMFrameSection* GetFrameSection(const CString& name) const;
};
