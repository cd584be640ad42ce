// Model-wide and per-level diaphragms and their lists.
#pragma once

#include "model/BMComponentList.h"

class CBMDiaphragm : public CBMComponent {
  BM_DECLARE_SERIAL(CBMDiaphragm)

 public:
  CBMDiaphragm();
  ~CBMDiaphragm() override;

  double Get_CX() const { return CX; }
  double Get_CY() const { return CY; }

 private:
  double CX = 0.0;
  double CY = 0.0;
};

class CBMLevelDiaphragm : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLevelDiaphragm)

 public:
  CBMLevelDiaphragm();
  ~CBMLevelDiaphragm() override;

  double Get_CX() const { return CX; }
  double Get_CY() const { return CY; }

 private:
  double CX = 0.0;
  double CY = 0.0;
};

class CBMDiaphragmList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMDiaphragmList)

 public:
  CBMDiaphragmList() = default;
  // Deletes every member.
  ~CBMDiaphragmList() override { DeleteAll(); }
  // The first CBMDiaphragm named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMDiaphragm* AddDiaphragm(CString& name) { return FindOrCreate<CBMDiaphragm>(name); }
};

class CBMLevelDiaphragmList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLevelDiaphragmList)

 public:
  CBMLevelDiaphragmList() = default;
  // Deletes nothing: the owner of the list calls DeleteAll.
  ~CBMLevelDiaphragmList() override = default;
  // The first CBMLevelDiaphragm named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMLevelDiaphragm* AddDiaphragm(CString& name) { return FindOrCreate<CBMLevelDiaphragm>(name); }
};
