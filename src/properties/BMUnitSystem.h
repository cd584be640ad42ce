// The unit system: the model's force and length unit words.
#pragma once

#include "../model/BMComponentList.h"

// The model's force and length unit words (free text such as KN and M).
// Nothing checks them and no value is converted when they change.
class CBMUnitSystem : public CBMComponent {
  BM_DECLARE_SERIAL(CBMUnitSystem)

 public:
  // Both words empty.
  CBMUnitSystem();
  ~CBMUnitSystem() override;

  const CString& get_csForceUnit() const { return csForceUnit; }
  void set_csForceUnit(CString unit) { csForceUnit = std::move(unit); }
  const CString& get_csLengthUnit() const { return csLengthUnit; }
  void set_csLengthUnit(CString unit) { csLengthUnit = std::move(unit); }

  // csForceUnit then csLengthUnit as archive strings, and nothing else: the
  // unit system does not archive its component part.
  void Serialize(CArchive& ar) override;

 protected:
  CString csForceUnit;
  CString csLengthUnit;
};
