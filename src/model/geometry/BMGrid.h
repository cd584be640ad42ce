// Grid lines and the grid list.
#pragma once

#include "model/BMComponentList.h"

class CBMGrid : public CBMComponent {
  BM_DECLARE_SERIAL(CBMGrid)

 public:
  CBMGrid();
  ~CBMGrid() override;
};

class CBMGridList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMGridList)

 public:
  CBMGridList() = default;
  // Deletes every member.
  ~CBMGridList() override { DeleteAll(); }
};
