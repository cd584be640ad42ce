// Joints, their restraints and springs, and the joint list.
#pragma once

#include "model/BMComponentList.h"

class CBMJoint : public CBMComponent {
  BM_DECLARE_SERIAL(CBMJoint)

 public:
  CBMJoint();
  ~CBMJoint() override;
};

class CBMJointList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMJointList)

 public:
  CBMJointList() = default;
  // Deletes every member.
  ~CBMJointList() override { DeleteAll(); }
  // The first CBMJoint named `name`, or a new one named with set_Name
  // (upper-cases the caller's string) and appended.
  CBMJoint* AddJoint(CString& name) { return FindOrCreate<CBMJoint>(name); }
};
