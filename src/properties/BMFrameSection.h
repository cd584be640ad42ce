// Frame sections and the frame-section list.
#pragma once

#include "model/BMComponentList.h"

class CBMFrameSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMFrameSection)

 public:
  CBMFrameSection();
  ~CBMFrameSection() override;
};

class CBMFrameSectionList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMFrameSectionList)

 public:
  CBMFrameSectionList() = default;
  // Deletes every member.
  ~CBMFrameSectionList() override { DeleteAll(); }
};
