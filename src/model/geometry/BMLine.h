// Plan lines and the line list.
#pragma once

#include "model/BMComponentList.h"

class CBMLine : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLine)

 public:
  CBMLine();
  ~CBMLine() override;
};

class CBMLineList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLineList)

 public:
  CBMLineList() = default;
  // Deletes every member.
  ~CBMLineList() override { DeleteAll(); }
  // The first CBMLine named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMLine* AddLine(CString& name) { return FindOrCreate<CBMLine>(name); }
};
