// Load combinations and their terms.
#pragma once

#include "../model/BMComponentList.h"

// One term of a combination: a load case, by name, and its scale factor.
class CBMLoadComItem : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLoadComItem)

 public:
  // Empty case name, factor 0.
  CBMLoadComItem() = default;
  CBMLoadComItem(CString caseName, double factor);
  ~CBMLoadComItem() override = default;

  const CString& get_CaseName() const { return CaseName; }
  void set_CaseName(CString name) { CaseName = std::move(name); }
  double get_Factor() const { return Factor; }
  void set_Factor(double f) { Factor = f; }

  // CaseName (string) then Factor (double); no component part, so id and
  // name are neither stored nor restored.
  void Serialize(CArchive& ar) override;

 private:
  CString CaseName;
  double Factor = 0.0;  // Decision: 0 for the default constructor.
};

// A load combination: its name is the component name, its terms are owned.
class CBMLoadCom : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLoadCom)

 public:
  CBMLoadCom() = default;
  // Deletes the terms.
  ~CBMLoadCom() override;

  const CString& get_sType() const { return sType; }
  void set_sType(CString type) { sType = std::move(type); }
  // The CBMLoadComItem terms in order; owned by the combination, never null.
  CBMComponentList* get_CombineList() { return &m_CombineList; }
  const CBMComponentList* get_CombineList() const { return &m_CombineList; }

  // Appends a new term; returns it (owned by the combination).
  CBMLoadComItem* AddLoadCaseItem(CString caseName, double factor);
  // Appends `item` and takes ownership of it. A null item is ignored.
  void AddLoadCaseItem(CBMLoadComItem* item);

  // The COMBO lines of the combination; defined with the text writer.
  CString GetETABSString() const;

  // Component part, sType (string), then the terms as a list block.
  void Serialize(CArchive& ar) override;

 private:
  CBMComponentList m_CombineList;
  CString sType;
};
