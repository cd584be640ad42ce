// Plan areas and the area list.
#pragma once

#include "model/BMComponentList.h"

class CBMArea : public CBMComponent {
  BM_DECLARE_SERIAL(CBMArea)

 public:
  CBMArea();
  ~CBMArea() override;
};

class CBMAreaList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMAreaList)

 public:
  CBMAreaList() = default;
  // Deletes every member.
  ~CBMAreaList() override { DeleteAll(); }
  // The first CBMArea named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMArea* AddArea(CString& name) { return FindOrCreate<CBMArea>(name); }
};
