// Handlers of the geometry and assignment lines of later-version files:
// points, lines, areas and their point, line and area assignments, by key.
// They make the same model objects as the version 8 handlers (ReadGeometry.
// cpp) from the same facts, with two differences a keyed file calls for:
// a line's type word is kept as written (a column passing no storey or
// several storeys is still a column), and an assignment line that names no
// section adds its keys to the member an earlier line made.
#include "etabs_reader/ZAdapterEtabs8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string_view>
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
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

namespace {

// Reasons of this file's handlers.
constexpr const char kNameRepeated[] = "name defined before";
constexpr const char kRestraintWord[] = "restraint word not read";
constexpr const char kReleaseWord[] = "release word not read";
constexpr const char kSpringNotFound[] = "spring property not found";
constexpr const char kSpandrelBesidePier[] = "spandrel beside a pier (one label per wall)";

// The diaphragm name that ties a point or slab to no diaphragm.
constexpr std::string_view kNoDiaphragm = bm::e2k::kDisconnected;

// The member kinds of a line's type word, each with the level list that
// holds its members. The type word is kept as written.
struct LineKind {
  const char* type;
  CBMComponentList* (*list)(CBMLevel*);
  CBMLineElement* (*add)(CBMLevel*, CString&);
};
const LineKind kLineKinds[] = {
    {bm::e2k::kBeam, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMBeamList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMBeamList()->AddBeam(n); }},
    {bm::e2k::kColumn, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMColumnList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMColumnList()->AddColumn(n); }},
    {bm::e2k::kBrace, [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMBraceList(); },
     [](CBMLevel* l, CString& n) -> CBMLineElement* { return l->get_theCBMBraceList()->AddBrace(n); }},
};

// The member kinds of an area's type word: floors are slabs, panels walls.
// Other types (null areas, ...) have no member in the model.
struct AreaKind {
  const char* type;
  CBMComponentList* (*list)(CBMLevel*);
  CBMShellElement* (*add)(CBMLevel*, CString&);
};
const AreaKind kAreaKinds[] = {
    {"FLOOR", [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMSlabList(); },
     [](CBMLevel* l, CString& n) -> CBMShellElement* { return l->get_theCBMSlabList()->AddSlab(n); }},
    {"PANEL", [](CBMLevel* l) -> CBMComponentList* { return l->get_theCBMWallList(); },
     [](CBMLevel* l, CString& n) -> CBMShellElement* { return l->get_theCBMWallList()->AddWall(n); }},
};

template <typename Kind, size_t N>
const Kind* KindOf(const Kind (&kinds)[N], const CString& type) {
  for (const Kind& k : kinds) {
    if (type == k.type) return &k;
  }
  return nullptr;
}

// Index of `word` in `words`, or -1.
template <size_t N>
int WordIndex(const char* const (&words)[N], std::string_view word) {
  for (size_t i = 0; i < N; ++i) {
    if (word == words[i]) return static_cast<int>(i);
  }
  return -1;
}

// A word of a quoted list that stands for several flags.
struct Shorthand {
  std::string_view word;
  std::string_view meaning;  // the words it stands for
};
// Decision: a PINNED member releases both bending moments at both ends,
// the usual meaning of a pinned frame member (torsion and forces are kept,
// as a member released in torsion at both ends would be unstable). The
// files write no explicit "M2I M3I M2J M3J" list, only this word.
constexpr Shorthand kReleaseShorthands[] = {{"PINNED", "M2I M3I M2J M3J"}};

// The flags that the words of the quoted list in token `t` of `line` name,
// by their index in `words` or through `shorthands`; `unknown` tells
// whether some word is neither.
template <size_t N>
std::array<bool, N> ReadFlags(const ZComItem& line, int t, const char* const (&words)[N], bool& unknown,
                              const Shorthand* shorthands = nullptr, size_t shorthandCount = 0) {
  std::array<bool, N> flags{};
  unknown = false;
  auto set = [&](std::string_view word) {
    const int f = WordIndex(words, word);
    if (f >= 0) flags[static_cast<size_t>(f)] = true;
    return f >= 0;
  };
  bm::reader::ForEachWord(line, t, t, [&](std::string_view word) {
    if (set(word)) return;
    for (size_t k = 0; k < shorthandCount; ++k) {
      if (shorthands[k].word != word) continue;
      std::string_view rest = shorthands[k].meaning;
      while (!rest.empty()) {
        const size_t stop = rest.find(' ');
        set(rest.substr(0, stop));
        rest = stop == std::string_view::npos ? std::string_view() : rest.substr(stop + 1);
      }
      return;
    }
    unknown = true;
  });
  return flags;
}

template <size_t N>
bool Any(const std::array<bool, N>& flags) {
  return std::find(flags.begin(), flags.end(), true) != flags.end();
}

// Point spring values in the joint spring's order UX UY UZ RX RY RZ.
constexpr int kSpringValues = 6;

}  // namespace

void ZAdapterEtabs8::ProcessKeyedPoints(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  if (!points) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    // POINT "name" X Y [DZ]: a third number is the point's distance below
    // its storey.
    if (line->GetItemCount() < 4) {
      Skip(bm::skip::kTooFewTokens);
      continue;
    }
    CString name = line->GetString(2, 0);
    if (name.IsEmpty()) {
      Skip(bm::skip::kEmptyName);
      continue;
    }
    // Decision: a name given twice keeps its first coordinates, and the
    // second line is reported (the list would return the first point).
    if (Find<CBMPoint>(points, name)) {
      Skip(kNameRepeated);
      continue;
    }
    CBMPoint* point = points->AddPoint(name, line->GetDouble(3, 0), line->GetDouble(4, 0));
    const bool hasDz = line->GetItemCount() >= 5 && !line->IsQuoted(5) && bm::reader::LooksNumeric(line->Token(5));
    // Decision: a DZ of 0 is a point at storey level, not between storeys.
    if (point && hasDz && line->GetDouble(5, 0) != 0.0) {
      point->set_IsMidLevel(true);
      point->set_Z(line->GetDouble(5, 0));
    }
    bm::reader::KeyedLine(*line, hasDz ? 6 : 5).ReportUnused(Report, CurrentKeyword);
  }
}

void ZAdapterEtabs8::ProcessKeyedLines(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  if (!points || !lines) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    // LINE "name" TYPE "point 1" "point 2" STOREYS: point 2 lies on the
    // storey of the assignment, point 1 STOREYS storeys below it.
    if (text->GetItemCount() < 6) {
      Skip(bm::skip::kTooFewTokens);
      continue;
    }
    const LineKind* kind = KindOf(kLineKinds, text->GetString(3, 0));
    if (!kind) {
      Skip(bm::skip::kTypeNotRead);
      continue;
    }
    CString name = text->GetString(2, 0);
    if (name.IsEmpty()) {
      Skip(bm::skip::kEmptyName);
      continue;
    }
    if (Find<CBMLine>(lines, name)) {
      Skip(kNameRepeated);
      continue;
    }
    CBMPoint* p1 = Find<CBMPoint>(points, text->GetString(4, 0));
    CBMPoint* p2 = Find<CBMPoint>(points, text->GetString(5, 0));
    if (!p1 || !p2) {
      Skip(bm::skip::kPointNotFound);
      continue;
    }
    CBMLine* line = lines->AddLine(name, p1, p2);
    if (!line) continue;
    const int storeys = text->GetInt(6, 0);
    line->SetType(kind->type);
    line->SetPassStoryNum(storeys);
    line->SetIsP1SameLevel(storeys != 0);
    bm::reader::KeyedLine(*text, 7).ReportUnused(Report, CurrentKeyword);
  }
}

void ZAdapterEtabs8::ProcessKeyedAreas(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  if (!points || !areas) return;
  std::vector<CBMPoint*> corners;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    // AREA "name" TYPE N "corner 1" ... "corner N" BELOW1 ... BELOWN, where
    // BELOWi is the number of storeys corner i lies below the storey.
    const int count = line->GetItemCount();
    const int n = line->GetInt(4, 0);
    if (n < 1 || n > (count - 4) / 2) {
      Skip(bm::skip::kTooFewTokens);
      continue;
    }
    CString name = line->GetString(2, 0);
    if (name.IsEmpty()) {
      Skip(bm::skip::kEmptyName);
      continue;
    }
    if (Find<CBMArea>(areas, name)) {
      Skip(kNameRepeated);
      continue;
    }
    corners.clear();
    for (int c = 1; c <= n; ++c) {
      CBMPoint* point = Find<CBMPoint>(points, line->GetString(4 + c, 0));
      if (!point) break;
      corners.push_back(point);
    }
    if (static_cast<int>(corners.size()) != n) {
      Skip(bm::skip::kPointNotFound);
      continue;
    }
    CBMArea* area = areas->AddArea(name);
    if (!area) continue;
    // Every type is kept as written; the assignment tells which ones make
    // a member.
    area->SetAreaType(line->GetString(3, 0));
    for (int c = 1; c <= n; ++c) {
      area->AddPoint(corners[static_cast<size_t>(c - 1)]);
      area->AddPointType(line->GetInt(4 + n + c, 0));
    }
    bm::reader::KeyedLine(*line, 5 + 2 * n).ReportUnused(Report, CurrentKeyword);
  }
}

void ZAdapterEtabs8::ProcessKeyedPointAssign(ZComItemList* block) {
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
    bm::reader::KeyedLine kl(*line, 4);
    if (const int t = kl.Find(bm::e2k::kRestraint)) {
      bool unknown = false;
      const auto fixed = ReadFlags(*line, t, bm::e2k::kJointDofWords, unknown);
      // An empty list restrains nothing: the joint gets no restraint.
      if (Any(fixed)) {
        CBMJointRestraint* restraint = joint->CreateJointRestraint();
        for (size_t f = 0; f < fixed.size(); ++f) {
          if (fixed[f]) restraint->set_bU(static_cast<int>(f) + 1, 1);
        }
      }
      if (unknown) Skip(kRestraintWord);
    }
    const CString diaphragm = kl.Word(bm::e2k::kDiaph);
    if (!diaphragm.IsEmpty() && diaphragm.view() != kNoDiaphragm) AssignJointDiaphragm(level, joint, diaphragm);
    if (kl.Has("SPRINGPROP")) {
      const CString spring = kl.Word("SPRINGPROP");
      auto found = PointSprings.find(spring.view());
      if (found != PointSprings.end()) {
        CBMJointSpring* js = joint->CreateJointSpring();
        for (int v = 0; v < kSpringValues; ++v) js->set_dU(v + 1, found->second[static_cast<size_t>(v)]);
      } else {
        Skip(kSpringNotFound);
      }
    }
    kl.ReportUnused(Report, CurrentKeyword);
  }
}

void ZAdapterEtabs8::ProcessKeyedLineAssign(ZComItemList* block) {
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  if (!lines || !sections) return;
  const CBMAnalysisOption* options = pMgrGeometry->get_pCBMAnalysisOption();
  const int stations = options ? options->get_iStationNumber() : 0;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* text = block->GetComItem(i);
    if (!text) continue;
    bm::reader::KeyedLine kl(*text, 4);
    const bool hasSection = kl.Has(bm::e2k::kSection);
    const CString sectionName = kl.Word(bm::e2k::kSection);
    if (hasSection && sectionName == "NONE") {
      Skip(bm::skip::kSectionNone);
      continue;
    }
    CBMLevel* level = StoreyOrSkip(text);
    if (!level) continue;
    CString name = text->GetString(2, 0);
    CBMLine* line = FindOrSkip<CBMLine>(lines, name, bm::skip::kLineNotFound);
    if (!line) continue;
    const LineKind* kind = KindOf(kLineKinds, line->GetType());
    if (!kind) {
      Skip(bm::skip::kTypeNotRead);
      continue;
    }
    // Station spacings divide a beam's length, and the storey height for
    // columns and braces (as the processing pass does).
    const bool isBeam = std::string_view(kind->type) == bm::e2k::kBeam;
    CBMLineElement* element = nullptr;
    if (hasSection) {
      element = kind->add(level, name);
      if (!element) continue;
      element->set_pLine(line);
      CBMPoint* p1 = line->get_pP1();
      CBMPoint* p2 = line->get_pP2();
      // Joints of this storey: both ends of a beam or brace (as version 8
      // files give them); of a column, its top (point 2), or both ends when
      // it passes no storey (both lie on this storey).
      CBMPoint* endI = p1;
      CBMPoint* endJ = p2;
      if (std::string_view(kind->type) == bm::e2k::kColumn && line->GetPassStory() != 0) {
        endI = p2;
        endJ = nullptr;
      }
      CBMJoint* jointI = endI ? JointAt(level, endI) : nullptr;
      CBMJoint* jointJ = endJ ? JointAt(level, endJ) : nullptr;
      if (jointI) jointI->AddConnectedElement(element);
      if (jointJ) jointJ->AddConnectedElement(element);
      element->Set_pJoint(jointI, jointJ);
      // The analysis option's spacing unless the line gives its own below.
      const double length = isBeam ? element->get_Distance() : level->get_Height();
      if (stations > 0) element->set_MaxSpc(length / stations);
      auto* section = dynamic_cast<CBMFrameSection*>(sections->GetFrameSection(sectionName));
      // Decision (as version 8 files): a member whose section is not found
      // is kept without one; the rest of its line is still read.
      if (section) {
        element->set_pFrameSection(section);
      } else {
        Skip(bm::skip::kSectionNotFound);
      }
    } else {
      // Decision: a line without SECTION only adds to the member that an
      // earlier line made; it makes none.
      element = dynamic_cast<CBMLineElement*>(kind->list(level)->GetItem(name));
      if (!element) {
        Skip(bm::skip::kMemberNotFound);
        continue;
      }
    }

    if (const int t = kl.Find("ANG")) element->set_Angle(text->GetDouble(t, 0));

    if (const int t = kl.Find(bm::e2k::kRelease)) {
      bool unknown = false;
      const auto released = ReadFlags(*text, t, bm::e2k::kReleaseWords, unknown, kReleaseShorthands,
                                      std::size(kReleaseShorthands));
      // A word neither table knows is reported, not guessed; without a
      // known word the member gets no release.
      if (Any(released)) {
        CBMLineRelease* release = element->CreateRelease();
        for (size_t f = 0; f < released.size(); ++f) {
          if (released[f]) release->set_bRelease(static_cast<int>(f) + 1, true);
        }
      }
      if (unknown) Skip(kReleaseWord);
    }

    const int offI = kl.Find("LENGTHOFFI");
    const int offJ = kl.Find("LENGTHOFFJ");
    if (offI || offJ) {
      CBMRigidZone* zone = element->CreateRigidZone();
      zone->set_LenghthI(offI ? text->GetDouble(offI, 0) : 0.0);
      zone->set_LenghthJ(offJ ? text->GetDouble(offJ, 0) : 0.0);
    }
    // The rigid-zone factor is the member's zone reduction factor (the one
    // the processing pass sets from the analysis option), and the factor
    // of its end lengths when the line gives them.
    if (const int t = kl.Find("RIGIDZONE")) {
      const double factor = text->GetDouble(t, 0);
      element->set_dZoneReductionFactor(factor);
      if (CBMRigidZone* zone = element->get_pRigidZone()) zone->set_RZFactor(factor);
    }

    // Station spacing: MAXSTASPC is the largest spacing; MINNUMSTA n gives
    // the spacing length / n (the model holds no station count; its MinSpc
    // is left as it is), with the length taken as above. With both, the
    // smaller spacing.
    const int maxSpacing = kl.Find("MAXSTASPC");
    const int minStations = kl.Find("MINNUMSTA");
    double spacing = maxSpacing ? text->GetDouble(maxSpacing, 0) : 0.0;
    if (minStations) {
      const double n = text->GetDouble(minStations, 0);
      const double length = isBeam ? element->get_Distance() : level->get_Height();
      if (n > 0.0 && length > 0.0) spacing = spacing > 0.0 ? std::min(spacing, length / n) : length / n;
    }
    if (spacing > 0.0 && std::isfinite(spacing)) element->set_MaxSpc(spacing);

    kl.ReportUnused(Report, CurrentKeyword);
  }
}

void ZAdapterEtabs8::ProcessKeyedAreaAssign(ZComItemList* block) {
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  CBMWallSlabDeckSectionList* sections = pMgrGeometry->get_pWallSlabDeckSectionList();
  if (!areas || !sections) return;
  for (int i = 1; i <= block->GetCount(); ++i) {
    const ZComItem* line = block->GetComItem(i);
    if (!line) continue;
    bm::reader::KeyedLine kl(*line, 4);
    if (kl.Word("OPENING") == "YES") {
      Skip(bm::skip::kOpening);
      continue;
    }
    CBMLevel* level = StoreyOrSkip(line);
    if (!level) continue;
    CString name = line->GetString(2, 0);
    CBMArea* area = FindOrSkip<CBMArea>(areas, name, bm::skip::kAreaNotFound);
    if (!area) continue;
    const AreaKind* kind = KindOf(kAreaKinds, area->areaType());
    if (!kind) {
      Skip(bm::skip::kTypeNotRead);
      continue;
    }
    CBMShellElement* element = nullptr;
    if (kl.Has(bm::e2k::kSection)) {
      const CString sectionName = kl.Word(bm::e2k::kSection);
      if (sectionName == "NONE") {
        Skip(bm::skip::kSectionNone);
        continue;
      }
      auto* section = FindOrSkip<CBMWallSlabDeckSection>(sections, sectionName, bm::skip::kSectionNotFound);
      if (!section) continue;
      element = kind->add(level, name);
      if (!element) continue;
      element->set_pArea(area);
      element->set_pShellSection(section);
      for (int v = 1; v <= element->get_VertexCount(); ++v) {
        CBMPoint* point = element->get_pPoint(v);
        if (!point) continue;
        if (CBMJoint* joint = JointAt(level, point)) joint->AddConnectedElement(element);
      }
    } else {
      // As for members: a line without SECTION adds to an earlier one's.
      element = dynamic_cast<CBMShellElement*>(kind->list(level)->GetItem(name));
      if (!element) {
        Skip(bm::skip::kMemberNotFound);
        continue;
      }
    }

    if (kl.Has("OBJMESHTYPE")) {
      CString mesh = kl.Word("OBJMESHTYPE");
      element->set_MeshOption(mesh);
    }
    if (auto* slab = dynamic_cast<CBMSlab*>(element)) {
      const CString diaphragmName = kl.Word(bm::e2k::kDiaph);
      if (!diaphragmName.IsEmpty() && diaphragmName.view() != kNoDiaphragm) {
        auto* diaphragm = Find<CBMDiaphragm>(pMgrGeometry->get_pDiaphragmList(), diaphragmName);
        if (diaphragm) {
          slab->SetDiaphragm(diaphragm);
        } else {
          Skip(bm::skip::kDiaphragmNotFound);
        }
      }
    } else if (auto* wall = dynamic_cast<CBMWall*>(element)) {
      // A wall holds one label: its pier, else its spandrel.
      const int pier = kl.Find(bm::e2k::kPier);
      const int spandrel = kl.Find("SPANDREL");
      if (pier || spandrel) {
        const CString labelName = line->GetString(pier ? pier : spandrel, 0);
        auto* label = Find<CBMPierSpandrel>(pMgrGeometry->get_pPierSpandrelList(), labelName);
        if (label) {
          wall->set_pPierSpandrel(label);
          if (pier && spandrel) Skip(kSpandrelBesidePier);
        } else {
          Skip(bm::skip::kLabelNotFound);
        }
      }
    }
    kl.ReportUnused(Report, CurrentKeyword);
  }
}
