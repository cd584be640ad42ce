// Wall, slab and deck sections and their list.
#pragma once

#include "../model/BMComponentList.h"

class CBMMaterial;

// The shell property of a wall or slab. PropType tells the kind: "WALL" and
// "SLAB" are plain shells with membrane (TM) and bending (TB) thickness;
// "DECK" is a composite metal deck (concrete fill material, ribs, studs).
class CBMWallSlabDeckSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMWallSlabDeckSection)

 public:
  // Null material, empty strings, every number 0.
  CBMWallSlabDeckSection();
  ~CBMWallSlabDeckSection() override;

  // The material (for a deck, the concrete fill); not owned.
  CBMMaterial* get_pMaterial() const { return pMaterial; }
  // Stores `p` and copies its name into MaterialName. A null `p` clears the
  // pointer and leaves MaterialName as it was.
  void set_pMaterial(CBMMaterial* p);
  // The material's name as last copied or loaded; used by the topology
  // rebuild.
  const CString& get_MaterialName() const { return MaterialName; }

  CString& get_PropType() { return PropType; }
  const CString& get_PropType() const { return PropType; }
  void set_PropType(const CString& v) { PropType = v; }
  const CString& get_ShellType() const { return ShellType; }
  void set_ShellType(const CString& v) { ShellType = v; }
  const CString& get_PlateType() const { return PlateType; }
  void set_PlateType(const CString& v) { PlateType = v; }
  const CString& get_DeckType() const { return DeckType; }
  void set_DeckType(const CString& v) { DeckType = v; }

  double get_TM() const { return TM; }
  void set_TM(double v) { TM = v; }
  double get_TB() const { return TB; }
  void set_TB(double v) { TB = v; }
  // The thickness of a wall or slab section: TM.
  double GetThickness() const { return TM; }

  // Deck values.
  double get_SlabDepth() const { return SlabDepth; }
  void set_SlabDepth(double v) { SlabDepth = v; }
  double get_RibWidth() const { return RibWidth; }
  void set_RibWidth(double v) { RibWidth = v; }
  double get_RibDepth() const { return RibDepth; }
  void set_RibDepth(double v) { RibDepth = v; }
  double get_RibSpacing() const { return RibSpacing; }
  void set_RibSpacing(double v) { RibSpacing = v; }
  double get_Weight() const { return Weight; }
  void set_Weight(double v) { Weight = v; }
  double get_StuDia() const { return StuDia; }
  void set_StuDia(double v) { StuDia = v; }
  double get_StudHeight() const { return StudHeight; }
  void set_StudHeight(double v) { StudHeight = v; }
  double get_StudStrength() const { return StudStrength; }
  void set_StudStrength(double v) { StudStrength = v; }

  // The section's SHELLPROP lines of the text model file (defined with the
  // writer); empty for a PropType other than WALL, SLAB and DECK.
  CString GetETABSString();

  // Component part, then DeckType, PlateType, MaterialName, PropType,
  // RibDepth, RibSpacing, RibWidth, ShellType, SlabDepth, StudHeight, StuDia,
  // StudStrength, TB, TM, Weight. The material pointer is not stored.
  void Serialize(CArchive& ar) override;

 protected:
  CBMMaterial* pMaterial = nullptr;
  CString MaterialName;
  CString PropType;
  double TM = 0;
  double TB = 0;
  CString ShellType;
  CString PlateType;
  CString DeckType;
  double SlabDepth = 0;
  double RibWidth = 0;
  double RibDepth = 0;
  double RibSpacing = 0;
  double Weight = 0;
  double StuDia = 0;
  double StudHeight = 0;
  double StudStrength = 0;
};

// The model's wall, slab and deck sections; owns them and deletes them when
// destroyed. Look-up by name is CBMComponentList::GetItem.
class CBMWallSlabDeckSectionList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMWallSlabDeckSectionList)

 public:
  CBMWallSlabDeckSectionList() = default;
  // Deletes every member.
  ~CBMWallSlabDeckSectionList() override { DeleteAll(); }

  // Appends a new default section and returns it; the caller sets its name,
  // material and values.
  CBMWallSlabDeckSection* AddSection();
};
