// Shell elements (slabs, walls) and their lists.
#pragma once

#include "../../loads/BMResult.h"
#include "../BMComponentList.h"
#include "../LazyList.h"

class CBMArea;
class CBMPoint;
class CBMWallSlabDeckSection;
class CBMDiaphragm;
class CBMPierSpandrel;
class CBMAreaLoad;
class CBMLineLoad;

// Placeholders without data; they report CBMComponent's run-time class and
// archive nothing.
class CBMAreaMass : public CBMComponent {
 public:
  void Serialize(CArchive& ar) override;
};

class CBMAreaModifier : public CBMComponent {
 public:
  void Serialize(CArchive& ar) override;
};

class CBMAreaSpring : public CBMComponent {
 public:
  void Serialize(CArchive& ar) override;
};

// A slab or wall of one level, on the area of the same name. Owns its area
// loads (and its modifier, spring and mass when present); refers to (never
// deletes) its area and section.
class CBMShellElement : public CBMComponent {
  BM_DECLARE_SERIAL(CBMShellElement)

 public:
  CBMShellElement();
  ~CBMShellElement() override;

  // Shell element record: component part, ShellSectionId (as held), a
  // reserved double, MeshOption, a reserved int, the area-load block.
  void Serialize(CArchive& ar) override;
  // Assignment text of the text file: empty for the base class; slabs and
  // walls give theirs (defined by the writer).
  virtual CString GetETABSString();

  CBMArea* get_pArea() const { return pArea; }
  void set_pArea(CBMArea* area) { pArea = area; }
  CBMWallSlabDeckSection* get_pShellSection() const { return pShellSection; }
  // Stores s and its current Id in ShellSectionId. Decision: null is
  // accepted and sets ShellSectionId to -1.
  void set_pShellSection(CBMWallSlabDeckSection* s);
  int get_ShellSectionId() const { return ShellSectionId; }
  CString& get_MeshOption() { return MeshOption; }
  void set_MeshOption(CString& option) { MeshOption = option; }

  // The area's GetCount(); 0 without an area.
  int get_VertexCount() const;
  // The area's corner i, 1-based; null without an area.
  CBMPoint* get_pPoint(int i) const;
  // The area's type word; empty without an area.
  CString GetType() const;

  CBMAreaMass* get_pAreaMass() const { return pAreaMass; }
  CBMAreaModifier* get_pAreaModifier() const { return pAreaModifier; }
  CBMAreaSpring* get_pAreaSpring() const { return pAreaSpring; }

  // The element's area loads, created when first asked for; SlabLoads()
  // reads them without creating the list (walls seldom have any).
  CBMComponentList* get_SlabLoadList();
  const CBMComponentList& SlabLoads() const { return SlabLoadList.view(); }
  // A new CBMAreaLoad (owned by the element) with Lc, sDir, sType and Value
  // set, appended to the area loads and returned.
  CBMAreaLoad* AddAreaLoad(CString lc, CString type, CString dir, double value);

  // Same section name and same area name.
  bool IsSameOf(CBMShellElement* other);

  // The element's load lines of the text file (defined by the writer).
  CString GetLoadETABSString(CString levelName);

 private:
  CBMAreaModifier* pAreaModifier = nullptr;
  CBMAreaSpring* pAreaSpring = nullptr;
  CBMAreaMass* pAreaMass = nullptr;
  bm::LazyList<&bm::Holds<CBMAreaLoad>> SlabLoadList;
  int ShellSectionId = -1;
  CString MeshOption = "PROGDET";
  double reservedDouble_ = 0.0;  // archived, never read
  int reservedInt_ = 0;          // archived, never read
  CBMArea* pArea = nullptr;
  CBMWallSlabDeckSection* pShellSection = nullptr;
};

class CBMSlab : public CBMShellElement {
  BM_DECLARE_SERIAL(CBMSlab)

 public:
  CBMSlab();
  ~CBMSlab() override;

  // Stores d (not owned) and copies its name into DiaphragmName. Decision:
  // null is accepted and empties DiaphragmName.
  void SetDiaphragm(CBMDiaphragm* d);
  CBMDiaphragm* GetDiaphram() const { return pDiaphragm; }
  const CString& get_DiaphragmName() const { return DiaphragmName; }

  CString GetETABSString() override;
  // The shell element record, then DiaphragmName (refreshed from the
  // diaphragm when one is set).
  void Serialize(CArchive& ar) override;

 private:
  CBMDiaphragm* pDiaphragm = nullptr;
  CString DiaphragmName;
};

class CBMWall : public CBMShellElement {
  BM_DECLARE_SERIAL(CBMWall)

 public:
  CBMWall();
  ~CBMWall() override;

  // Stores p (not owned) and copies its name into PierName. Decision: null
  // is accepted and empties PierName.
  void set_pPierSpandrel(CBMPierSpandrel* p);
  CBMPierSpandrel* get_pPierSpandrel() const { return pPierSpandrel; }
  const CString& get_PierName() const { return PierName; }
  // Copies PierName into OldPierName.
  void SaveOldPier() { OldPierName = PierName; }
  CString GetOldPierName() const { return OldPierName; }

  // Corners 1 and 2 of the wall's area; null when missing.
  CBMPoint* GetP1() const;
  CBMPoint* GetP2() const;
  // Plan distance between GetP1() and GetP2(); 0.0 when one is missing.
  double get_Distance() const;
  // TB of the wall's section; 0.0 without a section.
  double GetThichness() const;

  // As CBMLineElement::AddLineLoad, appending to the wall's line loads.
  CBMLineLoad* AddLineLoad(CString lc, CString type, CString dir, double rStart, double vStart, double rEnd,
                           double vEnd);
  int GetLineLoadCount() const { return LineLoadList.GetCount(); }
  // Line load i, 1-based; null outside the list.
  CBMLineLoad* GetLineLoadItem(int i) const;
  // A new CBMShellEleIntForces of case `lc` at `location` with six forces,
  // appended to the force list.
  void AddForce(CString lc, double location, double f1, double f2, double f3, double f4, double f5,
                double f6);
  CBMComponentList* GetForceList() { return ForceList.get(); }

  CString GetETABSString() override;
  // The shell element record, the reserved string, PierName (refreshed from
  // the label when one is set), the force block. The line loads and
  // OldPierName are not archived.
  void Serialize(CArchive& ar) override;

 private:
  CBMPierSpandrel* pPierSpandrel = nullptr;
  CString PierName;
  CString reservedString_;  // archived, never set
  CString OldPierName;
  bm::LazyList<&bm::Holds<CBMLineLoad>> LineLoadList;
  bm::LazyResultList<&CBMShellEleIntForces::CreateInstance> ForceList;
};

class CBMSlabList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMSlabList)

 public:
  CBMSlabList() = default;
  // Deletes every member.
  ~CBMSlabList() override { DeleteAll(); }
  // The first CBMSlab named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMSlab* AddSlab(CString& name) { return FindOrCreate<CBMSlab>(name); }
  // True when some member is the same as s by CBMShellElement::IsSameOf.
  bool IsExist(CBMShellElement* s) const;
};

class CBMWallList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMWallList)

 public:
  CBMWallList() = default;
  // Deletes every member.
  ~CBMWallList() override { DeleteAll(); }
  // The first CBMWall named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMWall* AddWall(CString& name) { return FindOrCreate<CBMWall>(name); }
  // True when some member is the same as s by CBMShellElement::IsSameOf.
  bool IsExist(CBMShellElement* s) const;
  // The first wall whose PierName equals `name` ignoring ASCII case; null
  // if none.
  CBMWall* GetItemByPierName(CString& name) const;
};
