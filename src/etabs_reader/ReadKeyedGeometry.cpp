// Handlers of the geometry and assignment lines of later-version files:
// points, lines, areas and their point, line and area assignments, by key.
// They make the same model objects as the version 8 handlers (ReadGeometry.
// cpp) from the same facts, with two differences a keyed file calls for:
// a line's type word is kept as written (a column passing no storey or
// several storeys is still a column), and an assignment line that names no
// section adds its keys to the member an earlier line made.
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

#include "e2k_format/E2kKeywords.h"
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

// Why `name` cannot name a new member of `list`: empty, or defined before
// (decision: a name given twice keeps its first definition, and the second
// line is reported, as the list would return the first); null when it can.
template <typename T>
const char* NewNameFault(CBMComponentList* list, const CString& name) {
  if (name.IsEmpty()) return bm::skip::kEmptyName;
  if (list && list->ItemAs<T>(name)) return kNameRepeated;
  return nullptr;
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
    const int f = bm::reader::WordIndex(words, word);
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
  ForEachLine(block, [&](const ZComItem& line) {
    // POINT "name" X Y [DZ]: a third number is the point's distance below
    // its storey.
    if (line.GetItemCount() < 4) {
      Skip(bm::skip::kTooFewTokens);
      return;
    }
    CString name = line.GetString(2, 0);
    if (const char* fault = NewNameFault<CBMPoint>(points, name)) {
      Skip(fault);
      return;
    }
    CBMPoint* point = points->AddPoint(name, line.GetDouble(3, 0), line.GetDouble(4, 0));
    const bool hasDz =
        line.GetItemCount() >= 5 && !line.IsQuoted(5) && bm::reader::LooksNumeric(line.Token(5));
    // Decision: a DZ of 0 is a point at storey level, not between storeys.
    if (point && hasDz && line.GetDouble(5, 0) != 0.0) {
      point->set_IsMidLevel(true);
      point->set_Z(line.GetDouble(5, 0));
    }
    bm::reader::KeyedLine(line, hasDz ? 6 : 5).ReportUnused(Report, CurrentKeyword);
  });
}

void ZAdapterEtabs8::ProcessKeyedLines(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  if (!points || !lines) return;
  ForEachLine(block, [&](const ZComItem& text) {
    // LINE "name" TYPE "point 1" "point 2" STOREYS: point 2 lies on the
    // storey of the assignment, point 1 STOREYS storeys below it.
    if (text.GetItemCount() < 6) {
      Skip(bm::skip::kTooFewTokens);
      return;
    }
    const bm::reader::LineKind* kind = LineKindOrSkip(text.GetString(3, 0));
    if (!kind) return;
    CString name = text.GetString(2, 0);
    if (const char* fault = NewNameFault<CBMLine>(lines, name)) {
      Skip(fault);
      return;
    }
    CBMPoint* p1 = points->ItemAs<CBMPoint>(text.GetString(4, 0));
    CBMPoint* p2 = points->ItemAs<CBMPoint>(text.GetString(5, 0));
    if (!p1 || !p2) {
      Skip(bm::skip::kPointNotFound);
      return;
    }
    CBMLine* line = lines->AddLine(name, p1, p2);
    if (!line) return;
    const int storeys = text.GetInt(6, 0);
    line->SetType(kind->type);
    line->SetPassStoryNum(storeys);
    line->SetIsP1SameLevel(storeys != 0);
    bm::reader::KeyedLine(text, 7).ReportUnused(Report, CurrentKeyword);
  });
}

void ZAdapterEtabs8::ProcessKeyedAreas(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  if (!points || !areas) return;
  std::vector<CBMPoint*> corners;
  ForEachLine(block, [&](const ZComItem& line) {
    // AREA "name" TYPE N "corner 1" ... "corner N" BELOW1 ... BELOWN, where
    // BELOWi is the number of storeys corner i lies below the storey.
    const int count = line.GetItemCount();
    const int n = line.GetInt(4, 0);
    if (n < 1 || n > (count - 4) / 2) {
      Skip(bm::skip::kTooFewTokens);
      return;
    }
    CString name = line.GetString(2, 0);
    if (const char* fault = NewNameFault<CBMArea>(areas, name)) {
      Skip(fault);
      return;
    }
    corners.clear();
    for (int c = 1; c <= n; ++c) {
      CBMPoint* point = points->ItemAs<CBMPoint>(line.GetString(4 + c, 0));
      if (!point) break;
      corners.push_back(point);
    }
    if (static_cast<int>(corners.size()) != n) {
      Skip(bm::skip::kPointNotFound);
      return;
    }
    CBMArea* area = areas->AddArea(name);
    if (!area) return;
    // Every type is kept as written; the assignment tells which ones make
    // a member.
    area->SetAreaType(line.GetString(3, 0));
    for (int c = 1; c <= n; ++c) {
      area->AddPoint(corners[static_cast<size_t>(c - 1)]);
      area->AddPointType(line.GetInt(4 + n + c, 0));
    }
    bm::reader::KeyedLine(line, 5 + 2 * n).ReportUnused(Report, CurrentKeyword);
  });
}

void ZAdapterEtabs8::ProcessKeyedPointAssign(ZComItemList* block) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  if (!points) return;
  ForEachStoreyLine(block, [&](const ZComItem& line, CBMLevel* level, bm::reader::KeyedLine& kl) {
    CBMPoint* point = FindOrSkip<CBMPoint>(points, line.GetString(2, 0), bm::skip::kPointNotFound);
    if (!point) return false;
    CBMJoint* joint = JointAt(level, point);
    if (!joint) return false;
    if (const int t = kl.Find(bm::e2k::kRestraint)) {
      bool unknown = false;
      const auto fixed = ReadFlags(line, t, bm::e2k::kJointDofWords, unknown);
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
    if (!diaphragm.IsEmpty() && diaphragm.view() != kNoDiaphragm)
      AssignJointDiaphragm(level, joint, diaphragm);
    if (kl.Has(bm::e2k::kSpringProp)) {
      const CString spring = kl.Word(bm::e2k::kSpringProp);
      auto found = PointSprings.find(spring.view());
      if (found != PointSprings.end()) {
        CBMJointSpring* js = joint->CreateJointSpring();
        for (int v = 0; v < kSpringValues; ++v) js->set_dU(v + 1, found->second[static_cast<size_t>(v)]);
      } else {
        Skip(kSpringNotFound);
      }
    }
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedLineAssign(ZComItemList* block) {
  CBMLineList* lines = pMgrGeometry->get_pLineList();
  CBMFrameSectionList* sections = pMgrGeometry->get_pFrameSectionList();
  if (!lines || !sections) return;
  const int stations = StationCount();
  ForEachLine(block, [&](const ZComItem& text) {
    bm::reader::KeyedLine kl(text, 4);
    const bool hasSection = kl.Has(bm::e2k::kSection);
    const CString sectionName = kl.Word(bm::e2k::kSection);
    if (hasSection && sectionName == bm::e2k::kNone) {
      Skip(bm::skip::kSectionNone);
      return;
    }
    CBMLevel* level = StoreyOrSkip(&text);
    if (!level) return;
    CString name = text.GetString(2, 0);
    CBMLine* line = FindOrSkip<CBMLine>(lines, name, bm::skip::kLineNotFound);
    if (!line) return;
    const bm::reader::LineKind* kind = LineKindOrSkip(line->GetType());
    if (!kind) return;
    CBMLineElement* element = nullptr;
    if (hasSection) {
      // Joints of this storey: both ends of a beam or brace (as version 8
      // files give them); of a column, its top (point 2), or both ends when
      // it passes no storey (both lie on this storey).
      const bool top = kind->column && line->GetPassStory() != 0;
      element = MakeLineElement(level, *kind, name, line, top ? line->get_pP2() : line->get_pP1(),
                                top ? nullptr : line->get_pP2(), stations);
      if (!element) return;
      CBMFrameSection* section = sections->GetFrameSection(sectionName);
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
      element = FindOrSkip<CBMLineElement>(kind->list(level), name, bm::skip::kMemberNotFound);
      if (!element) return;
    }

    if (const int t = kl.Find(bm::e2k::kAngle)) element->set_Angle(text.GetDouble(t, 0));

    if (const int t = kl.Find(bm::e2k::kRelease)) {
      bool unknown = false;
      const auto released = ReadFlags(text, t, bm::e2k::kReleaseWords, unknown, kReleaseShorthands,
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

    const int offI = kl.Find(bm::e2k::kLengthOffI);
    const int offJ = kl.Find(bm::e2k::kLengthOffJ);
    if (offI || offJ) {
      CBMRigidZone* zone = element->CreateRigidZone();
      zone->set_LenghthI(offI ? text.GetDouble(offI, 0) : 0.0);
      zone->set_LenghthJ(offJ ? text.GetDouble(offJ, 0) : 0.0);
    }
    // The rigid-zone factor is the member's zone reduction factor (the one
    // the processing pass sets from the analysis option), and the factor
    // of its end lengths when the line gives them.
    if (const int t = kl.Find(bm::e2k::kRigidZone)) {
      const double factor = text.GetDouble(t, 0);
      element->set_dZoneReductionFactor(factor);
      if (CBMRigidZone* zone = element->get_pRigidZone()) zone->set_RZFactor(factor);
    }

    // Station spacing: MAXSTASPC is the largest spacing; MINNUMSTA n gives
    // the spacing length / n (the model holds no station count; its MinSpc
    // is left as it is), the length being a beam's own, else the storey
    // height (as for the analysis option's spacing). With both, the
    // smaller spacing.
    const int maxSpacing = kl.Find(bm::e2k::kMaxStationSpacing);
    const int minStations = kl.Find(bm::e2k::kMinStations);
    double spacing = maxSpacing ? text.GetDouble(maxSpacing, 0) : 0.0;
    if (minStations) {
      const double n = text.GetDouble(minStations, 0);
      const double length = kind->byLength ? element->get_Distance() : level->get_Height();
      if (n > 0.0 && length > 0.0) spacing = spacing > 0.0 ? std::min(spacing, length / n) : length / n;
    }
    if (spacing > 0.0 && std::isfinite(spacing)) element->set_MaxSpc(spacing);

    kl.ReportUnused(Report, CurrentKeyword);
  });
}

void ZAdapterEtabs8::ProcessKeyedAreaAssign(ZComItemList* block) {
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  CBMWallSlabDeckSectionList* sections = pMgrGeometry->get_pWallSlabDeckSectionList();
  if (!areas || !sections) return;
  ForEachLine(block, [&](const ZComItem& line) {
    // An area spring: version 9 writes it as a quoted key and its stiffness
    // (`"SPRINGK3" 400`); the model has no area springs.
    constexpr std::string_view kSpringKey = bm::e2k::kAreaSpringKey;
    if (line.IsQuoted(4) && line.GetString(4, 0).view().substr(0, kSpringKey.size()) == kSpringKey) {
      Report.Add(line.Token(1), bm::skip::kAreaSpring, bm::ReadReport::Kind::kNotModelData, 1);
      return;
    }
    bm::reader::KeyedLine kl(line, 4);
    kl.NotModelData(bm::e2k::kSpringProp);  // the later form of an area spring
    if (kl.Word(bm::e2k::kOpening) == bm::e2k::kYes) {
      Skip(bm::skip::kOpening);
      return;
    }
    CBMLevel* level = StoreyOrSkip(&line);
    if (!level) return;
    CString name = line.GetString(2, 0);
    CBMArea* area = FindOrSkip<CBMArea>(areas, name, bm::skip::kAreaNotFound);
    if (!area) return;
    const bm::reader::AreaKind* kind = AreaKindOrSkip(area->areaType());
    if (!kind) return;
    CBMShellElement* element = nullptr;
    if (kl.Has(bm::e2k::kSection)) {
      const CString sectionName = kl.Word(bm::e2k::kSection);
      if (sectionName == bm::e2k::kNone) {
        Skip(bm::skip::kSectionNone);
        return;
      }
      auto* section = FindOrSkip<CBMWallSlabDeckSection>(sections, sectionName, bm::skip::kSectionNotFound);
      if (!section) return;
      element = MakeShellElement(level, *kind, name, area, section);
      if (!element) return;
    } else {
      // As for members: a line without SECTION adds to an earlier one's.
      element = FindOrSkip<CBMShellElement>(kind->list(level), name, bm::skip::kMemberNotFound);
      if (!element) return;
    }

    if (kl.Has(bm::e2k::kObjMeshType)) {
      CString mesh = kl.Word(bm::e2k::kObjMeshType);
      element->set_MeshOption(mesh);
    }
    if (auto* slab = dynamic_cast<CBMSlab*>(element)) {
      const CString diaphragmName = kl.Word(bm::e2k::kDiaph);
      if (!diaphragmName.IsEmpty() && diaphragmName.view() != kNoDiaphragm)
        SetSlabDiaphragm(slab, diaphragmName);
    } else if (auto* wall = dynamic_cast<CBMWall*>(element)) {
      // A wall holds one label: its pier, else its spandrel.
      const int pier = kl.Find(bm::e2k::kPier);
      const int spandrel = kl.Find(bm::e2k::kSpandrel);
      if ((pier || spandrel) && SetWallLabel(wall, line.GetString(pier ? pier : spandrel, 0)) && pier &&
          spandrel) {
        Skip(kSpandrelBesidePier);
      }
    }
    kl.ReportUnused(Report, CurrentKeyword);
  });
}
