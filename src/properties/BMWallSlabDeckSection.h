// Wall, slab and deck sections and their list.
#pragma once

#include "model/BMComponentList.h"

class CBMWallSlabDeckSection : public CBMComponent {
  BM_DECLARE_SERIAL(CBMWallSlabDeckSection)

 public:
  CBMWallSlabDeckSection();
  ~CBMWallSlabDeckSection() override;
};

class CBMWallSlabDeckSectionList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMWallSlabDeckSectionList)

 public:
  CBMWallSlabDeckSectionList() = default;
  // Deletes every member.
  ~CBMWallSlabDeckSectionList() override { DeleteAll(); }
};
