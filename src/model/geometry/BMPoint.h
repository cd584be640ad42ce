// Plan points and the point list.
#pragma once

#include "model/BMComponentList.h"

class CBMPoint : public CBMComponent {
  BM_DECLARE_SERIAL(CBMPoint)

 public:
  CBMPoint();
  ~CBMPoint() override;
};

class CBMPointList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMPointList)

 public:
  CBMPointList() = default;
  // Deletes every member.
  ~CBMPointList() override { DeleteAll(); }
};
