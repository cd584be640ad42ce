// Line elements (beams, columns, braces), releases and their lists.
#pragma once

#include "model/BMComponentList.h"

class CBMLineElement : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLineElement)

 public:
  CBMLineElement();
  ~CBMLineElement() override;
};

class CBMBeam : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMBeam)

 public:
  CBMBeam();
  ~CBMBeam() override;
};

class CBMColumn : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMColumn)

 public:
  CBMColumn();
  ~CBMColumn() override;
};

class CBMBrace : public CBMLineElement {
  BM_DECLARE_SERIAL(CBMBrace)

 public:
  CBMBrace();
  ~CBMBrace() override;
};

class CBMBeamList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMBeamList)

 public:
  CBMBeamList() = default;
  // Deletes every member.
  ~CBMBeamList() override { DeleteAll(); }
  // The first CBMBeam named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMBeam* AddBeam(CString& name) { return FindOrCreate<CBMBeam>(name); }
};

class CBMColumnList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMColumnList)

 public:
  CBMColumnList() = default;
  // Deletes every member.
  ~CBMColumnList() override { DeleteAll(); }
  // The first CBMColumn named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMColumn* AddColumn(CString& name) { return FindOrCreate<CBMColumn>(name); }
};

class CBMBraceList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMBraceList)

 public:
  CBMBraceList() = default;
  // Deletes every member.
  ~CBMBraceList() override { DeleteAll(); }
  // The first CBMBrace named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMBrace* AddBrace(CString& name) { return FindOrCreate<CBMBrace>(name); }
};
