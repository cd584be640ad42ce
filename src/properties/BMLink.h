// Link properties and the link list.
#pragma once

#include "model/BMComponentList.h"

class CBMLink : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLink)

 public:
  CBMLink();
  ~CBMLink() override;
};

class CBMLinkList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMLinkList)

 public:
  CBMLinkList() = default;
  // Deletes every member.
  ~CBMLinkList() override { DeleteAll(); }
};
