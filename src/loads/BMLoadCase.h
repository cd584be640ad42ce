// Load cases, their wind items and the load-case list.
#pragma once

#include "model/BMComponentList.h"

class CBMLoadCase : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLoadCase)

 public:
  CBMLoadCase();
  ~CBMLoadCase() override;
};

class CBMLoadCaseList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLoadCaseList)

 public:
  CBMLoadCaseList() = default;
  // Deletes every member.
  ~CBMLoadCaseList() override { DeleteAll(); }
};
