// Handlers of the geometry and assignment blocks: plan points, lines and
// areas, and the point, line and area assignments that place joints,
// members, slabs and walls on storeys. Each receives its plain block.
#include <vector>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyTable.h"
#include "etabs_reader/KeyedLine.h"
#include "etabs_reader/MemberKinds.h"
#include "etabs_reader/WordTables.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "loads/BMAnalysisOption.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"
#include "properties/BMFrameSection.h"
#include "properties/BMLink.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

// Plan distance below which the two ends of a one-storey line are one point.
constexpr double kSamePointTolerance = 0.0001;

// Spring keys in value order (value i + 1).
constexpr const char* kSpringKeys[] = {"SPUX", "SPUY", "SPUZ", "SPRX", "SPRY", "SPRZ"};

// The link property `name`; null when there is none (or no list).
CBMLink* LinkNamed(const CBMLinkList* links, const CString& name) {
  return links ? links->ItemAs<CBMLink>(name) : nullptr;
}

}  // namespace

CBMLevel* ZAdapterEtabs8::FindLevel(const ZComItem* line, int token) {
  CBMComponentList* levels = pMgrGeometry->get_pLevelList();
  LevelCache& c = LastLevel;
  if (levels && c.level && c.list == levels && c.count == levels->GetCount() &&
      c.generation == levels->removalGeneration() && line->TokenIs(token, c.name)) {
    return c.level;
  }
  const CString name = line->GetString(token, 0);
  CBMLevel* level = levels ? levels->ItemAs<CBMLevel>(name) : nullptr;
  // Only found, named storeys are kept: a storey missing now may be added
  // by a later block, and TokenIs cannot tell an empty name from no token.
  if (level && !name.IsEmpty()) {
    c.list = levels;
    c.count = levels->GetCount();
    c.generation = levels->removalGeneration();
    c.name = name.str();
    c.level = level;
  } else {
    c.level = nullptr;
  }
  return level;
}

CBMLevel* ZAdapterEtabs8::StoreyOrSkip(const ZComItem* line) {
  CBMLevel* level = FindLevel(line, 3);
  if (!level) Skip(bm::skip::kStoreyNotFound);
  return level;
}

CBMJoint* ZAdapterEtabs8::JointAt(CBMLevel* level, CBMPoint* point) {
  // Most joints are met again (shared by several members): one noted costs
  // no look-up by name, one found no copy of the point's name. Within a
  // read no storey is removed, so a noted storey and its list stay alive.
  CBMJointList* joints = level->get_theCBMJointList();
  CBMJoint* joint = Joints.Find(*joints, point);
  if (!joint) {
    joint = joints->ItemAs<CBMJoint>(point->name());
    if (!joint) {
      CString name = point->name();
      joint = joints->AddNewJoint(name);
    }
    Joints.Note(*joints, point, joint);
  }
  if (joint) joint->set_pPoint(point);
  return joint;
}

void ZAdapterEtabs8::AssignJointDiaphragm(CBMLevel* level, CBMJoint* joint, CString name) {
  CBMDiaphragmList* diaphragms = pMgrGeometry->get_pDiaphragmList();
  if (!diaphragms) return;
  // Decision: a DIAPH word without a name assigns nothing (an unnamed
  // diaphragm could not be written back).
  if (name.IsEmpty()) {
    Skip(bm::skip::kEmptyName);
    return;
  }
  CBMDiaphragm* diaphragm = diaphragms->AddDiaphragm(name);
  CBMLevelDiaphragm* levelDiaphragm = level->get_theCBMLevelDiaphragmList()->AddDiaphragm(name);
  if (!diaphragm || !levelDiaphragm) return;
  levelDiaphragm->AddJoint(joint);
  joint->set_pDiaphragm(levelDiaphragm);
  diaphragm->AddPointForDiaCenter(joint->Get_pX(), joint->Get_pY());
}

const bm::reader::LineKind* ZAdapterEtabs8::LineKindOrSkip(const CString& type) {
  const bm::reader::LineKind* kind = bm::reader::LineKindOf(type);
  if (!kind) Skip(bm::skip::kTypeNotRead);
  return kind;
}

const bm::reader::AreaKind* ZAdapterEtabs8::AreaKindOrSkip(const CString& type) {
  const bm::reader::AreaKind* kind = bm::reader::AreaKindOf(type);
  if (!kind) Skip(bm::skip::kTypeNotRead);
  return kind;
}

int ZAdapterEtabs8::StationCount() const {
  const CBMAnalysisOption* options = pMgrGeometry->get_pCBMAnalysisOption();
  return options ? options->get_iStationNumber() : 0;
}

CBMLineElement* ZAdapterEtabs8::MakeLineElement(CBMLevel* level, const bm::reader::LineKind& kind,
                                                CString& name, CBMLine* line, CBMPoint* endI, CBMPoint* endJ,
                                                int stations) {
  CBMLineElement* element = kind.add(level, name);
  if (!element) return nullptr;
  element->set_pLine(line);
  CBMJoint* jointI = endI ? JointAt(level, endI) : nullptr;
  if (jointI) jointI->AddConnectedElement(element);
  CBMJoint* jointJ = endJ ? JointAt(level, endJ) : nullptr;
  if (jointJ) jointJ->AddConnectedElement(element);
  element->Set_pJoint(jointI, jointJ);
  // Station spacing: beams by their length, columns and braces by the
  // storey height. Decision: without a positive number of stations the
  // spacing is left as it is rather than divided by zero.
  const double length = kind.byLength ? element->get_Distance() : level->get_Height();
  if (stations > 0) element->set_MaxSpc(length / stations);
  return element;
}

CBMShellElement* ZAdapterEtabs8::MakeShellElement(CBMLevel* level, const bm::reader::AreaKind& kind,
                                                  CString& name, CBMArea* area,
                                                  CBMWallSlabDeckSection* section) {
  CBMShellElement* element = kind.add(level, name);
  if (!element) return nullptr;
  element->set_pArea(area);
  element->set_pShellSection(section);
  for (int v = 1; v <= element->get_VertexCount(); ++v) {
    CBMPoint* point = element->get_pPoint(v);
    if (!point) continue;
    if (CBMJoint* joint = JointAt(level, point)) joint->AddConnectedElement(element);
  }
  return element;
}

void ZAdapterEtabs8::SetSlabDiaphragm(CBMSlab* slab, const CString& name) {
  auto* diaphragm =
      FindOrSkip<CBMDiaphragm>(pMgrGeometry->get_pDiaphragmList(), name, bm::skip::kDiaphragmNotFound);
  if (diaphragm) slab->SetDiaphragm(diaphragm);
}

bool ZAdapterEtabs8::SetWallLabel(CBMWall* wall, const CString& name) {
  auto* label =
      FindOrSkip<CBMPierSpandrel>(pMgrGeometry->get_pPierSpandrelList(), name, bm::skip::kLabelNotFound);
  if (!label) return false;
  wall->set_pPierSpandrel(label);
  return true;
}

void ZAdapterEtabs8::ProcessPointCoordinate(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  if (!points) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    CString name = line->GetString(2, 0);
    CBMPoint* point = points->AddPoint(name, line->GetDouble(3, 0), line->GetDouble(4, 0));
    // A name with a minus sign marks a point between storeys, with its Z.
    // Decision: so does a third number after the coordinates, whatever the
    // name (the writer writes it for every point between storeys; the
    // legacy reader dropped it when the name held no minus sign).
    if (point && (name.Find('-') >= 0 || line->GetItemCount() >= 5)) {
      point->set_IsMidLevel(true);
      point->set_Z(line->GetDouble(5, 0));
    }
  }
}

void ZAdapterEtabs8::ProcessLines(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  if (!points || !lines) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    CBMPoint* p1 = points->ItemAs<CBMPoint>(text->GetString(4, 0));
    CBMPoint* p2 = points->ItemAs<CBMPoint>(text->GetString(5, 0));
    if (!p1 || !p2) {
      Skip(bm::skip::kPointNotFound);
      continue;
    }
    CString name = text->GetString(2, 0);
    CBMLine* line = lines->AddLine(name, p1, p2);
    if (!line) continue;
    line->SetType(text->GetString(3, 0));
    const int storeys = text->GetInt(6, 0);
    line->SetPassStoryNum(storeys);
    if (storeys == 0) {
      line->SetIsP1SameLevel(false);
    } else if (storeys == 1) {
      line->SetIsP1SameLevel(true);
    }
    // Decision: a written BEAM, COLUMN or BRACE is kept as written (a
    // column whose ends differ in plan is a slanted column, never a brace).
    // The legacy reader derived the kind from the storeys passed and the plan
    // geometry, which changed members' types; that rule stays for any other
    // type word.
    const CString& written = line->GetType();
    if (bm::reader::LineKindOf(written)) continue;
    if (storeys == 0) {
      line->SetType(bm::e2k::kBeam);
    } else if (storeys == 1) {
      line->SetType(bm::PlanDistance(p1, p2) < kSamePointTolerance ? bm::e2k::kColumn : bm::e2k::kBrace);
    } else {
      line->SetType(bm::e2k::kBrace);
    }
  }
}

void ZAdapterEtabs8::ProcessArea(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  if (!points || !areas) return;
  std::vector<CBMPoint*> corners;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    const int count = line->GetItemCount();
    const int n = line->GetInt(4, 0);
    // Decision: the corners are looked up before the area is made, and a
    // line with a missing corner changes nothing. The legacy reader added
    // the area and then deleted the first area of that name, which could be
    // an earlier area that slabs or walls already referred to.
    bool complete = n >= 0 && n <= count - 4;
    corners.clear();
    for (int c = 1; complete && c <= n; ++c) {
      CBMPoint* point = points->ItemAs<CBMPoint>(line->GetString(4 + c, 0));
      if (!point) complete = false;
      corners.push_back(point);
    }
    if (!complete) {
      Skip(bm::skip::kPointNotFound);
      continue;
    }
    CString name = line->GetString(2, 0);
    CBMArea* area = areas->AddArea(name);
    if (!area) continue;
    area->SetAreaType(line->GetString(3, 0));
    for (int c = 1; c <= n; ++c) {
      area->AddPoint(corners[static_cast<size_t>(c - 1)]);
      area->AddPointType(line->GetInt(4 + n + c, 0));
    }
  }
}

void ZAdapterEtabs8::ProcessPointAssignment(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  if (!points) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    CBMLevel* level = StoreyOrSkip(line);
    if (!level) continue;
    CBMPoint* point = FindOrSkip<CBMPoint>(points, line->GetString(2, 0), bm::skip::kPointNotFound);
    if (!point) continue;
    CBMJoint* joint = JointAt(level, point);
    if (!joint) continue;
    const int count = line->GetItemCount();
    if (line->TokenIs(4, bm::e2k::kRestraint)) {
      CBMJointRestraint* restraint = joint->CreateJointRestraint();
      // The restraint words: a quoted list ("UX UY UZ") or single words.
      int t = 5;
      for (; t <= count; ++t) {
        // Decision: a DIAPH word after the restraint words (as the writer
        // puts it) assigns that diaphragm too, instead of being read as an
        // unknown restraint word.
        if (!line->IsQuoted(t) && line->TokenIs(t, bm::e2k::kDiaph)) {
          AssignJointDiaphragm(level, joint, line->GetString(t + 1, 0));
          break;
        }
        bm::reader::ForEachWord(*line, t, t, [&](std::string_view word) {
          const int f = bm::reader::WordIndex(bm::e2k::kJointDofWords, word);
          if (f >= 0) restraint->set_bU(f + 1, 1);
        });
      }
    } else if (line->TokenIs(4, bm::e2k::kDiaph)) {
      AssignJointDiaphragm(level, joint, line->GetString(5, 0));
    } else if (line->TokenIs(4, bm::e2k::kLinkProp)) {
      joint->set_pLink(LinkNamed(pMgrGeometry->get_pLinkList(), line->GetString(5, 0)));
    } else if (line->TokenIs(4, kSpringKeys[0]) || line->TokenIs(4, kSpringKeys[1]) ||
               line->TokenIs(4, kSpringKeys[2])) {
      CBMJointSpring* spring = joint->CreateJointSpring();
      // Decision: every key/value pair of the line is read, and the six keys
      // map to the six values in restraint order. The legacy reader skipped
      // the last pair, had no SPRX and mapped SPRY, SPRZ to values 4 and 5.
      bm::reader::ForEachPair(*line, 4, [&](int key, int value) {
        const int v = bm::reader::KeyIndex(kSpringKeys, *line, key);
        if (v >= 0) spring->set_dU(v + 1, line->GetDouble(value, 0));
      });
    }
  }
}

void ZAdapterEtabs8::ProcessLineAssignment(ZComItemList* block) {
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  if (!lines || !sections) return;
  const int stations = StationCount();
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    if (text->TokenIs(4, bm::e2k::kSection) && text->TokenIs(5, bm::e2k::kNone)) {
      Skip(bm::skip::kSectionNone);
      continue;
    }
    CBMLevel* level = StoreyOrSkip(text);
    if (!level) continue;
    CString name = text->GetString(2, 0);
    CBMLine* line = FindOrSkip<CBMLine>(lines, name, bm::skip::kLineNotFound);
    if (!line) continue;
    const bm::reader::LineKind* kind = LineKindOrSkip(line->GetType());
    if (!kind) continue;
    // A column's joint on its storey is its top end (the same point as its
    // foot unless the column is slanted).
    CBMPoint* p1 = line->get_pP1();
    CBMPoint* p2 = line->get_pP2();
    const bool column = kind->column;
    CBMLineElement* element =
        MakeLineElement(level, *kind, name, line, column && p2 ? p2 : p1, column ? nullptr : p2, stations);
    if (!element) continue;
    // Decision: the spacing the file gives (written after the angle) is the
    // member's own. The legacy reader kept only the computed one. When the
    // processing passes follow with a station number, they recompute every
    // spacing, so the value is not read then.
    if (!(ProcessAfterReading && stations > 0) && text->TokenIs(8, bm::e2k::kMaxStationSpacing)) {
      element->set_MaxSpc(text->GetDouble(9, 0));
    }

    if (text->TokenIs(4, bm::e2k::kSection)) {
      CBMFrameSection* section = sections->GetFrameSection(text->GetString(5, 0));
      if (!section) {
        Skip(bm::skip::kSectionNotFound);
        continue;
      }
      element->set_pFrameSection(section);
      element->set_Angle(text->GetDouble(7, 0));
      int p = 10;
      if (text->TokenIs(10, bm::e2k::kLengthOffI) || text->TokenIs(10, bm::e2k::kLengthOffJ)) {
        CBMRigidZone* zone = element->CreateRigidZone();
        zone->set_LenghthI(text->GetDouble(11, 0));
        zone->set_LenghthJ(text->GetDouble(13, 0));
        p = 14;
      }
      if (text->TokenIs(p, bm::e2k::kRelease)) {
        CBMLineRelease* release = element->CreateRelease();
        // The release words: a quoted list ("TI M2I") or single words.
        bm::reader::ForEachWord(*text, p, text->GetItemCount(), [&](std::string_view word) {
          const int f = bm::reader::WordIndex(bm::e2k::kReleaseWords, word);
          if (f >= 0) release->set_bRelease(f + 1, true);
        });
      }
    } else if (text->TokenIs(4, bm::e2k::kLinkProp)) {
      element->set_pLink(LinkNamed(pMgrGeometry->get_pLinkList(), text->GetString(5, 0)));
    }
  }
}

void ZAdapterEtabs8::ProcessAreaAssignment(ZComItemList* block) {
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  CBMWallSlabDeckSectionList* sections = pMgrGeometry->get_pWallSlabDeckSectionList();
  if (!areas || !sections) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    if (line->GetItemCount() < 4) {
      Skip(bm::skip::kTooFewTokens);
      continue;
    }
    if (line->TokenIs(4, bm::e2k::kOpening)) {
      Skip(bm::skip::kOpening);
      continue;
    }
    CBMLevel* level = StoreyOrSkip(line);
    if (!level) continue;
    CString name = line->GetString(2, 0);
    CBMArea* area = FindOrSkip<CBMArea>(areas, name, bm::skip::kAreaNotFound);
    if (!area) continue;
    auto* section =
        FindOrSkip<CBMWallSlabDeckSection>(sections, line->GetString(5, 0), bm::skip::kSectionNotFound);
    if (!section) continue;
    const bm::reader::AreaKind* kind = AreaKindOrSkip(area->areaType());
    if (!kind) continue;
    CBMShellElement* element = MakeShellElement(level, *kind, name, area, section);
    if (!element) continue;
    CString mesh = line->GetString(7, 0);
    element->set_MeshOption(mesh);
    if (auto* slab = dynamic_cast<CBMSlab*>(element)) {
      if (line->TokenIs(8, bm::e2k::kDiaph)) SetSlabDiaphragm(slab, line->GetString(9, 0));
    } else if (auto* wall = dynamic_cast<CBMWall*>(element)) {
      if (line->TokenIs(8, bm::e2k::kPier) || line->TokenIs(8, bm::e2k::kSpandrel)) {
        SetWallLabel(wall, line->GetString(9, 0));
      }
    }
  }
}
