// Pier and spandrel labels and their list.
#pragma once

#include "model/BMComponentList.h"

class CBMPierSpandrel : public CBMComponent {
  BM_DECLARE_SERIAL(CBMPierSpandrel)

 public:
  CBMPierSpandrel();
  ~CBMPierSpandrel() override;
};

class CBMPierSpandrelList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMPierSpandrelList)

 public:
  CBMPierSpandrelList() = default;
  // Deletes every member.
  ~CBMPierSpandrelList() override { DeleteAll(); }
};
