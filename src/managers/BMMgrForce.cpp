// CBMMgrForce: the force manager.
#include "managers/BMMgrForce.h"

CBMMgrForce::CBMMgrForce() = default;
CBMMgrForce::~CBMMgrForce() = default;
