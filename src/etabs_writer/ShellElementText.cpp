// Assignment texts of slabs and walls in the ETABS 8 text file: the part of
// an AREAASSIGN line after the level name.
#include "etabs_writer/E2kText.h"
#include "model/geometry/BMShellElement.h"

// The base shell element has no assignment text of its own.
CString CBMShellElement::GetETABSString() { return CString(); }

// Empty for a slab without a shell section (the block writer then skips
// its AREAASSIGN line).
CString CBMSlab::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendSlabText, *this, nullptr); }

// Empty for a wall without a shell section.
CString CBMWall::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendWallText, *this, nullptr); }
