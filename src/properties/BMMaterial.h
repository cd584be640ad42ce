// Materials and the material list.
#pragma once

#include "model/BMComponentList.h"

class CBMMaterial : public CBMComponent {
  BM_DECLARE_SERIAL(CBMMaterial)

 public:
  CBMMaterial();
  ~CBMMaterial() override;
};

class CBMMaterialList : public CBMComponentList {
 public:
  CBMMaterialList() = default;
  // Deletes every member.
  ~CBMMaterialList() override { DeleteAll(); }
};
