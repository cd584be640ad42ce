// MemberKinds: the storey members that a plan line's or area's type word
// makes, shared by the handlers of every version.
#pragma once

#include "../platform/String.h"

class CBMComponentList;
class CBMLevel;
class CBMLineElement;
class CBMShellElement;

namespace bm::reader {

// A line type word (BEAM, COLUMN, BRACE) with the level list that holds
// members of that kind and the way to find or make one there.
struct LineKind {
  const char* type;
  CBMComponentList* (*list)(CBMLevel*);
  CBMLineElement* (*add)(CBMLevel*, CString&);
  // Station spacings divide the member's length (beams); else the storey
  // height (columns and braces).
  bool byLength;
  // The member stands on its storey by its top end (columns).
  bool column;
  // A line load on a missing member of this kind makes it (braces).
  bool madeByLoad;
};

// An area type word (FLOOR: slab, PANEL: wall) likewise.
struct AreaKind {
  const char* type;
  CBMComponentList* (*list)(CBMLevel*);
  CBMShellElement* (*add)(CBMLevel*, CString&);
};

// The kind of a type word (exact, upper case); null for a word that makes
// no member (a null area, an unknown line type, ...).
const LineKind* LineKindOf(const CString& type);
const AreaKind* AreaKindOf(const CString& type);

}  // namespace bm::reader
