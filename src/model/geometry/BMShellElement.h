// Shell elements (slabs, walls) and their lists.
#pragma once

#include "model/BMComponentList.h"

class CBMShellElement : public CBMComponent {
  BM_DECLARE_SERIAL(CBMShellElement)

 public:
  CBMShellElement();
  ~CBMShellElement() override;
};

class CBMSlab : public CBMShellElement {
  BM_DECLARE_SERIAL(CBMSlab)

 public:
  CBMSlab();
  ~CBMSlab() override;
};

class CBMWall : public CBMShellElement {
  BM_DECLARE_SERIAL(CBMWall)

 public:
  CBMWall();
  ~CBMWall() override;
};

class CBMSlabList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMSlabList)

 public:
  CBMSlabList() = default;
  // Deletes every member.
  ~CBMSlabList() override { DeleteAll(); }
  // The first CBMSlab named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMSlab* AddSlab(CString& name) { return FindOrCreate<CBMSlab>(name); }
};

class CBMWallList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMWallList)

 public:
  CBMWallList() = default;
  // Deletes every member.
  ~CBMWallList() override { DeleteAll(); }
  // The first CBMWall named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMWall* AddWall(CString& name) { return FindOrCreate<CBMWall>(name); }
};
