// Response-spectrum and time-history case descriptions and their functions.
// None of these classes has a run-time class of its own (they report
// CBMComponent) and each archives only its component part (id and name).
#pragma once

#include "../model/BMComponentList.h"

// One (x, y) point of a function.
class CBMDynFunctionPairItem : public CBMComponent {
 public:
  CBMDynFunctionPairItem() = default;
  ~CBMDynFunctionPairItem() override = default;

  void SetCoordinateValue(double x, double y) {
    m_x = x;
    m_y = y;
  }
  // Read access (the legacy surface offers none).
  double x() const { return m_x; }
  double y() const { return m_y; }

 private:
  double m_x = 0.0;
  double m_y = 0.0;
};

// A function given by points; its name is the component name.
class CBMDynFunction : public CBMComponent {
 public:
  CBMDynFunction() = default;
  // Deletes the pair items.
  ~CBMDynFunction() override;

  // Names the function (upper-cased) / a copy of the name.
  void SetDynFunctionName(CString name) { set_Name(name); }
  CString GetDynFunctionName() const { return get_Name(); }
  void Set_mFunctionType(int type) { m_FunctionType = type; }
  int Get_mFunctionType() const { return m_FunctionType; }
  int GetSourceType() const { return m_SourceType; }

  // Appends a pair item (x, y), numbered by its position.
  void AddFunCoordinates(double x, double y);
  int GetPairItemAccount() const { return m_PairList.GetCount(); }
  // The pair item at 1-based position i; null outside 1 to the count.
  CBMDynFunctionPairItem* GetPairItem(int i) const;

 protected:
  int m_FunctionType = 0;
  int m_SourceType = 0;

 private:
  CBMComponentList m_PairList;
};

// A function of the built-in code spectrum family: source type 2.
class CBMDynFunChina : public CBMDynFunction {
 public:
  CBMDynFunChina();
  ~CBMDynFunChina() override = default;
};

// A response-spectrum case with up to three functions (1, 2 and Z), each
// owned by the case.
class CBMDynSpentrumCase : public CBMComponent {
 public:
  CBMDynSpentrumCase() = default;
  // Deletes the non-null functions.
  ~CBMDynSpentrumCase() override;

  // Store a function and take ownership of it. Decision: a different
  // function already in the slot is deleted (the slot owns it).
  void SetDynFunction1(CBMDynFunction* f);
  void SetDynFunction2(CBMDynFunction* f);
  void SetDynFunctionZ(CBMDynFunction* f);
  CBMDynFunction* GetDynFunction1() const { return m_pFunction1; }
  CBMDynFunction* GetDynFunction2() const { return m_pFunction2; }
  CBMDynFunction* GetDynFunctionZ() const { return m_pFunctionZ; }

  void SetSpectrumName(CString name) { set_Name(name); }
  CString GetSpectrumName() const { return get_Name(); }

 private:
  CBMDynFunction* m_pFunction1 = nullptr;
  CBMDynFunction* m_pFunction2 = nullptr;
  CBMDynFunction* m_pFunctionZ = nullptr;
};

// One load of a time-history case, with its function (owned).
class CBMDynTHLoadItem : public CBMComponent {
 public:
  CBMDynTHLoadItem() = default;
  // Deletes the function.
  ~CBMDynTHLoadItem() override;

  // Stores the function and takes ownership. Decision: a different function
  // already held is deleted.
  void SetDynFunction(CBMDynFunction* f);
  CBMDynFunction* GetDynFunction() const { return m_pFunction; }

  void SetLoadItemName(CString name) { set_Name(name); }
  CString GetLoadItemName() const { return get_Name(); }

 private:
  CBMDynFunction* m_pFunction = nullptr;
};

// A time-history case: its load items are owned.
class CBMDynTHistCase : public CBMComponent {
 public:
  CBMDynTHistCase() = default;
  // Deletes the load items.
  ~CBMDynTHistCase() override;

  // Appends `item` and takes ownership. A null item is ignored.
  void AddLoadAssignmentItem(CBMDynTHLoadItem* item);
  int GetLoadAssignmentNum() const { return m_LoadItemList.GetCount(); }
  // The item at 1-based position i; null outside 1 to the count.
  CBMDynTHLoadItem* GetLoadAssignmentItem(int i) const;

 private:
  CBMComponentList m_LoadItemList;
};
