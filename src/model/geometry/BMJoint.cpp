// Joints, their restraints and springs, and the joint list.
#include "model/geometry/BMJoint.h"

BM_IMPLEMENT_SERIAL(CBMJoint, CBMComponent, 1)

CBMJoint::CBMJoint() { ObjectType = BM_JOINT; }
CBMJoint::~CBMJoint() = default;

BM_IMPLEMENT_SERIAL(CBMJointList, CBMComponentList, 1)
