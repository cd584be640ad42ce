#include "etabs_reader/MemberKinds.h"

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/WordTables.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"

namespace bm::reader {

namespace {

const LineKind kLineKinds[] = {
    {bm::e2k::kBeam, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMBeamList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMBeamList()->AddBeam(n); }, true,
     false, false},
    {bm::e2k::kColumn, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMColumnList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMColumnList()->AddColumn(n); },
     false, true, false},
    {bm::e2k::kBrace, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMBraceList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMBraceList()->AddBrace(n); }, false,
     false, true},
};

// Other area types (null areas, ...) have no member in the model.
const AreaKind kAreaKinds[] = {
    {"FLOOR", [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMSlabList(); },
     [](CBMLevel* l, CString& n) -> CBMShellElement* { return l->get_theCBMSlabList()->AddSlab(n); }},
    {"PANEL", [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMWallList(); },
     [](CBMLevel* l, CString& n) -> CBMShellElement* { return l->get_theCBMWallList()->AddWall(n); }},
};

}  // namespace

const LineKind* LineKindOf(const CString& type) {
  return FindEntry(kLineKinds, type.view(), &LineKind::type);
}
const AreaKind* AreaKindOf(const CString& type) {
  return FindEntry(kAreaKinds, type.view(), &AreaKind::type);
}

}  // namespace bm::reader
