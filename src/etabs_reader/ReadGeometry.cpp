// Handlers of the geometry and assignment blocks: plan points, lines and
// areas, and the point, line and area assignments that place joints,
// members, slabs and walls on storeys. Each receives its plain block.
#include "etabs_reader/ZAdapterEtabs8.h"

#include <vector>

#include "etabs_reader/KeyedLine.h"
#include "etabs_writer/E2kKeywords.h"
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

// Restraint words in flag order (flag i + 1).
constexpr const char* kRestraintWords[] = {"UX", "UY", "UZ", "RX", "RY", "RZ"};

// Release words in flag order (flag i + 1).
constexpr const char* kReleaseWords[] = {"PI", "V2I", "V3I", "TI", "M2I", "M3I",
                                         "PJ", "V2J", "V3J", "TJ", "M2J", "M3J"};

// Spring keys in value order (value i + 1).
constexpr const char* kSpringKeys[] = {"SPUX", "SPUY", "SPUZ", "SPRX", "SPRY", "SPRZ"};

}  // namespace

CBMLevel* ZAdapterEtabs8::FindLevel(const ZComItem* line, int token) {
  CBMComponentList* levels = pMgrGeometry->get_pLevelList();
  LevelCache& c = LastLevel;
  if (levels && c.level && c.list == levels && c.count == levels->GetCount() &&
      c.generation == levels->removalGeneration() && line->TokenIs(token, c.name)) {
    return c.level;
  }
  const CString name = line->GetString(token, 0);
  CBMLevel* level = Find<CBMLevel>(levels, name);
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
  CString name = point->name();
  CBMJoint* joint = level->get_theCBMJointList()->AddJoint(name);
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
    CBMPoint* p1 = Find<CBMPoint>(points, text->GetString(4, 0));
    CBMPoint* p2 = Find<CBMPoint>(points, text->GetString(5, 0));
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
    if (written == bm::e2k::kBeam || written == bm::e2k::kColumn || written == "BRACE") continue;
    if (storeys == 0) {
      line->SetType(bm::e2k::kBeam);
    } else if (storeys == 1) {
      line->SetType(bm::PlanDistance(p1, p2) < kSamePointTolerance ? bm::e2k::kColumn : "BRACE");
    } else {
      line->SetType("BRACE");
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
      CBMPoint* point = Find<CBMPoint>(points, line->GetString(4 + c, 0));
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
          for (int f = 0; f < 6; ++f) {
            if (word == kRestraintWords[f]) restraint->set_bU(f + 1, 1);
          }
        });
      }
    } else if (line->TokenIs(4, bm::e2k::kDiaph)) {
      AssignJointDiaphragm(level, joint, line->GetString(5, 0));
    } else if (line->TokenIs(4, bm::e2k::kLinkProp)) {
      joint->set_pLink(Find<CBMLink>(pMgrGeometry->get_pLinkList(), line->GetString(5, 0)));
    } else if (line->TokenIs(4, "SPUX") || line->TokenIs(4, "SPUY") || line->TokenIs(4, "SPUZ")) {
      CBMJointSpring* spring = joint->CreateJointSpring();
      // Decision: every key/value pair of the line is read, and the six keys
      // map to the six values in restraint order. The legacy reader skipped
      // the last pair, had no SPRX and mapped SPRY, SPRZ to values 4 and 5.
      for (int key = 4; key + 1 <= count; key += 2) {
        for (int v = 0; v < 6; ++v) {
          if (line->TokenIs(key, kSpringKeys[v])) spring->set_dU(v + 1, line->GetDouble(key + 1, 0));
        }
      }
    }
  }
}

void ZAdapterEtabs8::ProcessLineAssignment(ZComItemList* block) {
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  if (!lines || !sections) return;
  const CBMAnalysisOption* options = pMgrGeometry->get_pCBMAnalysisOption();
  const int stations = options ? options->get_iStationNumber() : 0;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    if (text->TokenIs(4, bm::e2k::kSection) && text->TokenIs(5, "NONE")) {
      Skip(bm::skip::kSectionNone);
      continue;
    }
    CBMLevel* level = StoreyOrSkip(text);
    if (!level) continue;
    CString name = text->GetString(2, 0);
    CBMLine* line = FindOrSkip<CBMLine>(lines, name, bm::skip::kLineNotFound);
    if (!line) continue;
    CBMPoint* p1 = line->get_pP1();
    CBMPoint* p2 = line->get_pP2();
    const CString& type = line->GetType();
    CBMLineElement* element = nullptr;
    CBMJoint* jointI = nullptr;
    CBMJoint* jointJ = nullptr;
    double length = 0.0;
    if (type == bm::e2k::kBeam) {
      element = level->get_theCBMBeamList()->AddBeam(name);
    } else if (type == bm::e2k::kColumn) {
      element = level->get_theCBMColumnList()->AddColumn(name);
    } else if (type == "BRACE") {
      element = level->get_theCBMBraceList()->AddBrace(name);
    }
    if (!element) {
      Skip(bm::skip::kTypeNotRead);
      continue;
    }
    element->set_pLine(line);
    // A column's joint on its storey is its top end (the same point as its
    // foot unless the column is slanted).
    if (CBMPoint* first = type == bm::e2k::kColumn && p2 ? p2 : p1) {
      jointI = JointAt(level, first);
      if (jointI) jointI->AddConnectedElement(element);
    }
    if (p2 && type != bm::e2k::kColumn) {
      jointJ = JointAt(level, p2);
      if (jointJ) jointJ->AddConnectedElement(element);
    }
    // Station spacing: beams by their length, columns and braces by the
    // storey height.
    length = type == bm::e2k::kBeam ? element->get_Distance() : level->get_Height();
    // Decision: without a positive number of stations the spacing is left
    // as it is rather than divided by zero.
    if (stations > 0) element->set_MaxSpc(length / stations);
    // Decision: the spacing the file gives (written after the angle) is the
    // member's own. The legacy reader kept only the computed one. When the
    // processing passes follow with a station number, they recompute every
    // spacing, so the value is not read then.
    if (!(ProcessAfterReading && stations > 0) && text->TokenIs(8, "MAXSTASPC")) {
      element->set_MaxSpc(text->GetDouble(9, 0));
    }
    element->Set_pJoint(jointI, jointJ);

    if (text->TokenIs(4, bm::e2k::kSection)) {
      auto* section = dynamic_cast<CBMFrameSection*>(sections->GetFrameSection(text->GetString(5, 0)));
      if (!section) {
        Skip(bm::skip::kSectionNotFound);
        continue;
      }
      element->set_pFrameSection(section);
      element->set_Angle(text->GetDouble(7, 0));
      int p = 10;
      if (text->TokenIs(10, "LENGTHOFFI") || text->TokenIs(10, "LENGTHOFFJ")) {
        CBMRigidZone* zone = element->CreateRigidZone();
        zone->set_LenghthI(text->GetDouble(11, 0));
        zone->set_LenghthJ(text->GetDouble(13, 0));
        p = 14;
      }
      if (text->TokenIs(p, bm::e2k::kRelease)) {
        CBMLineRelease* release = element->CreateRelease();
        // The release words: a quoted list ("TI M2I") or single words.
        bm::reader::ForEachWord(*text, p, text->GetItemCount(), [&](std::string_view word) {
          for (int f = 0; f < 12; ++f) {
            if (word == kReleaseWords[f]) release->set_bRelease(f + 1, true);
          }
        });
      }
    } else if (text->TokenIs(4, bm::e2k::kLinkProp)) {
      element->set_pLink(Find<CBMLink>(pMgrGeometry->get_pLinkList(), text->GetString(5, 0)));
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
    if (line->TokenIs(4, "OPENING")) {
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
    CBMShellElement* element = nullptr;
    const CString& type = area->areaType();
    if (type == "FLOOR") {
      CBMSlab* slab = level->get_theCBMSlabList()->AddSlab(name);
      slab->set_pShellSection(section);
      if (line->TokenIs(8, bm::e2k::kDiaph)) {
        CBMDiaphragm* diaphragm = Find<CBMDiaphragm>(pMgrGeometry->get_pDiaphragmList(), line->GetString(9, 0));
        if (diaphragm) {
          slab->SetDiaphragm(diaphragm);
        } else {
          Skip(bm::skip::kDiaphragmNotFound);
        }
      }
      element = slab;
    } else if (type == "PANEL") {
      CBMWall* wall = level->get_theCBMWallList()->AddWall(name);
      wall->set_pShellSection(section);
      if (line->TokenIs(8, bm::e2k::kPier) || line->TokenIs(8, "SPANDREL")) {
        auto* label = Find<CBMPierSpandrel>(pMgrGeometry->get_pPierSpandrelList(), line->GetString(9, 0));
        if (label) {
          wall->set_pPierSpandrel(label);
        } else {
          Skip(bm::skip::kLabelNotFound);
        }
      }
      element = wall;
    } else {
      Skip(bm::skip::kTypeNotRead);
      continue;
    }
    element->set_pArea(area);
    CString mesh = line->GetString(7, 0);
    element->set_MeshOption(mesh);
    for (int v = 1; v <= element->get_VertexCount(); ++v) {
      CBMPoint* point = element->get_pPoint(v);
      if (!point) continue;
      if (CBMJoint* joint = JointAt(level, point)) joint->AddConnectedElement(element);
    }
  }
}
