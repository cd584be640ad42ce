// Auto-select section lists.
#pragma once

#include "model/BMComponentList.h"

class CBMAutoSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMAutoSection)

 public:
  CBMAutoSection();
  ~CBMAutoSection() override;
};

class CBMAutoSectionList : public CBMComponentList {
 public:
  CBMAutoSectionList() = default;
  // Deletes every member.
  ~CBMAutoSectionList() override { DeleteAll(); }
};
